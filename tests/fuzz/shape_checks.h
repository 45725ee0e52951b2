#pragma once
// What the program does next with a shape it has read, for the shape-file and drawing targets:
// shape-info's measure and diagnosis, the gaps "close" and the shape editor add, the turn a
// layout gives a part, and the agreement of the two ways of finding the gaps.
#include <string>

#include "fuzz/fuzz_support.h"
#include "geometry/outline_closing.h"
#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "geometry/shape_diagnosis.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"

namespace dravenor::fuzz {

// Beyond this many segments the full scan (every end against every other) costs too much time
// per input.
inline constexpr size_t kMostComparedSegments = 2000;

inline bool sameSegments(const SegmentList& a, const SegmentList& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!sameNumber(a[i].X1, b[i].X1) || !sameNumber(a[i].Y1, b[i].Y1) || !sameNumber(a[i].X2, b[i].X2) ||
            !sameNumber(a[i].Y2, b[i].Y2) || !sameNumber(a[i].sag, b[i].sag))
            return false;
    return true;
}

inline void exerciseShape(const std::string& path, const ShapeReadReport& report, Shape shape)
{
    diagnoseShape(path, report, measureShape(shape));
    missingLines(shape);
    normaliseShape(shape);
    rotateShape(shape, 90);

    size_t segments = 0;
    for (const ShapeEntity& e : shape) segments += segmentCount(e);
    if (segments > kMostComparedSegments) return;
    SegmentList byGrid = shapeToSegments(shape);
    SegmentList byScan = byGrid;
    if (!closeOutlinesByGrid(byGrid)) return;
    closeOutlinesByFullScan(byScan);
    if (!sameSegments(byGrid, byScan)) finding("closing by grid and by full scan added different segments");
}

} // namespace dravenor::fuzz
