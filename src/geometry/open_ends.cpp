#include "geometry/open_ends.h"

#include <cmath>
#include <vector>

#include "geometry/outline_junctions.h"

namespace dravenor {

void bridgeOpenEnds(SegmentList& segments, double reach)
{
    // The ends of the pieces that have a length: a piece of none (an arc's last chord often is)
    // joins nothing, and its ends would make the end of the piece before it look met.
    std::vector<OutlinePoint> ends;
    for (const Segment& s : segments) {
        if (std::hypot(s.X2 - s.X1, s.Y2 - s.Y1) <= kEndsMeet) continue;
        ends.push_back({s.X1, s.Y1});
        ends.push_back({s.X2, s.Y2});
    }
    // Junctions as outlines are chained: ends that meet, then lone ends paired nearest first
    // (a piece's own two ends never). A junction of two ends apart is a gap to bridge.
    const std::vector<bool> straight(ends.size() / 2, true);
    const std::vector<std::size_t> junction = junctionsOfEnds(ends, straight, kEndsMeet, reach);
    std::vector<std::vector<std::size_t>> endsAt(ends.size());
    for (std::size_t k = 0; k < junction.size(); ++k) endsAt[junction[k]].push_back(k);
    for (const std::vector<std::size_t>& at : endsAt) {
        if (at.size() != 2) continue;
        const OutlinePoint a = ends[at[0]], b = ends[at[1]];
        if (std::hypot(a.x - b.x, a.y - b.y) > kEndsMeet) segments.push_back({a.x, a.y, b.x, b.y});
    }
}

} // namespace dravenor
