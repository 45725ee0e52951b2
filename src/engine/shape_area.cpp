#include "engine/shape_area.h"

#include <algorithm>

#include "engine/rasterise.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

constexpr double kAreaShrink = 1 / 1.5;
constexpr double kMostAreaCells = 100;

void scaleOutline(Outline& outline, double factor)
{
    for (Segment& s : outline) {
        s.X1 *= factor;
        s.Y1 *= factor;
        s.X2 *= factor;
        s.Y2 *= factor;
        s.sag *= factor;
    }
}

} // namespace

std::int32_t outlineArea(const Outline& outline, NestingRun& run)
{
    const double scale = run.scale;
    if (outline.empty()) return 0;
    if (isOriginRectangle(outline)) {
        const Extents box = outlineBox(outline);
        return toWhole(box.width() * box.height() / (scale * scale));
    }
    Outline shrunk = outline;
    double factor = 1;
    for (Extents box = outlineBox(shrunk); std::min(box.width(), box.height()) > kMostAreaCells;
         box = outlineBox(shrunk)) {
        scaleOutline(shrunk, kAreaShrink);
        factor *= kAreaShrink;
    }
    const Raster raster = rasteriseOutline(std::move(shrunk), run);
    const double cellsPerUnit = scale * factor;
    return toWhole(static_cast<double>(raster.countOccupied()) / (cellsPerUnit * cellsPerUnit));
}

double roundedBoxArea(const Outline& outline)
{
    const Extents box = outlineBox(outline);
    return (roundHalfEven(box.xmax) - roundHalfEven(box.xmin)) * (roundHalfEven(box.ymax) - roundHalfEven(box.ymin));
}

} // namespace dravenor
