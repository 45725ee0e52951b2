#include "engine/kerf_scale.h"

#include <algorithm>
#include <cmath>

#include "engine/nesting_driver.h"
#include "geometry/segments.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

// Width and height of the segment form's box (0 x 0 for a shape without segments).
std::pair<double, double> segmentBoxSize(const std::string& file, DrawingUnit unit)
{
    const SegmentList segments = loadShapeSegments(file, unit);
    if (segments.empty()) return {0, 0};
    double xmin = segments[0].X1, xmax = xmin, ymin = segments[0].Y1, ymax = ymin;
    for (const Segment& s : segments) {
        xmin = std::min({xmin, s.X1, s.X2});
        xmax = std::max({xmax, s.X1, s.X2});
        ymin = std::min({ymin, s.Y1, s.Y2});
        ymax = std::max({ymax, s.Y1, s.Y2});
    }
    return {xmax - xmin, ymax - ymin};
}

} // namespace

double KerfScale::largestSheetCells() const
{
    return std::sqrt(largestSheetArea) * scale;
}

double niceKerf(double kerf)
{
    const double whole = std::trunc(kerf);
    double f = kerf - whole;
    if (f == 0) return kerf;
    int n = 0;
    while (std::fabs(f) <= 10) { // fabs: a negative kerf must not loop for ever
        f *= 10;
        ++n;
    }
    f = roundHalfEven(f / 5) * 5 / std::pow(10.0, n);
    if (f < 0.01) f = 0.01;
    return whole + f;
}

KerfScale planKerfAndScale(const NestingState& state)
{
    KerfScale plan;
    for (const SheetEntry& sheet : state.sheets) {
        const auto [w, h] = segmentBoxSize(sheet.FileName, state.drawingUnit);
        if (w * h > plan.largestSheetArea) {
            plan.largestSheetArea = w * h;
            plan.largestSheetFile = sheet.FileName;
        }
    }
    for (const PartEntry& part : state.parts) {
        const auto [w, h] = segmentBoxSize(part.FileName, state.drawingUnit);
        const double side = std::min(w, h);
        // A part without extent (refused before a run) must not make the scale infinite.
        if (side > 0 && side < plan.smallestPartSide) {
            plan.smallestPartSide = side;
            plan.smallestPartFile = part.FileName;
        }
    }
    plan.actKerf = state.details.Kerf == 0 ? kZeroKerfDefault : state.details.Kerf;
    if (std::sqrt(plan.largestSheetArea) / plan.actKerf > kMostCellsAcross)
        plan.actKerf = niceKerf(std::sqrt(plan.largestSheetArea) / kMostCellsAcross);
    plan.scale = 1 / plan.actKerf;
    if (plan.scale * plan.smallestPartSide < 2) {
        plan.scale = 2 / plan.smallestPartSide;
        plan.actKerf = niceKerf(1 / plan.scale);
        plan.smallPartRule = true;
    }
    return plan;
}

} // namespace dravenor
