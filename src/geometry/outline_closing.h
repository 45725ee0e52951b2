#pragma once
// Closing small gaps in outlines: for every segment end whose nearest other end is closer than
// 1.0 (but not touching, and not exactly level or plumb with it), a straight segment is appended
// from the end to that nearest end. Segments appended are examined in their turn; nothing
// existing is moved or removed.
#include <vector>

#include "geometry/segments.h"
#include "geometry/shape.h"

namespace dravenor {

// Appends the closing segments after the existing ones.
void closeOutlines(SegmentList& segments);

// The two ways of finding the nearest ends, which append the same segments in the same order:
// comparing every segment with every other one, and looking only in the grid cells around each
// end (closeOutlines uses it whenever all ends lie within one billion units of each other).
void closeOutlinesByFullScan(SegmentList& segments);
// Returns false, without touching the list, when the ends are too far apart (or not finite)
// for the grid to give the same result.
bool closeOutlinesByGrid(SegmentList& segments);

// The lines the shape's segment form needs to close its gaps, as line entities (what the shape
// editor appends to its entities).
std::vector<ShapeEntity> missingLines(const Shape& shape);

} // namespace dravenor
