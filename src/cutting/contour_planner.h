#pragma once
// The contours of a layout's parts in the order the torch takes them: each part with the parts in
// its holes and those holes first, each contour from a start point with room for its lead-in,
// with its overcut, lead-out and microjoints; parts joined by common lines as one group.
#include <string>
#include <vector>

#include "cutting/cut_plan.h"
#include "cutting/lead_room.h"
#include "cutting/placed_parts.h"

namespace dravenor::cutting {

// The contours of each group of parts (partGroups), the groups cut in the order given from home;
// with `common` the groups' shared stretches are cut once (and kept in common->cuts).
std::vector<std::vector<CutContour>> cutGroups(std::vector<PlacedPart>& parts, const std::vector<std::vector<int>>& groups,
                                               const std::vector<int>& order, const LeadRoom& room,
                                               const CutSettings& settings, Vec2 home, CommonLines* common,
                                               std::vector<std::string>& warnings);

} // namespace dravenor::cutting
