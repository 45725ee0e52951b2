#include "layouts/layout_clearances.h"

#include <algorithm>
#include <numeric>

#include "job/number_format.h"
#include "layouts/placed_distance.h"
#include "layouts/placed_layouts.h"

namespace dravenor {

namespace {

// The closest pair of parts: a sweep along x that skips pairs whose boxes lie farther apart
// than the closest pair found so far.
void closestPair(const std::vector<MeasuredShape>& parts, LayoutClearance& clearance)
{
    std::vector<size_t> order(parts.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::erase_if(order, [&](size_t k) { return parts[k].box.empty(); });
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return parts[a].box.xmin < parts[b].box.xmin; });
    for (size_t m = 0; m < order.size(); ++m)
        for (size_t n = m + 1; n < order.size(); ++n) {
            const MeasuredShape& a = parts[order[m]];
            const MeasuredShape& b = parts[order[n]];
            if (b.box.xmin - a.box.xmax >= clearance.betweenParts) break;
            const double d = leastDistanceBelow(a, b, clearance.betweenParts);
            if (d >= clearance.betweenParts) continue;
            clearance.betweenParts = d;
            clearance.partA = static_cast<int>(std::min(order[m], order[n]) + 1);
            clearance.partB = static_cast<int>(std::max(order[m], order[n]) + 1);
        }
}

std::string distanceText(double d) { return formatGeneral(roundHalfEven(d * 1e4) / 1e4); }

} // namespace

LayoutClearance measureClearance(int layoutNo, const Shape& sheet, const std::vector<Shape>& parts)
{
    LayoutClearance clearance;
    clearance.layoutNo = layoutNo;
    std::vector<MeasuredShape> measured;
    measured.reserve(parts.size());
    for (const Shape& part : parts) measured.push_back(measuredShape(part));
    closestPair(measured, clearance);
    if (sheet.empty()) return clearance;
    const MeasuredShape edge = measuredShape(sheet);
    for (size_t k = 0; k < measured.size(); ++k) {
        const double d = leastDistanceBelow(measured[k], edge, clearance.toSheet);
        if (d >= clearance.toSheet) continue;
        clearance.toSheet = d;
        clearance.partNearSheet = static_cast<int>(k + 1);
    }
    return clearance;
}

std::string clearanceText(const LayoutClearance& clearance, const std::vector<std::string>& names)
{
    std::string text = "layout " + std::to_string(clearance.layoutNo) + ": ";
    if (clearance.partA == 0)
        text += "fewer than two parts";
    else
        text += "parts " + placedPartLabel(clearance.partA, names) + " and " + placedPartLabel(clearance.partB, names) +
            " " + distanceText(clearance.betweenParts) + " apart";
    if (clearance.partNearSheet != 0)
        text += ", part " + placedPartLabel(clearance.partNearSheet, names) + " " + distanceText(clearance.toSheet) +
            " from the sheet's outline";
    return text;
}

} // namespace dravenor
