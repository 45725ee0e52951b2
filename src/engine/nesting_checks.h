#pragma once
// Problems that keep a job from being nested, each as one line naming the file and the reason.
// The driver's own messages (missing file, empty lists) are in nesting_driver.h; these go
// beyond them so that no shape can stall or exhaust a run.
#include <optional>
#include <string>
#include <vector>

#include "geometry/outline_tolerance.h"
#include "job/nesting_state.h"

namespace dravenor {

// The finest raster a run may use: cells across the largest sheet (square root of its area).
inline constexpr double kMostCellsAcrossAnySheet = 6400;

// What reading the job's shape files showed, sheets first, each file once.
struct ShapeFileReview {
    // The first sheet or part shape that cannot be nested: unreadable, not a shape, without
    // entities, not closed, or enclosing no area. Ends closer than half the kerf count as closed.
    std::optional<std::string> problem;
    // What the files were read with that a run goes on without, one line each naming the file:
    // "FILE: skipped 1 HATCH", "FILE: converted from inches to millimetres". The files after a
    // problem are not read.
    std::vector<std::string> notes;
};
ShapeFileReview reviewShapeFiles(const NestingState& state);
// The review's problem alone.
std::optional<std::string> shapeProblemMessage(const NestingState& state);
// The most cells the raster of one part may have: far more than any sheet can take, so a part
// beyond it can never be placed and would only exhaust memory.
inline constexpr double kMostCellsInAPart = 64.0 * 1024 * 1024;

// A part so small beside the largest sheet that two cells across it would make the sheet
// raster larger than the engine allows, or a part whose raster would be beyond all reason.
std::optional<std::string> rasterSizeMessage(const NestingState& state);

} // namespace dravenor
