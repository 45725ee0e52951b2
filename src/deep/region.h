#pragma once
// The exact shapes Deep Nesting places and avoids: regions of material bounded by straight edges
// (read even-odd), with the inscribed circles that stand in for them in cheap tests and in the
// measure of an overlap.
#include <algorithm>
#include <cstdint>
#include <cmath>
#include <limits>
#include <vector>

namespace dravenor::deep {

struct Point {
    double x = 0, y = 0;
};

inline constexpr double kInfinity = std::numeric_limits<double>::infinity();

// An axis-aligned box; empty until a point is taken in. Its sides belong to it.
struct Box {
    double x0 = kInfinity, y0 = kInfinity, x1 = -kInfinity, y1 = -kInfinity;

    bool empty() const { return !(x0 <= x1 && y0 <= y1); }
    double width() const { return x1 - x0; }
    double height() const { return y1 - y0; }
    double area() const { return empty() ? 0 : width() * height(); }
    double low(int axis) const { return axis == 0 ? x0 : y0; }
    double high(int axis) const { return axis == 0 ? x1 : y1; }
    void take(Point p)
    {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    void take(const Box& b)
    {
        x0 = std::min(x0, b.x0);
        y0 = std::min(y0, b.y0);
        x1 = std::max(x1, b.x1);
        y1 = std::max(y1, b.y1);
    }
    Box moved(double dx, double dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
    bool meets(const Box& b) const { return x0 <= b.x1 && b.x0 <= x1 && y0 <= b.y1 && b.y0 <= y1; }
    bool within(const Box& b) const { return x0 >= b.x0 && x1 <= b.x1 && y0 >= b.y0 && y1 <= b.y1; }
    Box intersection(const Box& b) const
    {
        return {std::max(x0, b.x0), std::max(y0, b.y0), std::min(x1, b.x1), std::min(y1, b.y1)};
    }
};

struct Edge {
    Point a, b;
};

struct Circle {
    Point c;
    double r = 0;
};

// Circles kept as columns of centres and radii, so that the loops over pairs of them run on
// whole vectors at once. Beside the exact columns, single-precision copies padded to whole
// vectors with circles of radius 0 far away (they add nothing to a depth): the overlap measure
// needs speed, not the last digits.
class Poles {
public:
    static constexpr std::size_t kLanes = 8;

    std::size_t size() const { return r_.size(); }
    bool empty() const { return r_.empty(); }
    Circle operator[](std::size_t i) const { return {{x_[i], y_[i]}, r_[i]}; }
    void push_back(const Circle& c)
    {
        x_.push_back(c.c.x);
        y_.push_back(c.c.y);
        r_.push_back(c.r);
        const std::size_t n = r_.size(), padded = (n + kLanes - 1) / kLanes * kLanes;
        fx_.resize(padded, kFar);
        fy_.resize(padded, kFar);
        fr_.resize(padded, 0.0f);
        fx_[n - 1] = static_cast<float>(c.c.x);
        fy_[n - 1] = static_cast<float>(c.c.y);
        fr_[n - 1] = static_cast<float>(c.r);
    }
    void reserve(std::size_t n)
    {
        x_.reserve(n);
        y_.reserve(n);
        r_.reserve(n);
    }
    const double* x() const { return x_.data(); }
    const double* y() const { return y_.data(); }
    const double* r() const { return r_.data(); }
    // The padded single-precision columns: paddedSize() entries each.
    std::size_t paddedSize() const { return fr_.size(); }
    const float* fx() const { return fx_.data(); }
    const float* fy() const { return fy_.data(); }
    const float* fr() const { return fr_.data(); }

private:
    static constexpr float kFar = 1e6f;
    std::vector<double> x_, y_, r_;
    std::vector<float> fx_, fy_, fr_;
};

// A closed ring of corners, the closing corner not repeated.
using Ring = std::vector<Point>;

// A run of consecutive edges with the box around them, so that tests skip whole runs at once.
struct EdgeRun {
    Box box;
    std::uint32_t first = 0, count = 0;
};

// Material bounded by edges of closed rings, read even-odd, in the frame of its part or sheet.
// Poles are disjoint circles inside the material, largest first. The anchors are one corner of
// every ring, outer rings and holes alike: when no edges of two regions meet, each ring lies wholly
// inside or wholly outside the other's material, and their material is shared exactly when some
// ring of one lies inside the other's material (a washer over a bolt hole of a flange shares
// material although its outline and a point deep inside it both lie clear of the flange's).
struct Region {
    std::vector<Edge> edges;
    std::vector<EdgeRun> runs;
    Poles poles;
    std::vector<Point> anchors;
    Box box;
    double area = 0;
    double hullArea = 0;  // area of the convex hull: the size of the region in the overlap measure
    double diameter = 0;  // of the box
};

// A rotation about a centre, with the arithmetic the shape code turns shapes by, so that the
// region of a turned shape and the turned region of a shape are the same to rounding.
struct Turn {
    double c = 1, s = 0, tx = 0, ty = 0;
    Point apply(Point p) const { return {c * p.x - s * p.y + tx, s * p.x + c * p.y + ty}; }
};
// The turn by the angle (degrees, counter-clockwise) about (cx, cy).
Turn turnAbout(double cx, double cy, double angleDegrees);

// The region turned: edges, poles and anchors; the box is taken again.
Region turned(const Region& region, const Turn& turn);

// The region mirrored left to right about the vertical line x = cx: edges, poles and anchors;
// the box is taken again. Read even-odd, its edges need no new direction.
Region mirrored(const Region& region, double cx);

// Signed area of a ring (counter-clockwise positive).
double signedArea(const Ring& ring);
// Area of the convex hull of the points.
double convexHullArea(std::vector<Point> points);
// Sets box, diameter and the runs of edges from the edges.
void takeBox(Region& region);

} // namespace dravenor::deep
