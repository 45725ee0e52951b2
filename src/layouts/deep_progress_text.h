#pragma once
// What the progress window and the batch tool say while Deep Nesting runs.
#include <cstdint>
#include <string>

#include "deep/deep_nesting.h"

namespace dravenor {

// "12.3 s of 60 s" against the time limit, or "1200 of 5000 iterations" for a fixed amount of work.
std::string deepElapsedText(double elapsedSeconds, std::int64_t iterations, const DeepSettings& settings);
// "3 sheets (at least 2 needed), yield 78.123%, 40 of 40 parts placed", the bound left out when
// not known; "no result yet" before the first.
std::string deepBestText(const DeepBest& best);
// The summary line after the run: "Deep Nesting: 1234 iterations in 60.01 s, spacing 3, margin 0"
// with ", stopped" when Stop ended it and ", at least 4 sheets needed" for the fewest any layout can
// use.
std::string deepRunText(const DeepOutcome& outcome, double spacing, double margin);

} // namespace dravenor
