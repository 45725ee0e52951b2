#pragma once
// Short ways to write the shapes the geometry tests use.
#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "geometry/entity_distance.h"
#include "geometry/shape.h"

namespace dravenor {

// Entities print as their nine fields in failure messages.
inline void PrintTo(const ShapeEntity& e, std::ostream* os)
{
    *os << "{" << e.X1 << ", " << e.Y1 << ", " << e.X2 << ", " << e.Y2 << ", " << e.CX << ", " << e.CY << ", "
        << e.RAD << ", " << e.Nstart << ", " << e.Nend << "}";
}

} // namespace dravenor

namespace dravenor::testing {

inline ShapeEntity lineEntity(double x1, double y1, double x2, double y2) { return {x1, y1, x2, y2}; }

inline ShapeEntity arcEntity(double cx, double cy, double rad, double startDegrees, double endDegrees)
{
    return {0, 0, 0, 0, cx, cy, rad, startDegrees, endDegrees};
}

// A closed polygon of lines through the corners, in order.
inline Shape polygon(const std::vector<std::pair<double, double>>& corners)
{
    Shape shape;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const auto [x1, y1] = corners[i];
        const auto [x2, y2] = corners[(i + 1) % corners.size()];
        shape.push_back(lineEntity(x1, y1, x2, y2));
    }
    return shape;
}

// Counter-clockwise rectangle of four lines from (x, y).
inline Shape rectangle(double x, double y, double w, double h)
{
    return polygon({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}});
}

// Flattened curves as CAD programs and tracing write them: a disc of diameter 1000 as 2000 lines
// 1.57 long (every 50th stopping `gap` short of the next), and an offcut (1800 x 1200 less a notch) whose cut edge waves in
// lines 2 and 0.7 long, with four gaps of 0.4 (its lines 10, 200, 400 and 600 stop short).
inline Shape denseDisc(double gap = 0)
{
    Shape shape;
    for (int i = 0; i < 2000; ++i) {
        const double to = (i + 1 - (i % 50 ? 0 : gap / 1.5708)) * M_PI / 1000;
        shape.push_back(lineEntity(500 + 500 * std::cos(i * M_PI / 1000), 500 + 500 * std::sin(i * M_PI / 1000),
                                   500 + 500 * std::cos(to), 500 + 500 * std::sin(to)));
    }
    shape.back().X2 = 1000, shape.back().Y2 = 500; // the first corner exactly
    return shape;
}
inline Shape tracedOffcut()
{
    std::vector<std::pair<double, double>> c{{0, 0}, {1800, 0}, {1800, 600}};
    for (double x = 1800; x > 900; x -= c.size() % 2 ? 2.0 : 0.7) c.emplace_back(x, 600 + 3 * std::sin(x / 15));
    c.insert(c.end(), {{900, 1200}, {0, 1200}});
    Shape shape;
    for (std::size_t i = 0; i < c.size(); ++i) {
        const auto [x1, y1] = c[i];
        const auto [x2, y2] = c[(i + 1) % c.size()];
        const double keep = i == 10 || i == 200 || i == 400 || i == 600 ? 1 - 0.4 / std::hypot(x2 - x1, y2 - y1) : 1;
        shape.push_back(lineEntity(x1, y1, x1 + (x2 - x1) * keep, y1 + (y2 - y1) * keep));
    }
    return shape;
}

// A disc of the outer diameter about (cx, cy) with a round hole of the inner one (none when 0).
inline Shape washer(double cx, double cy, double outerDiameter, double innerDiameter = 0)
{
    Shape s{arcEntity(cx, cy, outerDiameter / 2, 0, 0)};
    if (innerDiameter > 0) s.push_back(arcEntity(cx, cy, innerDiameter / 2, 0, 0));
    return s;
}

inline Shape circle(double cx, double cy, double radius) { return {arcEntity(cx, cy, radius, 0, 0)}; }

inline void append(Shape& to, const Shape& more) { to.insert(to.end(), more.begin(), more.end()); }

// count + 1 points along the entity, ends included: a line from its start, an arc
// counter-clockwise from its start angle, a circle (equal angles) all round.
inline std::vector<std::pair<double, double>> pointsAlong(const ShapeEntity& e, int count)
{
    std::vector<std::pair<double, double>> points;
    double end = e.Nend;
    if (e.Nstart == end) end += 360;
    while (end < e.Nstart) end += 360;
    for (int i = 0; i <= count; ++i) {
        const double t = static_cast<double>(i) / count, a = (e.Nstart + t * (end - e.Nstart)) * M_PI / 180;
        if (e.isLine()) points.emplace_back(e.X1 + t * (e.X2 - e.X1), e.Y1 + t * (e.Y2 - e.Y1));
        else points.emplace_back(e.CX + e.RAD * std::cos(a), e.CY + e.RAD * std::sin(a));
    }
    return points;
}

// The least distance from the point to the shape's entities, exact for arcs.
inline double distanceToShape(const Shape& shape, double x, double y)
{
    double least = INFINITY;
    for (const ShapeEntity& e : shape) least = std::min(least, pointEntityDistance(x, y, e));
    return least;
}

} // namespace dravenor::testing
