#pragma once
// The texts a run shows: the progress title, the end status with the elapsed time and what
// nesting for common lines did.
#include <string>

#include "engine/nesting_driver.h"

namespace dravenor {

// "Nesting Progress : 50%  | Ov. Yield : 81.234% | Layouts : 3"; without a best trial yet the
// yield and layouts read "NA".
std::string progressTitle(int trial, int trials, bool haveBest, double bestYield, int bestLayouts);
// "Full Optimization Done [0.52 s]", "Partial Optimization Done [...]",
// "Optimization Failed [...]".
std::string endStatusText(EndStatus status, double seconds);
// What nesting for common lines did after the run: the parts laid in rows, or how many parts moved
// to stand the kerf apart; "" when it did nothing.
std::string commonLineRunText(const RunResult& result);

} // namespace dravenor
