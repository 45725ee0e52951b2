#include "deep/deep_results.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "geometry/layout_lists.h"
#include "geometry/primitives.h"

namespace dravenor::deep {

namespace {

struct Laid {
    int type = 0;
    int orient = 0;
    double x = 0, y = 0;
    auto key() const { return std::tie(type, orient, x, y); }
    bool operator<(const Laid& o) const { return key() < o.key(); }
    bool operator==(const Laid& o) const { return key() == o.key(); }
};

struct Layout {
    int sheet = 0;
    std::vector<Laid> parts;
    double share = 0;  // used length of the sheet along its longer side, as a share of it
    int copies = 1;
};

// Part shapes mirrored and turned once per type and orientation.
class TurnedShapes {
public:
    explicit TurnedShapes(const DeepJob& job) : job_(job) {}
    const Shape& operator()(int type, int orient)
    {
        const auto key = std::make_pair(type, orient);
        auto it = shapes_.find(key);
        if (it == shapes_.end()) {
            const PartType& part = job_.parts[static_cast<std::size_t>(type)];
            const Orientation& o = part.orientations[static_cast<std::size_t>(orient)];
            Shape shape = part.shape;
            if (o.mirrored) mirrorShape(shape);
            rotateShape(shape, o.angle);
            it = shapes_.emplace(key, std::move(shape)).first;
        }
        return it->second;
    }

private:
    const DeepJob& job_;
    std::map<std::pair<int, int>, Shape> shapes_;
};

std::vector<Layout> layoutsOf(const DeepJob& job, const Solution& solution, TurnedShapes& turned)
{
    std::vector<Layout> layouts(solution.bins.size());
    for (std::size_t b = 0; b < solution.bins.size(); ++b) layouts[b].sheet = solution.bins[b].sheet;
    for (std::size_t item = 0; item < solution.items.size(); ++item) {
        const Placement& p = solution.items[item];
        if (p.placed()) layouts[static_cast<std::size_t>(p.bin)].parts.push_back({job.items[item], p.orient, p.x, p.y});
    }
    for (Layout& layout : layouts) {
        std::sort(layout.parts.begin(), layout.parts.end());
        const SheetType& sheet = job.sheets[static_cast<std::size_t>(layout.sheet)];
        double end = sheet.outline.low(sheet.axis);
        for (const Laid& laid : layout.parts) {
            const Extents e = shapeExtents(turned(laid.type, laid.orient));
            end = std::max(end, (sheet.axis == 0 ? e.xmax + laid.x : e.ymax + laid.y));
        }
        layout.share = sheet.length() > 0 ? (end - sheet.outline.low(sheet.axis)) / sheet.length() : 1;
    }
    std::erase_if(layouts, [](const Layout& l) { return l.parts.empty(); });
    std::stable_sort(layouts.begin(), layouts.end(), [&](const Layout& a, const Layout& b) {
        const int pa = job.sheets[static_cast<std::size_t>(a.sheet)].priority;
        const int pb = job.sheets[static_cast<std::size_t>(b.sheet)].priority;
        if (pa != pb) return pa < pb;
        return a.share > b.share;
    });
    // Identical sheets become one layout with its count.
    std::vector<Layout> merged;
    for (Layout& layout : layouts) {
        auto same = std::find_if(merged.begin(), merged.end(),
                                 [&](const Layout& m) { return m.sheet == layout.sheet && m.parts == layout.parts; });
        if (same != merged.end()) ++same->copies;
        else merged.push_back(std::move(layout));
    }
    return merged;
}

} // namespace

DeepBest writeLayouts(const DeepJob& job, const Solution& solution, NestingState& state)
{
    TurnedShapes turned(job);
    const std::vector<Layout> layouts = layoutsOf(job, solution, turned);
    state.entities.clear();
    std::vector<std::int32_t> sheetsUsed(state.sheets.size(), 0), partsPlaced(state.parts.size(), 0);
    DeepBest best;
    double partArea = 0, sheetArea = 0, leastShare = 1;
    std::int32_t layoutNo = 0;
    for (const Layout& layout : layouts) {
        ++layoutNo;
        const SheetType& sheet = job.sheets[static_cast<std::size_t>(layout.sheet)];
        const auto sheetIndex = static_cast<std::int32_t>(sheet.record + 1);
        std::int32_t instance = 0;
        for (const Laid& laid : layout.parts) {
            const PartType& part = job.parts[static_cast<std::size_t>(laid.type)];
            Shape placed = turned(laid.type, laid.orient);
            moveShape(placed, laid.x, laid.y);
            const Orientation& o = part.orientations[static_cast<std::size_t>(laid.orient)];
            appendShape(state.entities, placed, layoutNo, sheetIndex, static_cast<std::int32_t>(part.record + 1), ++instance,
                        o.angle, layout.copies, o.mirrored);
            partsPlaced[part.record] += layout.copies;
            partArea += part.area * layout.copies;
        }
        appendShape(state.entities, sheet.shape, layoutNo, sheetIndex, 0, 0, 0, layout.copies);
        sheetsUsed[sheet.record] += layout.copies;
        sheetArea += sheet.area * layout.copies;
        best.sheets += layout.copies;
        leastShare = std::min(leastShare, layout.share);
    }
    normaliseArcs(state.entities);
    state.items = buildItemList(state);
    for (std::size_t s = 0; s < state.sheets.size(); ++s) state.sheets[s].Remaining = state.sheets[s].Qty - sheetsUsed[s];
    for (std::size_t p = 0; p < state.parts.size(); ++p) {
        state.parts[p].Remaining = state.parts[p].Qty - partsPlaced[p];
        best.partsRequired += state.parts[p].Qty;
        best.partsPlaced += partsPlaced[p];
    }
    best.fewestSheets = job.fewestSheets;
    best.fractionalSheets = best.sheets > 0 ? best.sheets - 1 + leastShare : 0;
    best.yield = sheetArea > 0 ? 100 * partArea / sheetArea : 0;
    return best;
}

} // namespace dravenor::deep
