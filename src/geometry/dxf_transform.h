#pragma once
// Placing drawing entities: the affine map from the coordinates an entity is drawn in (a block's
// own, or the drawing's own units) to the shape's, and the entities as it places them.
#include "geometry/shape.h"

namespace dravenor {

struct DxfPoint {
    double x = 0, y = 0;
    bool operator==(const DxfPoint&) const = default;
};

// x' = xx x + xy y + dx, y' = yx x + yy y + dy.
struct DxfTransform {
    double xx = 1, xy = 0, yx = 0, yy = 1, dx = 0, dy = 0;

    static DxfTransform scaling(double sx, double sy);
    static DxfTransform rotation(double degrees);
    static DxfTransform translation(double x, double y);

    DxfPoint apply(DxfPoint p) const { return {xx * p.x + xy * p.y + dx, yx * p.x + yy * p.y + dy}; }
    // A direction: the map without its shift.
    DxfPoint applyLinear(DxfPoint v) const { return {xx * v.x + xy * v.y, yx * v.x + yy * v.y}; }
    // This map applied after `inner`.
    DxfTransform after(const DxfTransform& inner) const;
    double determinant() const { return xx * yy - xy * yx; }
    bool isIdentity() const { return xx == 1 && xy == 0 && yx == 0 && yy == 1 && dx == 0 && dy == 0; }
    // Whether circles stay circles: a turn and a uniform scale, mirrored or not.
    bool keepsCircles() const;
    bool operator==(const DxfTransform&) const = default;
};

// Appends the entities as the transform places them: lines and, under a map that keeps circles,
// arcs and circles as such (a mirrored arc is written counter-clockwise again); under any other
// map an arc or circle becomes the ellipse it is drawn as, fitted with arcs.
void appendPlaced(const Shape& drawn, const DxfTransform& at, Shape& shape);

} // namespace dravenor
