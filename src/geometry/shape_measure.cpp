#include "geometry/shape_measure.h"

#include <algorithm>
#include <cmath>

#include "geometry/box_grid.h"
#include "geometry/outline_chains.h"
#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "geometry/shape_preview.h"

namespace dravenor {

namespace {

GridBox boxOf(const OutlinePolygon& polygon)
{
    GridBox box{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const OutlinePoint& p : polygon) {
        box.xmin = std::min(box.xmin, p.x);
        box.ymin = std::min(box.ymin, p.y);
        box.xmax = std::max(box.xmax, p.x);
        box.ymax = std::max(box.ymax, p.y);
    }
    return box;
}

// A point on the outline away from its corners: the middle of its first edge of some length.
// Outlines of a valid profile do not cross, so this point lies inside exactly the outlines
// that enclose this one.
OutlinePoint probePoint(const OutlinePolygon& polygon)
{
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const OutlinePoint& a = polygon[i];
        const OutlinePoint& b = polygon[(i + 1) % polygon.size()];
        if (a.x != b.x || a.y != b.y) return {(a.x + b.x) / 2, (a.y + b.y) / 2};
    }
    return polygon.empty() ? OutlinePoint{} : polygon.front();
}

// Outlines inside an odd number of others are holes and subtract; the rest add.
double evenOddArea(const OutlineChains& chains)
{
    const std::vector<OutlinePolygon>& outlines = chains.closedOutlines;
    std::vector<GridBox> boxes;
    for (const OutlinePolygon& outline : outlines) boxes.push_back(boxOf(outline));
    const BoxGrid grid(boxes);
    double area = 0;
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        const OutlinePoint probe = probePoint(outlines[i]);
        int enclosing = 0;
        grid.forEachHolding(probe.x, probe.y, [&](std::size_t j) {
            if (j != i && outlineContains(outlines[j], probe)) ++enclosing;
        });
        const double own = std::fabs(doubleSignedArea(outlines[i]) + chains.arcExcess[i]) / 2;
        area += enclosing % 2 == 0 ? own : -own;
    }
    return area;
}

void countKinds(const Shape& shape, double tolerance, ShapeMeasure& m)
{
    for (const ShapeEntity& e : shape) {
        if (e.RAD == 0) {
            ++m.lines;
            if (distance(e.X1, e.Y1, e.X2, e.Y2) <= tolerance) ++m.degenerate;
            continue;
        }
        if (arcSweep(e.Nstart, e.Nend) >= 360) ++m.circles;
        else ++m.arcs;
        if (e.RAD < 0) ++m.degenerate;
    }
}

} // namespace

ShapeMeasure measureShape(const Shape& shape, double tolerance)
{
    ShapeMeasure m;
    m.entities = static_cast<int>(shape.size());
    countKinds(shape, std::min(tolerance, kEndsMeetAsDrawn), m);
    m.extents = shapeExtents(shape);
    std::size_t chords = 0;
    for (const ShapeEntity& e : shape) chords += segmentCount(e);
    m.chords = static_cast<int>(chords);

    const OutlineChains chains = chainOutlines(shape, tolerance);
    m.closedOutlines = static_cast<int>(chains.closedOutlines.size());
    m.openEnds = chains.openEnds;
    m.closed = m.closedOutlines > 0 && chains.openEnds == 0 && chains.edgesOffOutlines == 0;
    m.enclosedArea = evenOddArea(chains);
    return m;
}

double enclosedArea(const Shape& shape, double tolerance)
{
    return evenOddArea(chainOutlines(shape, tolerance));
}

} // namespace dravenor
