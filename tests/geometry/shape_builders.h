#pragma once
// Short ways to write the shapes the geometry tests use.
#include <ostream>
#include <string>

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

// A disc of the outer diameter about (cx, cy) with a round hole of the inner one (none when 0).
inline Shape washer(double cx, double cy, double outerDiameter, double innerDiameter = 0)
{
    Shape s{arcEntity(cx, cy, outerDiameter / 2, 0, 0)};
    if (innerDiameter > 0) s.push_back(arcEntity(cx, cy, innerDiameter / 2, 0, 0));
    return s;
}

inline void append(Shape& to, const Shape& more) { to.insert(to.end(), more.begin(), more.end()); }

inline std::string testDataPath(const std::string& name) { return DRAVENOR_TEST_DATA "/geometry/" + name; }

} // namespace dravenor::testing
