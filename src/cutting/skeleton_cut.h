#pragma once
// The skeleton cut-up: once every part is out, straight cuts across the waste, evenly spaced in x
// and in y, so that no piece of the skeleton is longer than a set length and each can be lifted
// off the table. A line is cut only on the plate and outside every part's outer torch path, so it
// never comes closer than half the kerf to a part; each stretch of it starts in a part's kerf or
// at the plate's edge and needs no pierce.
#include <optional>
#include <vector>

#include "cutting/cut_plan.h"

namespace dravenor::cutting {

// The label of such a cut in the plan and the program's comment.
inline constexpr const char* kSkeletonCutLabel = "skeleton cut-up";

// The waste a cut-up runs through: the plate's closed contours (outline and holes, even-odd) and
// the closed outer torch paths of the parts, as polygons; where a remnant is kept, only the side
// of its cut line away from `keepNormal` (points p with dot(p, keepNormal) <= keepLimit).
struct SkeletonWaste {
    std::vector<std::vector<Vec2>> plate;
    std::vector<std::vector<Vec2>> parts;
    std::optional<Vec2> keepNormal;
    double keepLimit = 0;
};

// The cuts across the waste of a sheet of those extents, lines at most `piece` apart, in a
// meander from `from`; `from` ends where the last one ends.
std::vector<CutContour> skeletonCuts(const SkeletonWaste& waste, const Extents& sheet, double piece, Vec2& from);

} // namespace dravenor::cutting
