#include "geometry/open_ends.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>
#include <vector>

namespace dravenor {

namespace {

struct End {
    double x, y;
    size_t segment;
};

std::vector<End> endsOf(const SegmentList& segments)
{
    std::vector<End> ends;
    ends.reserve(2 * segments.size());
    for (size_t k = 0; k < segments.size(); ++k) {
        // A piece of no length (an arc's last chord often is) joins nothing: its ends would make
        // the end of the piece before it look met.
        if (std::hypot(segments[k].X2 - segments[k].X1, segments[k].Y2 - segments[k].Y1) <= kEndsMeet) continue;
        ends.push_back({segments[k].X1, segments[k].Y1, k});
        ends.push_back({segments[k].X2, segments[k].Y2, k});
    }
    // Non-finite ends cannot be bridged; they sort last and are never near anything.
    std::sort(ends.begin(), ends.end(), [](const End& a, const End& b) { return a.x < b.x; });
    return ends;
}

// Calls visit(j) for every end after i (in x order) within `reach` of end i along x.
template <class Visit>
void forEachEndWithin(const std::vector<End>& ends, size_t i, double reach, Visit&& visit)
{
    for (size_t j = i + 1; j < ends.size() && ends[j].x - ends[i].x <= reach; ++j) visit(j);
}

double distance(const End& a, const End& b) { return std::hypot(a.x - b.x, a.y - b.y); }

} // namespace

void bridgeOpenEnds(SegmentList& segments, double reach)
{
    const std::vector<End> ends = endsOf(segments);
    std::vector<bool> meets(ends.size(), false);
    for (size_t i = 0; i < ends.size(); ++i)
        forEachEndWithin(ends, i, kEndsMeet, [&](size_t j) {
            // A segment's own two ends meeting make a closed loop of one zero-length piece, not a joint.
            if (ends[j].segment != ends[i].segment && distance(ends[i], ends[j]) <= kEndsMeet) meets[i] = meets[j] = true;
        });
    std::vector<std::tuple<double, size_t, size_t>> candidates; // (distance, i, j) of open ends
    for (size_t i = 0; i < ends.size(); ++i) {
        if (meets[i]) continue;
        forEachEndWithin(ends, i, reach, [&](size_t j) {
            const double d = distance(ends[i], ends[j]);
            if (!meets[j] && ends[j].segment != ends[i].segment && d <= reach) candidates.emplace_back(d, i, j);
        });
    }
    std::sort(candidates.begin(), candidates.end());
    std::vector<bool> bridged(ends.size(), false);
    for (const auto& [d, i, j] : candidates) {
        if (bridged[i] || bridged[j]) continue;
        bridged[i] = bridged[j] = true;
        segments.push_back({ends[i].x, ends[i].y, ends[j].x, ends[j].y});
    }
}

} // namespace dravenor
