#include "engine/outline.h"

#include "geometry/primitives.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

// Outlines turn with the shape arithmetic: as a shape of lines.
Shape asLines(const Outline& outline)
{
    Shape shape;
    shape.reserve(outline.size());
    for (const Segment& s : outline) shape.push_back({s.X1, s.Y1, s.X2, s.Y2});
    return shape;
}

// The value as it reads back after being kept to 15 significant digits.
double keptTo15Digits(double value) { return leadingNumber(formatGeneral(value)); }

} // namespace

Extents outlineBox(const Outline& outline)
{
    Extents box;
    auto include = [&box](double x, double y) {
        if (x <= box.xmin) box.xmin = x;
        if (y <= box.ymin) box.ymin = y;
        if (x >= box.xmax) box.xmax = x;
        if (y >= box.ymax) box.ymax = y;
    };
    for (const Segment& s : outline) {
        include(s.X1, s.Y1);
        include(s.X2, s.Y2);
    }
    return box;
}

void moveOutline(Outline& outline, double dx, double dy)
{
    for (Segment& s : outline) {
        s.X1 += dx;
        s.X2 += dx;
        s.Y1 += dy;
        s.Y2 += dy;
    }
}

void normaliseOutline(Outline& outline)
{
    if (outline.empty()) return;
    const Extents box = outlineBox(outline);
    moveOutline(outline, -box.xmin, -box.ymin);
}

void turnOutline(Outline& outline, double angleDegrees)
{
    Shape shape = asLines(outline);
    rotateShape(shape, angleDegrees);
    for (size_t i = 0; i < outline.size(); ++i) outline[i] = {shape[i].X1, shape[i].Y1, shape[i].X2, shape[i].Y2};
    normaliseOutline(outline);
}

Outline makeOutline(const std::string& shapeFile, double scale)
{
    Outline outline = loadShapeSegments(shapeFile);
    normaliseOutline(outline);
    for (Segment& s : outline) {
        s.X1 = keptTo15Digits(s.X1 * scale);
        s.Y1 = keptTo15Digits(s.Y1 * scale);
        s.X2 = keptTo15Digits(s.X2 * scale);
        s.Y2 = keptTo15Digits(s.Y2 * scale);
    }
    return outline;
}

} // namespace dravenor
