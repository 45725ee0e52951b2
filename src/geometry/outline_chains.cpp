#include "geometry/outline_chains.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/disjoint_sets.h"
#include "geometry/outline_junctions.h"
#include "geometry/segments.h"

namespace dravenor {

namespace {

// An entity that joins two ends: its chord points from its start to its end, and twice the area
// between its arc and those chords (0 for a line), counted positive in the entity's direction.
struct Edge {
    std::vector<OutlinePoint> points;
    double arcExcess = 0;
};

double pointDistance(OutlinePoint a, OutlinePoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Arcs run counter-clockwise, so seen from their centre the exact doubled area of the sweep is
// RAD^2 x sweep; the chords' share of it is the shoelace sum about the centre.
double arcExcessOf(const ShapeEntity& e, const std::vector<OutlinePoint>& chordPoints)
{
    double chords = 0;
    for (std::size_t i = 0; i + 1 < chordPoints.size(); ++i) {
        const OutlinePoint a{chordPoints[i].x - e.CX, chordPoints[i].y - e.CY};
        const OutlinePoint b{chordPoints[i + 1].x - e.CX, chordPoints[i + 1].y - e.CY};
        chords += a.x * b.y - b.x * a.y;
    }
    return e.RAD * e.RAD * arcSweep(e.Nstart, e.Nend) * std::numbers::pi / 180 - chords;
}

Edge chordEdge(const ShapeEntity& e)
{
    if (e.RAD == 0) return {{{e.X1, e.Y1}, {e.X2, e.Y2}}};
    Edge edge;
    forEachArcChord(e.CX, e.CY, e.RAD, e.Nstart, e.Nend, [&](double x1, double y1, double x2, double y2) {
        if (edge.points.empty()) edge.points.push_back({x1, y1});
        edge.points.push_back({x2, y2});
    });
    edge.arcExcess = arcExcessOf(e, edge.points);
    return edge;
}

bool isFinite(OutlinePoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool isFullTurn(const ShapeEntity& e)
{
    return e.RAD != 0 && arcSweep(e.Nstart, e.Nend) >= 360;
}


// Walks a closed chain from the start of the first edge back to it, collecting the corners and
// the arcs' excess in the direction of the walk.
void walkOutline(std::size_t firstEdge, const std::vector<Edge>& edges,
                 const std::vector<std::vector<std::size_t>>& endsAtJunction, const std::vector<std::size_t>& junction,
                 std::vector<bool>& visited, OutlineChains& result)
{
    OutlinePolygon polygon;
    double arcExcess = 0;
    const std::size_t startEnd = 2 * firstEdge;
    std::size_t leaving = startEnd;
    do {
        const std::size_t edge = leaving / 2;
        const bool forward = leaving % 2 == 0;
        visited[edge] = true;
        const std::vector<OutlinePoint>& points = edges[edge].points;
        if (forward) polygon.insert(polygon.end(), points.begin(), points.end() - 1);
        else polygon.insert(polygon.end(), points.rbegin(), points.rend() - 1);
        arcExcess += forward ? edges[edge].arcExcess : -edges[edge].arcExcess;
        const std::size_t arriving = leaving ^ 1;
        const std::vector<std::size_t>& there = endsAtJunction[junction[arriving]];
        leaving = there[0] == arriving ? there[1] : there[0];
    } while (leaving != startEnd);
    result.closedOutlines.push_back(std::move(polygon));
    result.arcExcess.push_back(arcExcess);
}

} // namespace

OutlineChains chainOutlines(const Shape& shape, double gapTolerance)
{
    const double meet = std::min(gapTolerance, kEndsMeetAsDrawn);
    OutlineChains result;
    std::vector<Edge> edges;
    for (const ShapeEntity& e : shape) {
        Edge edge = chordEdge(e);
        if (!isFinite(edge.points.front()) || !isFinite(edge.points.back())) continue;
        if (isFullTurn(e)) {
            edge.points.pop_back(); // the closing corner is the first one again
            result.closedOutlines.push_back(std::move(edge.points));
            result.arcExcess.push_back(edge.arcExcess);
        } else if (e.RAD != 0 || pointDistance(edge.points.front(), edge.points.back()) > meet) {
            edges.push_back(std::move(edge));
        }
    }
    if (edges.empty()) return result;

    std::vector<OutlinePoint> ends;
    std::vector<bool> straight;
    for (const Edge& edge : edges) {
        ends.insert(ends.end(), {edge.points.front(), edge.points.back()});
        straight.push_back(edge.points.size() == 2);
    }
    const std::vector<std::size_t> junction = junctionsOfEnds(ends, straight, meet, gapTolerance);
    std::vector<std::vector<std::size_t>> endsAtJunction(junction.size());
    for (std::size_t end = 0; end < junction.size(); ++end) endsAtJunction[junction[end]].push_back(end);

    // Chains: junctions linked through their edges. A chain is closed when every junction on it
    // joins exactly two ends.
    DisjointSets chains(junction.size());
    for (std::size_t edge = 0; edge < edges.size(); ++edge) chains.join(junction[2 * edge], junction[2 * edge + 1]);
    std::vector<bool> chainIsClosed(junction.size(), true);
    for (std::size_t end = 0; end < junction.size(); ++end) {
        const std::size_t count = endsAtJunction[junction[end]].size();
        if (count == 1) ++result.openEnds;
        if (count != 2) chainIsClosed[chains.root(junction[end])] = false;
    }

    std::vector<bool> visited(edges.size(), false);
    for (std::size_t edge = 0; edge < edges.size(); ++edge) {
        if (visited[edge]) continue;
        if (!chainIsClosed[chains.root(junction[2 * edge])]) {
            ++result.edgesOffOutlines;
            continue;
        }
        walkOutline(edge, edges, endsAtJunction, junction, visited, result);
    }
    return result;
}

double doubleSignedArea(const OutlinePolygon& polygon)
{
    double sum = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const OutlinePoint& a = polygon[i];
        const OutlinePoint& b = polygon[(i + 1) % polygon.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

bool outlineContains(const OutlinePolygon& polygon, OutlinePoint point)
{
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const OutlinePoint& a = polygon[i];
        const OutlinePoint& b = polygon[j];
        if ((a.y > point.y) != (b.y > point.y) &&
            point.x < (b.x - a.x) * (point.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

} // namespace dravenor
