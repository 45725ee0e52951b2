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
#include "geometry/grid_cell.h"
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

GridCell cellOf(double x, double y)
{
    return gridCellOf(x, y, kGapLimit);
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

struct Point {
    double x, y;
    bool operator==(const Point&) const = default;
};

struct PointHash {
    std::size_t operator()(const Point& p) const { return std::hash<double>()(p.x) * 31 ^ std::hash<double>()(p.y); }
};

class EndGrid {
public:
    void add(const Segment& s, std::size_t index)
    {
        cells_[cellOf(s.X1, s.Y1)].push_back({index, false});
        cells_[cellOf(s.X2, s.Y2)].push_back({index, true});
        ++endsAt_[{s.X1, s.Y1}];
        ++endsAt_[{s.X2, s.Y2}];
    }

    // Whether an end of another segment lies exactly at (x, y), an end of `own`: the nearest end
    // is then at distance 0 and no gap closes there, so the ends around need not be searched.
    // (Ends of an outline's chords all touch, and searching each one's nine cells would cost
    // time in proportion to the ends crowded there.)
    bool touchedByOther(double x, double y, const Segment& own) const
    {
        const auto found = endsAt_.find({x, y});
        const int ownEnds = (own.X1 == x && own.Y1 == y) + (own.X2 == x && own.Y2 == y);
        return found != endsAt_.end() && found->second > ownEnds;
    }

    // The ends of other segments in the nine cells around (x, y), in full-scan order.
    void nearEnds(double x, double y, std::size_t own, std::vector<EndRef>& out) const
    {
        const GridCell centre = cellOf(x, y);
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
    std::unordered_map<GridCell, std::vector<EndRef>, GridCellHash> cells_;
    std::unordered_map<Point, int, PointHash> endsAt_;
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
        if (!grid.touchedByOther(own.X1, own.Y1, own)) {
            ends.clear();
            grid.nearEnds(own.X1, own.Y1, i, ends);
            offerNearEnds(gaps.start, own.X1, own.Y1, ends, segments);
        }
        if (!grid.touchedByOther(own.X2, own.Y2, own)) {
            ends.clear();
            grid.nearEnds(own.X2, own.Y2, i, ends);
            offerNearEnds(gaps.end, own.X2, own.Y2, ends, segments);
        }

        const std::size_t before = segments.size();
        gaps.appendClosingSegments(segments);
        for (std::size_t k = before; k < segments.size(); ++k) grid.add(segments[k], k);
    }
    return true;
}

} // namespace dravenor
