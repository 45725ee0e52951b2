#pragma once
// The parts a run could not place: after a partial run the user is told which part files are
// short and by how many, in the batch tool's output and in a message of the main window.
#include <cstdint>
#include <string>
#include <vector>

#include "job/nesting_state.h"

namespace dravenor {

struct UnplacedPart {
    std::string file;
    std::int32_t missing = 0; // pieces not placed
    std::int32_t required = 0;
};

// Every part record with pieces left over, in record order.
std::vector<UnplacedPart> unplacedParts(const NestingState& state);
// "" when every part was placed; else a heading line and one line per part file:
// "2 part files were not placed in full:\n  washer.shp: 3 of 40 not placed\n...".
std::string unplacedPartsText(const std::vector<UnplacedPart>& parts);

} // namespace dravenor
