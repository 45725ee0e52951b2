#include "library/standard_shape_builders.h"

namespace dravenor::standard_shapes {

// An L x W plate from the origin with a semicircular notch into the middle of each side.
Shape notchedRectangle(const Parameters& p)
{
    const double L = p[0], W = p[1], r = p[2];
    const double a = L / 2 - r, b = W / 2 - r;
    const double farX = r + r + a, farY = r + r + b; // L/2 + r and W/2 + r
    return {lineEntity(0, 0, a, 0),       lineEntity(farX, 0, L, 0),      lineEntity(0, W, a, W),
            lineEntity(farX, W, L, W),    lineEntity(0, 0, 0, b),         lineEntity(0, farY, 0, W),
            lineEntity(L, 0, L, b),       lineEntity(L, farY, L, W),      arcEntity(L / 2, 0, r, 0, 180),
            arcEntity(L / 2, W, r, 180, 0), arcEntity(0, W / 2, r, 270, 90), arcEntity(L, W / 2, r, 90, 270)};
}

// Lower-left corner of the box at the origin. A corner radius of half a side leaves no straight
// edge on that side (a slot end), so the edge's zero-length lines are left out.
Shape roundedRectangle(const Parameters& p)
{
    const double L = p[0], W = p[1], r = p[2];
    const double farX = (L - (r + r)) + r, farY = (W - (r + r)) + r;
    Shape shape;
    if (farX != r) {
        shape.push_back(lineEntity(r, 0, farX, 0));
        shape.push_back(lineEntity(r, W, farX, W));
    }
    if (farY != r) {
        shape.push_back(lineEntity(0, r, 0, farY));
        shape.push_back(lineEntity(L, r, L, farY));
    }
    shape.push_back(arcEntity(r, r, r, 180, 270));
    shape.push_back(arcEntity(r, farY, r, 90, 180));
    shape.push_back(arcEntity(farX, r, r, 270, 360));
    shape.push_back(arcEntity(farX, farY, r, 0, 90));
    return shape;
}

} // namespace dravenor::standard_shapes
