#pragma once
// The exact test of Deep Nesting: whether two regions, each moved by an offset, share material.
// Boxes first, then the inscribed circles (two circles that overlap prove a collision at once),
// then the edges, and last the anchors for rings lying wholly inside the other's material. Edges that
// touch count as meeting: every region is grown with room to spare, so touching is never needed
// and rounding can never hide an overlap.
#include "deep/region.h"

namespace dravenor::deep {

// Even-odd: whether the point lies in the material of the edges.
bool materialHolds(const std::vector<Edge>& edges, Point p);
bool materialHolds(const Region& region, Point p);
// Distance from the point to the nearest edge.
double distanceToEdges(const std::vector<Edge>& edges, Point p);
double distanceToEdges(const Region& region, Point p);
// Whether two closed segments share a point.
bool segmentsMeet(Point a1, Point a2, Point b1, Point b2);

// The first few poles of each region, tested pairwise: true proves a collision.
bool polesOverlap(const Region& a, Point da, const Region& b, Point db);
// Whether the regions, moved by da and db, share material or their edges touch: the poles first,
// then the outlines.
bool regionsCollide(const Region& a, Point da, const Region& b, Point db);
// The same on the edges and anchors alone, for callers that tried the poles already.
bool outlinesCollide(const Region& a, Point da, const Region& b, Point db);

} // namespace dravenor::deep
