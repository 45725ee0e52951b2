#include "engine/layout_summary.h"

#include <map>
#include <set>
#include <utility>

namespace dravenor {

std::vector<LayoutSummary> summariseLayouts(const NestingState& state, const RecordAreas& areas)
{
    std::map<std::int32_t, LayoutSummary> byNumber;
    std::set<std::pair<std::int32_t, std::int32_t>> seenInstances;
    for (const LayoutEntity& e : state.entities) {
        LayoutSummary& s = byNumber[e.LayoutNo];
        s.layoutNo = e.LayoutNo;
        if (e.Instance == 0) {
            s.sheetIndex = e.SheetIndex;
            s.qty = e.Qty;
            continue;
        }
        if (!seenInstances.insert({e.LayoutNo, e.Instance}).second) continue;
        ++s.partsPlaced;
        s.partArea += areas.part(e.PartIndex);
    }
    std::vector<LayoutSummary> layouts;
    for (auto& [number, s] : byNumber) {
        if (s.sheetIndex >= 1 && static_cast<size_t>(s.sheetIndex) <= state.sheets.size())
            s.sheetFile = state.sheet(s.sheetIndex).FileName;
        s.sheetArea = areas.sheet(s.sheetIndex);
        layouts.push_back(s);
    }
    return layouts;
}

std::vector<LayoutSummary> summariseLayouts(const NestingState& state)
{
    return summariseLayouts(state, countedAreas(state));
}

double overallYield(const std::vector<LayoutSummary>& layouts)
{
    double parts = 0, sheets = 0;
    for (const LayoutSummary& s : layouts) {
        parts += s.partArea * s.qty;
        sheets += s.sheetArea * s.qty;
    }
    return sheets > 0 ? parts / sheets : 0;
}

} // namespace dravenor
