#pragma once
// Short ways to write the shapes the geometry tests use.
#include <cmath>
#include <ostream>
#include <set>
#include <string>
#include <vector>

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

// Counter-clockwise rectangle of four lines from (x, y).
inline Shape rectangle(double x, double y, double w, double h)
{
    return {lineEntity(x, y, x + w, y), lineEntity(x + w, y, x + w, y + h), lineEntity(x + w, y + h, x, y + h),
            lineEntity(x, y + h, x, y)};
}

// A closed polygon drawn as one line per side; the sides numbered in `gaps` stop 0.4 short of
// the next corner (as traced outlines leave their joints open).
inline Shape polygonLines(const std::vector<std::pair<double, double>>& corners, const std::set<std::size_t>& gaps = {})
{
    Shape shape;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const auto [x1, y1] = corners[i];
        auto [x2, y2] = corners[(i + 1) % corners.size()];
        if (gaps.count(i)) {
            const double shorten = 0.4 / std::hypot(x2 - x1, y2 - y1);
            x2 -= (x2 - x1) * shorten;
            y2 -= (y2 - y1) * shorten;
        }
        shape.push_back(lineEntity(x1, y1, x2, y2));
    }
    return shape;
}

// A disc of diameter 1000 at (0, 0)-(1000, 1000) flattened into 2000 lines 1.57 long, as CAD
// programs write curves.
inline Shape denseDisc(const std::set<std::size_t>& gaps = {})
{
    std::vector<std::pair<double, double>> corners;
    for (int i = 0; i < 2000; ++i)
        corners.emplace_back(500 + 500 * std::cos(i * 3.14159265358979 / 1000), 500 + 500 * std::sin(i * 3.14159265358979 / 1000));
    return polygonLines(corners, gaps);
}

// A traced offcut, 1800 x 1200 less a notch, its cut edge a wave of lines 2 and 0.7 long.
inline Shape tracedOffcut(const std::set<std::size_t>& gaps = {})
{
    std::vector<std::pair<double, double>> corners{{0, 0}, {1800, 0}, {1800, 600}};
    for (double x = 1800; x > 900;) {
        x -= corners.size() % 2 ? 2.0 : 0.7;
        corners.emplace_back(std::max(x, 900.0), 600 + 3 * std::sin(x / 15));
    }
    for (auto corner : std::vector<std::pair<double, double>>{{900, 1200}, {0, 1200}}) corners.push_back(corner);
    return polygonLines(corners, gaps);
}

inline void append(Shape& to, const Shape& more) { to.insert(to.end(), more.begin(), more.end()); }

inline std::string testDataPath(const std::string& name) { return DRAVENOR_TEST_DATA "/geometry/" + name; }

} // namespace dravenor::testing
