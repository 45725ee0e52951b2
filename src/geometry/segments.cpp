#include "geometry/segments.h"

#include "geometry/shape_file.h"

namespace dravenor {

void appendEntitySegments(const ShapeEntity& entity, SegmentList& out)
{
    if (entity.RAD == 0) {
        out.push_back({entity.X1, entity.Y1, entity.X2, entity.Y2});
        return;
    }
    const double sag = chordSagitta(entity.RAD, chordStep(arcSweep(entity.Nstart, entity.Nend)));
    forEachArcChord(entity.CX, entity.CY, entity.RAD, entity.Nstart, entity.Nend,
                    [&out, sag](double x1, double y1, double x2, double y2) { out.push_back({x1, y1, x2, y2, sag}); });
}

std::size_t segmentCount(const ShapeEntity& entity)
{
    if (entity.RAD == 0) return 1;
    double s = entity.Nstart, e = entity.Nend;
    unwrapArcAngles(s, e);
    const double step = chordStep(e - s);
    // The same arithmetic as forEachArcChord: its loop, and the closing chord.
    std::size_t chords = 1;
    for (double a = s + step; a <= e; a += step) ++chords;
    return chords;
}

void appendShapeSegments(const Shape& shape, SegmentList& out)
{
    for (const ShapeEntity& entity : shape) appendEntitySegments(entity, out);
}

SegmentList shapeToSegments(const Shape& shape)
{
    SegmentList segments;
    appendShapeSegments(shape, segments);
    return segments;
}

SegmentList loadShapeSegments(const std::string& path, DrawingUnit unit)
{
    Shape shape;
    readShapeByExtension(path, shape, unit);
    return shapeToSegments(shape);
}

} // namespace dravenor
