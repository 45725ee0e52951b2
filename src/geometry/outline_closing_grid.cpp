// Outline closing with the segment ends filed in a grid of cells one gap limit wide: an end
// nearer than the limit lies in one of the nine cells around the end being examined, so only
// those are searched. The candidates are offered in the order of the full scan (segment number,
// start before end), so ties go the same way and the same segments are appended.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "geometry/outline_closing.h"
#include "geometry/outline_closing_gap.h"
#include "geometry/primitives.h"

namespace dravenor {

namespace {

// Within this span every end is nearer to every other than the "no gap yet" distance, so the
// full scan always finds its true nearest end and never keeps points from an earlier segment.
constexpr double kSpanLimit = 9e8;

struct EndRef {
    std::size_t segment;
    bool isEnd; // false: the segment's start
    bool operator<(const EndRef& o) const { return segment != o.segment ? segment < o.segment : isEnd < o.isEnd; }
};

struct Cell {
    std::int64_t x, y;
    bool operator==(const Cell&) const = default;
};

struct CellHash {
    std::size_t operator()(const Cell& c) const
    {
        return std::hash<std::int64_t>()(c.x * 73856093 ^ c.y * 19349663);
    }
};

Cell cellOf(double x, double y)
{
    return {static_cast<std::int64_t>(std::floor(x / kGapLimit)), static_cast<std::int64_t>(std::floor(y / kGapLimit))};
}

bool fitsTheGrid(const SegmentList& segments)
{
    Extents box;
    for (const Segment& s : segments) {
        for (double v : {s.X1, s.Y1, s.X2, s.Y2})
            if (!std::isfinite(v)) return false;
        includePoint(box, s.X1, s.Y1);
        includePoint(box, s.X2, s.Y2);
    }
    return segments.empty() || endDistance(box.xmin, box.ymin, box.xmax, box.ymax) < kSpanLimit;
}

class EndGrid {
public:
    void add(const Segment& s, std::size_t index)
    {
        cells_[cellOf(s.X1, s.Y1)].push_back({index, false});
        cells_[cellOf(s.X2, s.Y2)].push_back({index, true});
    }

    // The ends of other segments in the nine cells around (x, y), in full-scan order.
    void nearEnds(double x, double y, std::size_t own, std::vector<EndRef>& out) const
    {
        const Cell centre = cellOf(x, y);
        for (std::int64_t dx = -1; dx <= 1; ++dx)
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                const auto found = cells_.find({centre.x + dx, centre.y + dy});
                if (found == cells_.end()) continue;
                for (const EndRef& r : found->second)
                    if (r.segment != own) out.push_back(r);
            }
        std::sort(out.begin(), out.end());
    }

private:
    std::unordered_map<Cell, std::vector<EndRef>, CellHash> cells_;
};

void offerNearEnds(Gap& gap, double x, double y, const std::vector<EndRef>& ends, const SegmentList& segments)
{
    for (const EndRef& r : ends) {
        const Segment& other = segments[r.segment];
        if (r.isEnd) gap.offer(x, y, other.X2, other.Y2);
        else gap.offer(x, y, other.X1, other.Y1);
    }
}

} // namespace

bool closeOutlinesByGrid(SegmentList& segments)
{
    if (!fitsTheGrid(segments)) return false;
    EndGrid grid;
    for (std::size_t j = 0; j < segments.size(); ++j) grid.add(segments[j], j);

    std::vector<EndRef> ends;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        // Only ends nearer than the limit can close a gap; with none of them found the points
        // must not come from an earlier segment, so the search starts afresh.
        GapCandidates gaps;
        const Segment own = segments[i];
        ends.clear();
        grid.nearEnds(own.X1, own.Y1, i, ends);
        offerNearEnds(gaps.start, own.X1, own.Y1, ends, segments);
        ends.clear();
        grid.nearEnds(own.X2, own.Y2, i, ends);
        offerNearEnds(gaps.end, own.X2, own.Y2, ends, segments);

        const std::size_t before = segments.size();
        gaps.appendClosingSegments(segments);
        for (std::size_t k = before; k < segments.size(); ++k) grid.add(segments[k], k);
    }
    return true;
}

} // namespace dravenor
