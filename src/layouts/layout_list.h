#pragma once
// The lines of the layout list: one per layout, "2/5  [QTY 3]" (layout number, "/", the highest
// layout number, and the identical sheets cut with the layout).
#include <string>
#include <vector>

#include "job/nesting_state.h"

namespace dravenor {

// One line per layout in entity-list order; empty when there are no layouts.
std::vector<std::string> layoutListEntries(const NestingState& state);
// The whole-number value of the text before "/" (0 when there is none).
int layoutNumberOfEntry(const std::string& entry);

} // namespace dravenor
