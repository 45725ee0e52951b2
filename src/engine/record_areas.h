#pragma once
// Areas of the sheet and part records in square job units, in record order. The records' own
// Area is counted on the run's raster and orders the work; what the user is shown comes from
// the outlines themselves (arcs exact, holes subtracted), which the raster overstates for small
// and round shapes.
#include <vector>

#include "job/nesting_state.h"

namespace dravenor {

struct RecordAreas {
    std::vector<double> sheets, parts;
    // The area of the 1-based record; 0 for an unknown index.
    double sheet(std::int32_t sheetIndex) const;
    double part(std::int32_t partIndex) const;
};

// The records' Area as the run counted it.
RecordAreas countedAreas(const NestingState& state);
// The true areas of the records' shape files, ends meeting as the job's checks let them; 0 for
// a file that cannot be read.
RecordAreas trueAreas(const NestingState& state);

} // namespace dravenor
