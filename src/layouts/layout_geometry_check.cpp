#include "layouts/layout_geometry_check.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

#include "engine/nesting_checks.h"
#include "job/number_format.h"
#include "layouts/outline_depth.h"
#include "layouts/placed_distance.h"
#include "layouts/placed_layouts.h"

namespace dravenor {

namespace {

LayoutFault overlapFault(int layoutNo, int a, int b, const std::vector<std::string>& names)
{
    return {LayoutFault::Kind::Overlap, layoutNo, a, b,
            "layout " + std::to_string(layoutNo) + ": parts " + placedPartLabel(a, names) + " and " + placedPartLabel(b, names)
                + " overlap"};
}

LayoutFault outsideFault(int layoutNo, int a, const std::vector<std::string>& names)
{
    return {LayoutFault::Kind::OutsideSheet, layoutNo, a, 0,
            "layout " + std::to_string(layoutNo) + ": part " + placedPartLabel(a, names) + " leaves the sheet"};
}

LayoutFault uncheckedFault(int layoutNo, int a, const std::vector<std::string>& names)
{
    const std::string what = a > 0 ? "part " + placedPartLabel(a, names) : std::string("the sheet");
    return {LayoutFault::Kind::Unchecked, layoutNo, a, 0,
            "layout " + std::to_string(layoutNo) + ": " + what +
                " cannot be checked (its coordinates are not numbers or lie beyond 1e9)"};
}

// A distance as a fault names it: to a millionth, the slack of the check.
std::string distanceText(double distance)
{
    return formatGeneral(roundHalfEven(distance * 1e6) / 1e6);
}

LayoutFault tooCloseFault(int layoutNo, int a, int b, double distance, double spacing,
                          const std::vector<std::string>& names)
{
    return {LayoutFault::Kind::TooClose, layoutNo, a, b,
            "layout " + std::to_string(layoutNo) + ": parts " + placedPartLabel(a, names) + " and " + placedPartLabel(b, names) +
                " are " + distanceText(distance) + " apart, less than the spacing " + formatGeneral(spacing)};
}

LayoutFault nearEdgeFault(int layoutNo, int a, double distance, double margin, const std::vector<std::string>& names)
{
    return {LayoutFault::Kind::NearSheetEdge, layoutNo, a, 0,
            "layout " + std::to_string(layoutNo) + ": part " + placedPartLabel(a, names) + " is " + distanceText(distance) +
                " from the sheet's outline, less than the margin " + formatGeneral(margin)};
}

bool checkable(const PlacedOutline& o)
{
    auto within = [](double v) { return std::isfinite(v) && std::fabs(v) <= kMostCheckedCoordinate; };
    for (const Segment& s : o.segments)
        if (!within(s.X1) || !within(s.Y1) || !within(s.X2) || !within(s.Y2)) return false;
    return true;
}

// A part leaves the sheet when its outline gets outside the sheet, or the sheet's outline (its
// edge or a hole) gets into the part.
bool leavesSheet(const PlacedOutline& part, const PlacedOutline& sheet, double tolerance)
{
    return outlineReaches(part, sheet, false, tolerance) || outlineReaches(sheet, part, true, tolerance);
}

bool overlap(const PlacedOutline& a, const PlacedOutline& b, double tolerance)
{
    return outlineReaches(a, b, true, tolerance) || outlineReaches(b, a, true, tolerance) ||
           probeInside(a, b, tolerance) || probeInside(b, a, tolerance);
}

// Calls visit(i, j) (i < j) for the usable boxes that come within the margin of each other,
// found by a sweep along x.
template <class Visit>
void forEachCandidatePair(const std::vector<OutlineBox>& boxes, const std::vector<bool>& usable, double margin,
                          Visit&& visit)
{
    std::vector<size_t> order;
    for (size_t k = 0; k < boxes.size(); ++k)
        if (usable[k]) order.push_back(k);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return boxes[a].xmin < boxes[b].xmin; });
    for (size_t m = 0; m < order.size(); ++m) {
        const OutlineBox& first = boxes[order[m]];
        for (size_t n = m + 1; n < order.size() && boxes[order[n]].xmin <= first.xmax + margin; ++n)
            if (first.meets(boxes[order[n]], margin)) visit(std::min(order[m], order[n]), std::max(order[m], order[n]));
    }
}

// The spacing and margin faults of a layout whose overlaps and parts off the sheet are known.
class DistanceCheck {
public:
    DistanceCheck(int layoutNo, const std::vector<std::string>& names, const LeastDistances& least)
        : layoutNo_(layoutNo), names_(names), least_(least)
    {
    }

    void toSheet(const Shape& sheet, const std::vector<Shape>& parts, const std::vector<bool>& usable,
                 std::vector<bool>& atFault, std::vector<LayoutFault>& faults) const
    {
        if (least_.margin <= 0) return;
        const MeasuredShape edge = measuredShape(sheet);
        for (size_t k = 0; k < parts.size(); ++k) {
            if (!usable[k] || atFault[k]) continue;
            const double d = leastDistanceBelow(measuredShape(parts[k]), edge, least_.margin);
            if (d >= least_.margin - kDistanceSlack) continue;
            faults.push_back(nearEdgeFault(layoutNo_, static_cast<int>(k + 1), d, least_.margin, names_));
            atFault[k] = true;
        }
    }

    void betweenParts(const std::vector<Shape>& parts, const std::vector<bool>& usable, std::vector<bool>& atFault,
                      std::vector<LayoutFault>& faults) const
    {
        if (least_.spacing <= 0) return;
        std::vector<MeasuredShape> measured;
        std::vector<OutlineBox> boxes;
        for (const Shape& part : parts) {
            measured.push_back(measuredShape(part));
            const Extents& b = measured.back().box;
            boxes.push_back({b.xmin, b.ymin, b.xmax, b.ymax});
        }
        std::vector<std::tuple<int, int, double>> close;
        forEachCandidatePair(boxes, usable, least_.spacing, [&](size_t i, size_t j) {
            if (atFault[i] && atFault[j]) return;
            const double d = leastDistanceBelow(measured[i], measured[j], least_.spacing);
            if (d >= least_.spacing - kDistanceSlack) return;
            close.emplace_back(static_cast<int>(i + 1), static_cast<int>(j + 1), d);
            atFault[i] = atFault[j] = true;
        });
        std::sort(close.begin(), close.end());
        for (const auto& [a, b, d] : close) faults.push_back(tooCloseFault(layoutNo_, a, b, d, least_.spacing, names_));
    }

private:
    int layoutNo_;
    const std::vector<std::string>& names_;
    LeastDistances least_;
};

} // namespace

std::vector<LayoutFault> checkPlacedLayout(int layoutNo, const Shape& sheet, const std::vector<Shape>& parts,
                                           const std::vector<std::string>& names, double tolerance, double bridge,
                                           const LeastDistances& least)
{
    const double reach = std::max(tolerance, bridge);
    std::vector<PlacedOutline> outlines;
    outlines.reserve(parts.size());
    for (const Shape& part : parts) outlines.push_back(placedOutline(part, reach));

    std::vector<LayoutFault> faults;
    std::vector<bool> atFault(outlines.size(), false);
    std::vector<bool> usable(outlines.size(), false);
    auto number = [](size_t k) { return static_cast<int>(k + 1); };
    for (size_t k = 0; k < outlines.size(); ++k) {
        if (outlines[k].empty()) continue;
        usable[k] = checkable(outlines[k]);
        if (!usable[k]) {
            faults.push_back(uncheckedFault(layoutNo, number(k), names));
            atFault[k] = true;
        }
    }
    const PlacedOutline sheetOutline = placedOutline(sheet, reach);
    if (!checkable(sheetOutline)) {
        faults.push_back(uncheckedFault(layoutNo, 0, names));
    } else if (!sheetOutline.empty()) {
        for (size_t k = 0; k < outlines.size(); ++k)
            if (usable[k] && leavesSheet(outlines[k], sheetOutline, tolerance)) {
                faults.push_back(outsideFault(layoutNo, number(k), names));
                atFault[k] = true;
            }
    }
    std::vector<OutlineBox> boxes;
    for (const PlacedOutline& o : outlines) boxes.push_back(o.box);
    std::vector<std::pair<int, int>> overlaps;
    forEachCandidatePair(boxes, usable, 0, [&](size_t i, size_t j) {
        if (atFault[i] && atFault[j]) return;
        if (!overlap(outlines[i], outlines[j], tolerance)) return;
        overlaps.emplace_back(number(i), number(j));
        atFault[i] = atFault[j] = true;
    });
    std::sort(overlaps.begin(), overlaps.end());
    for (const auto& [a, b] : overlaps) faults.push_back(overlapFault(layoutNo, a, b, names));
    const DistanceCheck distances(layoutNo, names, least);
    if (checkable(sheetOutline) && !sheetOutline.empty()) distances.toSheet(sheet, parts, usable, atFault, faults);
    distances.betweenParts(parts, usable, atFault, faults);
    return faults;
}

std::vector<LayoutFault> checkLayouts(const NestingState& state, double tolerance, const LeastDistances& least)
{
    std::vector<LayoutFault> faults;
    for (const auto& [layoutNo, layout] : placedLayoutShapes(state)) {
        std::vector<LayoutFault> found = checkPlacedLayout(layoutNo, layout.sheet, layout.parts, layout.names, tolerance,
                                                           closingTolerance(state.details), least);
        faults.insert(faults.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    }
    return faults;
}

std::vector<int> faultyParts(const std::vector<LayoutFault>& faults)
{
    std::vector<int> parts;
    for (const LayoutFault& fault : faults) {
        if (fault.partA > 0) parts.push_back(fault.partA);
        if (fault.partB > 0) parts.push_back(fault.partB);
    }
    std::sort(parts.begin(), parts.end());
    parts.erase(std::unique(parts.begin(), parts.end()), parts.end());
    return parts;
}

} // namespace dravenor
