#pragma once
// What the progress window and the batch tool say while Deep Nesting runs.
#include <cstdint>
#include <string>

#include "deep/deep_nesting.h"

namespace dravenor {

// "12.3 s of 60 s" against the time limit, or "1200 of 5000 iterations" for a fixed amount of work.
std::string deepElapsedText(double elapsedSeconds, std::int64_t iterations, const DeepSettings& settings);
// "3 sheets (fewest possible: 2), yield 78.123%, 40 of 40 parts placed", the bound left out when
// not known; "no result yet" before the first.
std::string deepBestText(const DeepBest& best);
// "least used sheet: layout 3, 412.5 of 1000 used, offcut 587.5 x 500": the layout whose sheet
// is used least along its longer side (from its outline to the farthest part), where the search
// still gains; "" without layouts.
std::string leastUsedSheetText(const NestingState& layouts);
// The summary line after the run: "Deep Nesting: 1234 iterations in 60.01 s, spacing 3, margin 0"
// with ", stopped" when Stop ended it and ", fewest possible: 4 sheets" for the fewest any layout
// can use.
std::string deepRunText(const DeepOutcome& outcome, double spacing, double margin);

} // namespace dravenor
