#include "deep/sheet_bound.h"

#include <algorithm>
#include <cmath>

#include "deep/solution_score.h"

namespace dravenor::deep {

namespace {

// Beyond this many edges a part is left out of the line bound (it counts as cutting nothing,
// which keeps the bound true): every corner is tried, at a cost of the square of the edges.
constexpr std::size_t kMostEdges = 300;
// Positions this close to a corner on either side stand for the limits there.
constexpr double kBesideCorner = 1e-7;

double along(Point p, int axis) { return axis == 0 ? p.x : p.y; }
double across(Point p, int axis) { return axis == 0 ? p.y : p.x; }

// Length the material cuts from the line at `at` along the axis (even-odd over all edges).
double crossSection(const Region& region, int axis, double at)
{
    std::vector<double> hits;
    for (const Edge& e : region.edges) {
        const double a = along(e.a, axis), b = along(e.b, axis);
        if ((a <= at) == (b <= at)) continue;
        const double t = (at - a) / (b - a);
        hits.push_back(across(e.a, axis) + t * (across(e.b, axis) - across(e.a, axis)));
    }
    std::sort(hits.begin(), hits.end());
    double length = 0;
    for (std::size_t k = 0; k + 1 < hits.size(); k += 2) length += hits[k + 1] - hits[k];
    return length;
}

// What the item must cut from the free space's middle line across `axis`, the least over its
// orientations that fit; 0 when some orientation may lie clear of the line, when it turns freely
// or fits nowhere (it is then left out).
double mustCut(const PartType& part, const Box& free, int axis)
{
    if (part.freeTurn) return 0;
    const double room = free.high(axis) - free.low(axis), middle = (free.low(axis) + free.high(axis)) / 2;
    double least = kInfinity;
    for (const Orientation& o : part.orientations) {
        if (!(o.margin.box.width() <= free.width() && o.margin.box.height() <= free.height())) continue;
        const double low = o.margin.box.low(axis), high = o.margin.box.high(axis);
        if (high - low < room / 2 || o.spacing.edges.size() > kMostEdges) return 0;
        // Where the middle line may fall in the part's own frame, over every place that keeps the
        // part inside the free space.
        const double from = high - (free.high(axis) - middle), to = low + (middle - free.low(axis));
        least = std::min(least, leastCrossSection(o.spacing, axis, from, to));
    }
    return std::isfinite(least) ? least : 0;
}

int sheetsByLine(const DeepJob& job, int axis)
{
    const SheetType& sheet = job.sheets.front();
    // Parts grown by half the spacing may reach past the free space by what the spacing exceeds
    // the margin.
    const double reach = std::max(0.0, job.spacing / 2 - job.margin);
    const double height = sheet.free.high(1 - axis) - sheet.free.low(1 - axis) + 2 * reach;
    if (!(height > 0)) return 0;
    std::vector<double> cut(job.parts.size(), -1);
    double total = 0;
    int overHalf = 0;
    for (int type : job.items) {
        double& c = cut[static_cast<std::size_t>(type)];
        if (c < 0) c = mustCut(job.parts[static_cast<std::size_t>(type)], sheet.free, axis);
        total += c;
        overHalf += c > height / 2 ? 1 : 0;
    }
    // The total over the height, less a hair for rounding, or the parts that each take more than
    // half of it.
    return std::max(static_cast<int>(std::ceil(total / height - 1e-9)), overHalf);
}

} // namespace

double leastCrossSection(const Region& region, int axis, double from, double to)
{
    // Between corners the length changes linearly, so the least is at a corner or an end.
    double least = std::min(crossSection(region, axis, from), crossSection(region, axis, to));
    for (const Edge& e : region.edges) {
        const double at = along(e.a, axis);
        if (at < from || at > to) continue;
        for (double side : {-kBesideCorner, kBesideCorner})
            least = std::min(least, crossSection(region, axis, std::clamp(at + side, from, to)));
    }
    return least;
}

int fewestSheets(const DeepJob& job)
{
    const int byArea = sheetsByArea(job, job.partArea);
    if (job.sheets.size() != 1 || job.items.empty()) return byArea;
    const int byLines = std::max(sheetsByLine(job, 0), sheetsByLine(job, 1));
    return std::max(byArea, std::min(byLines, job.sheets.front().stock));
}

} // namespace dravenor::deep
