#pragma once
// The shape record: an unordered list of lines, arcs and circles. Entity numbers shown to the
// user (grid rows, highlight ranges) are 1-based: entity n is entities[n - 1].
#include <vector>

namespace dravenor {

// A line when RAD is 0; otherwise a circle when Nstart == Nend, else an arc running
// counter-clockwise from Nstart to Nend degrees.
struct ShapeEntity {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    double CX = 0, CY = 0, RAD = 0;
    double Nstart = 0, Nend = 0;

    bool isLine() const { return RAD == 0; }
    bool isCircle() const { return RAD != 0 && Nstart == Nend; }
    bool isArc() const { return RAD != 0 && Nstart != Nend; }
    bool operator==(const ShapeEntity&) const = default;
};

using Shape = std::vector<ShapeEntity>;

// Bounding box; the initial values stay in place for an empty shape.
struct Extents {
    double xmin = 999999999, ymin = 999999999, xmax = -999999999, ymax = -999999999;
    bool empty() const { return xmin > xmax; }
    double width() const { return xmax - xmin; }
    double height() const { return ymax - ymin; }
};

} // namespace dravenor
