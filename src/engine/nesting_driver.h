#pragma once
// One optimisation from records to layouts: checks, kerf and scale set-up, areas and order,
// the randomised trials keeping the best complete one, and the end status.
#include <optional>
#include <string>

#include "engine/nesting_progress.h"
#include "engine/nesting_run.h"
#include "job/nesting_state.h"

namespace dravenor {

// The first sheet or part file that does not exist, as the message "FILE not found".
std::optional<std::string> missingFileMessage(const NestingState& state);
// "No valid sheet(s) specified" / "No valid CutPieces(s) specified" when a list is empty.
std::optional<std::string> emptyListMessage(const NestingState& state);
inline constexpr const char* kZeroKerfQuestion = "No Kerf specified. Continue nesting?";

// Rounds the fraction of a kerf to a multiple of 0.05 of its first digits (0.0625 -> 0.06,
// 1.234 -> 1.25, 0.3 -> 0.3).
double niceKerf(double kerf);
// Elapsed seconds to the hundredth with their unit (0.5 -> "0.5 s", 5 -> "5 s", 12.345 -> "12.35 s").
std::string formatElapsed(double seconds);

// Sets ActKerf and the raster scale and builds every shape's outline in the run's cache.
void setUpKerfAndScale(NestingRun& run);
// Areas of sheets and parts, Pri 0 read as 32767, and the two exchange sorts.
void computeAreasAndSort(NestingRun& run);

enum class EndStatus { Full, Partial, Failed };

struct RunResult {
    EndStatus status = EndStatus::Failed;
    std::string statusText;   // "Full Optimization Done [0.52 s]" as the window shows it
    double bestYield = 0;     // 0 when no trial placed every part
    double seconds = 0;
    int trials = 0;
    int trialsRun = 0;
    bool cancelled = false;
    int commonLineMoves = 0;  // parts moved after the run to stand the spacing apart (common lines)
    bool commonLineRows = false; // the parts were laid in rows the spacing apart instead (common lines)
};

// The trials on a state whose set-up, areas and order are done (the Progress window's work).
RunResult runTrials(NestingRun& run);

// The whole optimisation of a validated state: set-up, areas and order, an empty entity list,
// the trials and the item list. The state is left as the best complete trial (or the last one).
// With timings given, the run measures where its time goes; with a fit test given, the run uses it
// instead of the engine's own (to compare results).
RunResult optimise(NestingState& state, NestingMode mode, NestingProgress& progress, RunTimings* timings = nullptr,
                   FitTest fitTest = nullptr);

} // namespace dravenor
