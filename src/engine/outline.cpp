#include "engine/outline.h"

#include "geometry/open_ends.h"
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

// Takes each non-zero value; false as soon as one differs from the first.
class CommonNonZero {
public:
    bool take(double v)
    {
        if (v == 0) return true;
        if (!seen_) {
            seen_ = true;
            value_ = v;
            return true;
        }
        return v == value_;
    }
    bool seen() const { return seen_; }
    double value() const { return value_; }

private:
    bool seen_ = false;
    double value_ = 0;
};

} // namespace

Extents outlineBox(const Outline& outline)
{
    Extents box;
    for (const Segment& s : outline) {
        includePoint(box, s.X1, s.Y1);
        includePoint(box, s.X2, s.Y2);
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
    for (size_t i = 0; i < outline.size(); ++i)
        outline[i] = {shape[i].X1, shape[i].Y1, shape[i].X2, shape[i].Y2, outline[i].sag};
    normaliseOutline(outline);
}

Outline makeOutline(const std::string& shapeFile, double scale, DrawingUnit unit, double bridge)
{
    Outline outline = loadShapeSegments(shapeFile, unit);
    bridgeOpenEnds(outline, bridge);
    normaliseOutline(outline);
    for (Segment& s : outline) {
        s.X1 = keptTo15Digits(s.X1 * scale);
        s.Y1 = keptTo15Digits(s.Y1 * scale);
        s.X2 = keptTo15Digits(s.X2 * scale);
        s.Y2 = keptTo15Digits(s.Y2 * scale);
        s.sag *= scale;
    }
    return outline;
}

bool isOriginRectangle(const Outline& outline)
{
    if (outline.size() != 4) return false;
    CommonNonZero x, y;
    for (const Segment& s : outline)
        if (!x.take(s.X1) || !x.take(s.X2) || !y.take(s.Y1) || !y.take(s.Y2)) return false;
    if (!x.seen() || !y.seen()) return false;
    const Extents box = outlineBox(outline);
    return box.xmax == x.value() && box.ymax == y.value();
}

} // namespace dravenor
