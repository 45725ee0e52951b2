#include "layouts/layout_geometry_check.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

#include "engine/nesting_checks.h"
#include "job/files.h"
#include "layouts/outline_depth.h"

namespace dravenor {

namespace {

std::string partLabel(int number, const std::vector<std::string>& names)
{
    std::string label = std::to_string(number);
    const size_t index = static_cast<size_t>(number - 1);
    if (index < names.size() && !names[index].empty()) label += " (" + fileNameOnly(names[index]) + ")";
    return label;
}

LayoutFault overlapFault(int layoutNo, int a, int b, const std::vector<std::string>& names)
{
    return {LayoutFault::Kind::Overlap, layoutNo, a, b,
            "layout " + std::to_string(layoutNo) + ": parts " + partLabel(a, names) + " and " + partLabel(b, names)
                + " overlap"};
}

LayoutFault outsideFault(int layoutNo, int a, const std::vector<std::string>& names)
{
    return {LayoutFault::Kind::OutsideSheet, layoutNo, a, 0,
            "layout " + std::to_string(layoutNo) + ": part " + partLabel(a, names) + " leaves the sheet"};
}

LayoutFault uncheckedFault(int layoutNo, int a, const std::vector<std::string>& names)
{
    const std::string what = a > 0 ? "part " + partLabel(a, names) : std::string("the sheet");
    return {LayoutFault::Kind::Unchecked, layoutNo, a, 0,
            "layout " + std::to_string(layoutNo) + ": " + what +
                " cannot be checked (its coordinates are not numbers or lie beyond 1e9)"};
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

// Calls visit(i, j) (i < j) for the usable outlines whose boxes overlap, found by a sweep along x.
template <class Visit>
void forEachCandidatePair(const std::vector<PlacedOutline>& outlines, const std::vector<bool>& usable, Visit&& visit)
{
    std::vector<size_t> order;
    for (size_t k = 0; k < outlines.size(); ++k)
        if (usable[k]) order.push_back(k);
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return outlines[a].box.xmin < outlines[b].box.xmin; });
    for (size_t m = 0; m < order.size(); ++m) {
        const OutlineBox& first = outlines[order[m]].box;
        for (size_t n = m + 1; n < order.size() && outlines[order[n]].box.xmin <= first.xmax; ++n)
            if (first.meets(outlines[order[n]].box, 0))
                visit(std::min(order[m], order[n]), std::max(order[m], order[n]));
    }
}

} // namespace

std::vector<LayoutFault> checkPlacedLayout(int layoutNo, const Shape& sheet, const std::vector<Shape>& parts,
                                           const std::vector<std::string>& names, double tolerance, double bridge)
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
    std::vector<std::pair<int, int>> overlaps;
    forEachCandidatePair(outlines, usable, [&](size_t i, size_t j) {
        if (atFault[i] && atFault[j]) return;
        if (!overlap(outlines[i], outlines[j], tolerance)) return;
        overlaps.emplace_back(number(i), number(j));
        atFault[i] = atFault[j] = true;
    });
    std::sort(overlaps.begin(), overlaps.end());
    for (const auto& [a, b] : overlaps) faults.push_back(overlapFault(layoutNo, a, b, names));
    return faults;
}

std::vector<LayoutFault> checkLayouts(const NestingState& state, double tolerance)
{
    struct PlacedLayout {
        Shape sheet;
        std::vector<Shape> parts;
        std::vector<std::string> names;
    };
    std::map<std::int32_t, PlacedLayout> layouts;
    for (const LayoutEntity& e : state.entities) {
        PlacedLayout& layout = layouts[e.LayoutNo];
        const ShapeEntity entity{e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
        if (e.Instance <= 0) {
            layout.sheet.push_back(entity);
            continue;
        }
        const size_t index = static_cast<size_t>(e.Instance - 1);
        if (layout.parts.size() <= index) {
            layout.parts.resize(index + 1);
            layout.names.resize(index + 1);
        }
        layout.parts[index].push_back(entity);
        if (e.PartIndex >= 1 && static_cast<size_t>(e.PartIndex) <= state.parts.size())
            layout.names[index] = state.part(e.PartIndex).FileName;
    }
    std::vector<LayoutFault> faults;
    for (const auto& [layoutNo, layout] : layouts) {
        std::vector<LayoutFault> found = checkPlacedLayout(layoutNo, layout.sheet, layout.parts, layout.names, tolerance,
                                                           closingTolerance(state.details));
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
