#pragma once
// What the program does next with a shape it has read, for the shape-file and drawing targets:
// shape-info's measure and diagnosis, the gaps "close" and the shape editor add (and that both
// ways of finding them agree), the move and turn a layout gives a part.
#include <string>

#include "fuzz/fuzz_support.h"
#include "geometry/outline_closing.h"
#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "geometry/shape_diagnosis.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"

namespace dravenor::fuzz {

// Beyond this many segments the full scan (every end against every other) is left out: it
// would cost too much time per input.
inline constexpr size_t kMostComparedSegments = 400;
// Beyond this many chords the closing is left out as well: a drawing of block arrays yields
// millions of them from a few kilobytes, and closing them would take longer than the fuzzer waits.
inline constexpr size_t kMostClosedSegments = 100000;

inline bool sameSegments(const SegmentList& a, const SegmentList& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!sameNumber(a[i].X1, b[i].X1) || !sameNumber(a[i].Y1, b[i].Y1) || !sameNumber(a[i].X2, b[i].X2) ||
            !sameNumber(a[i].Y2, b[i].Y2) || !sameNumber(a[i].sag, b[i].sag))
            return false;
    return true;
}

// missingLines' closing (by the grid, else by the full scan), and for a small shape the full
// scan beside the grid.
inline void exerciseClosing(const Shape& shape)
{
    SegmentList byGrid = shapeToSegments(shape);
    const bool compared = byGrid.size() <= kMostComparedSegments;
    if (!closeOutlinesByGrid(byGrid)) {
        if (compared) closeOutlinesByFullScan(byGrid);
    } else if (compared) {
        SegmentList byScan = shapeToSegments(shape);
        closeOutlinesByFullScan(byScan);
        if (!sameSegments(byGrid, byScan)) finding("closing by grid and by full scan added different segments");
    }
}

inline void exerciseShape(const std::string& path, const ShapeReadReport& report, Shape shape)
{
    const ShapeMeasure measure = measureShape(shape);
    diagnoseShape(path, report, measure);
    if (static_cast<size_t>(measure.chords) <= kMostClosedSegments) exerciseClosing(shape);

    normaliseShape(shape);
    rotateShape(shape, 90);
}

} // namespace dravenor::fuzz
