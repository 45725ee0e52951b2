#pragma once
// The two candidate gaps of the segment under examination (its start and its end to the nearest
// end of another segment), shared by both search strategies of outline closing.
#include <cmath>

#include "geometry/segments.h"

namespace dravenor {

inline constexpr double kNoGapYet = 999999999;
inline constexpr double kGapLimit = 1.0;

inline double endDistance(double x1, double y1, double x2, double y2)
{
    return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

struct Gap {
    double best = kNoGapYet;
    double px = 0, py = 0, qx = 0, qy = 0; // kept from the previous segment until improved

    // Strictly nearer only: among equally near ends the first one offered wins.
    void offer(double ownX, double ownY, double otherX, double otherY)
    {
        const double d = endDistance(ownX, ownY, otherX, otherY);
        if (d < best) {
            best = d;
            px = ownX;
            py = ownY;
            qx = otherX;
            qy = otherY;
        }
    }

    // Touching ends, level or plumb gaps and gaps of the limit or more stay open.
    bool closes() const
    {
        return best > 0 && px != qx && py != qy && endDistance(px, py, qx, qy) < kGapLimit;
    }
};

struct GapCandidates {
    Gap start, end;

    // A new search; the points stay from the previous one until improved.
    void reset()
    {
        start.best = kNoGapYet;
        end.best = kNoGapYet;
    }

    // The ends of another segment, in the order that decides ties: its start, then its end.
    void consider(const Segment& own, const Segment& other)
    {
        start.offer(own.X1, own.Y1, other.X1, other.Y1);
        start.offer(own.X1, own.Y1, other.X2, other.Y2);
        end.offer(own.X2, own.Y2, other.X1, other.Y1);
        end.offer(own.X2, own.Y2, other.X2, other.Y2);
    }

    void appendClosingSegments(SegmentList& segments) const
    {
        if (start.closes()) segments.push_back({start.px, start.py, start.qx, start.qy});
        if (end.closes()) segments.push_back({end.px, end.py, end.qx, end.qy});
    }
};

} // namespace dravenor
