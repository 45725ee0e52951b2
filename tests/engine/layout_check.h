#pragma once
// Checks of finished layouts against the vector geometry (not the engine's raster), through the
// layout check: every part instance lies inside its sheet and no two instances overlap, each
// within a tolerance (one raster cell); and quantities placed never exceed demand or stock.
#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "job/nesting_state.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor::testing {

// One line per fault of the layout check: a part leaving its sheet or two parts overlapping by
// more than the tolerance. Empty when the layouts are sound.
inline std::vector<std::string> geometryFaults(const NestingState& state, double tolerance)
{
    std::vector<std::string> faults;
    for (const LayoutFault& f : checkLayouts(state, tolerance)) {
        std::ostringstream text;
        text << "layout " << f.layoutNo << ": ";
        if (f.kind == LayoutFault::Kind::Overlap) text << "instances " << f.partA << " and " << f.partB << " overlap";
        else text << "instance " << f.partA << " leaves the sheet";
        faults.push_back(text.str());
    }
    return faults;
}

// Instances of each part (0-based like state.parts) over all layouts, each layout counted with
// its quantity; and sheets used per sheet entry.
struct PlacedCounts {
    std::vector<long long> parts, sheets;
};

inline PlacedCounts placedCounts(const NestingState& state)
{
    PlacedCounts counts{std::vector<long long>(state.parts.size()), std::vector<long long>(state.sheets.size())};
    std::map<std::pair<std::int32_t, std::int32_t>, const LayoutEntity*> first;
    for (const LayoutEntity& e : state.entities) first.emplace(std::make_pair(e.LayoutNo, e.Instance), &e);
    for (const auto& [key, e] : first) {
        if (key.second == 0) counts.sheets.at(static_cast<size_t>(e->SheetIndex - 1)) += e->Qty;
        else counts.parts.at(static_cast<size_t>(e->PartIndex - 1)) += e->Qty;
    }
    return counts;
}

} // namespace dravenor::testing
