#include "layouts/placed_shape.h"

#include "geometry/primitives.h"

namespace dravenor {

Shape placedInstance(const Shape& original, double angle, double x, double y, bool mirrored)
{
    Shape shape = original;
    if (mirrored) mirrorShape(shape);
    rotateShape(shape, angle);
    normaliseArcAngles(shape);
    normaliseShape(shape);
    moveShape(shape, x, y);
    return shape;
}

} // namespace dravenor
