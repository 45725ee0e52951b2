#pragma once
// One sheet of one trial: which sheet comes next, and laying parts out on it (sheet raster,
// each part type's analysis and placement, the layout appended, turned back and repeated).
#include <cstdint>
#include <map>
#include <string>

#include "engine/nesting_run.h"
#include "geometry/shape.h"

namespace dravenor {

// The shapes of the job's files as loaded for placing (moved to the origin), read once per run,
// and each turned as the engine places it, turned once per run and angle.
class ShapeStore {
public:
    explicit ShapeStore(DrawingUnit unit) : unit_(unit) {}
    const Shape& shape(const std::string& file);
    // The shape turned by the angle (degrees) and moved so that the box of its chords starts at
    // (0, 0): the frame its raster was made in (an arc may pass its chords' box by the sag,
    // which the raster covers).
    const Shape& turned(const std::string& file, double angleDegrees);

private:
    DrawingUnit unit_;
    std::map<std::string, Shape> shapes_;
    std::map<std::pair<std::string, double>, Shape> turned_;
};

// Running sums of one trial, in square job units.
struct TrialAreas {
    double sheetArea = 0;
    double partArea = 0;
};

// 1-based index of the sheet to lay out next: the first sheet with stock left, or at random one
// of the run of sheets of the same priority that follow it with stock left.
std::int32_t chooseSheet(const NestingState& state, UniformRandom& random);

// Lays out the sheet as layout layoutNo. True when something was placed (the layout is then
// appended, turned back and repeated); false marks the sheet (negative Remaining).
bool layOutSheet(NestingRun& run, std::int32_t sheetIndex, std::int32_t layoutNo, TrialAreas& areas,
                 ShapeStore& shapes);

} // namespace dravenor
