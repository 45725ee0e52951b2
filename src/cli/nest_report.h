#pragma once
// What the nest command tells: the summary lines for the terminal and the whole result as JSON.
#include <string>

#include "engine/nesting_driver.h"
#include "layouts/checked_deep_nesting.h"
#include "job/nesting_state.h"

namespace dravenor::cli {

// Yield as a percentage with up to three decimals, as the progress title shows it ("81.234").
std::string yieldPercent(double yield);
// The end status line, the kerf used when it is not the kerf entered, one line per layout, the
// overall yield and the part files left unplaced. Yields are the true part areas over the true
// sheet areas.
std::string nestSummaryText(const NestingState& state, const RunResult& result);
// End status, overall yield and every layout with its sheet and placed instances; entities in
// the layout's coordinates exactly as the layout entity list holds them; the unplaced parts. A Deep
// Nesting run adds its settings and work ("deep": spacing, margin, time limit, iterations, ...).
std::string nestResultJson(const NestingState& state, const RunResult& result, const DeepRun* deep = nullptr,
                           const DeepSettings& settings = {});

} // namespace dravenor::cli
