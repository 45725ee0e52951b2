#pragma once
// A Deep Nesting arrangement as the layout lists hold it: one layout per sheet (identical sheets
// as one layout with its count), the parts of each with their instance numbers, then the sheet;
// the least used sheet last. The records' Remaining counts what is left.
#include "deep/arrangement.h"
#include "deep/deep_nesting.h"

namespace dravenor::deep {

// Writes the layouts into the state's entities and items (replacing what they held) and the
// remaining quantities of its records; returns what the result amounts to.
DeepBest writeLayouts(const DeepJob& job, const Solution& solution, NestingState& state);

} // namespace dravenor::deep
