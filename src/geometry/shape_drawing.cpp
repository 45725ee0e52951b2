#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "geometry/shape_preview.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

constexpr double kDegreesToRadians = kPi / 180.0;

bool inRange(int number, int from, int to)
{
    return from <= number && number <= to;
}

// Traces one entity whose arc angles are already brought into 0..360 as lines in surface units
// (y mirrored), handing each to line(x1, y1, x2, y2).
template <class LineSink>
void traceEntity(const ShapeEntity& e, double mirror, LineSink&& line)
{
    if (e.RAD == 0) {
        line(e.X1, mirror - e.Y1, e.X2, mirror - e.Y2);
        return;
    }
    // 360 is the same direction as 0; so an arc ending at 360 ends at 0, and equal angles (0
    // and 360 included) draw the full circle.
    const double s = e.Nstart == 360 ? 0 : e.Nstart;
    const double end = e.Nend == 360 ? 0 : e.Nend;
    forEachArcChord(e.CX, e.CY, e.RAD, s, end, [&](double x1, double y1, double x2, double y2) {
        line(x1, mirror - y1, x2, mirror - y2);
    });
}

void drawEntity(const ShapeEntity& e, DrawingSurface& surface, int colour, double mirror)
{
    traceEntity(e, mirror, [&](double x1, double y1, double x2, double y2) { surface.line(x1, y1, x2, y2, colour); });
}

void markEntityPoints(const ShapeEntity& e, DrawingSurface& surface, double mirror)
{
    if (e.RAD == 0) {
        markPoint(e.X1, e.Y1, surface, mirror);
        markPoint(e.X2, e.Y2, surface, mirror);
    } else {
        markPoint(e.CX, e.CY, surface, mirror);
    }
}

void writeEntityDimension(const ShapeEntity& e, DrawingSurface& surface, double mirror)
{
    if (e.RAD == 0) {
        surface.text((e.X1 + e.X2) / 2, mirror - (e.Y1 + e.Y2) / 2,
                     formatMask(distance(e.X1, e.Y1, e.X2, e.Y2), "0.00"));
        return;
    }
    const double a = arcMidAngle(e.Nstart, e.Nend) * kDegreesToRadians;
    surface.text(e.CX + e.RAD * std::cos(a), mirror - (e.CY + e.RAD * std::sin(a)),
                 "R=" + formatMask(e.RAD, "0.00"));
}

} // namespace

void drawShape(const Shape& shape, DrawingSurface& surface, const PreviewOptions& options, double mirror)
{
    // Angles are brought into range on a copy: the caller's shape stays as it was.
    Shape drawn = shape;
    for (ShapeEntity& e : drawn) {
        if (e.RAD == 0) continue;
        e.Nstart = normaliseAngle(e.Nstart);
        e.Nend = normaliseAngle(e.Nend);
    }
    const int from = std::min(options.highlightFrom, options.highlightTo);
    const int to = std::max(options.highlightFrom, options.highlightTo);
    for (std::size_t i = 0; i < drawn.size(); ++i)
        if (!inRange(static_cast<int>(i) + 1, from, to)) drawEntity(drawn[i], surface, options.colour, mirror);
    for (std::size_t i = 0; i < drawn.size(); ++i)
        if (inRange(static_cast<int>(i) + 1, from, to)) drawEntity(drawn[i], surface, Red, mirror);

    if (options.showPoints)
        for (const ShapeEntity& e : drawn) markEntityPoints(e, surface, mirror);
    if (options.showDimensions)
        for (const ShapeEntity& e : drawn) writeEntityDimension(e, surface, mirror);
}

void drawArc(DrawingSurface& surface, double mirror, double cx, double cy, double rad, int colour,
             double startDegrees, double endDegrees)
{
    forEachArcChord(cx, cy, rad, startDegrees, endDegrees, [&](double x1, double y1, double x2, double y2) {
        surface.line(x1, mirror - y1, x2, mirror - y2, colour);
    });
}

void drawArcRgb(DrawingSurface& surface, double mirror, double cx, double cy, double rad, std::uint32_t rgb,
                double startDegrees, double endDegrees)
{
    forEachArcChord(cx, cy, rad, startDegrees, endDegrees, [&](double x1, double y1, double x2, double y2) {
        surface.lineRgb(x1, mirror - y1, x2, mirror - y2, rgb);
    });
}

void drawEntityRgb(const ShapeEntity& entity, DrawingSurface& surface, std::uint32_t rgb, double mirror)
{
    ShapeEntity e = entity;
    if (e.RAD != 0) {
        e.Nstart = normaliseAngle(e.Nstart);
        e.Nend = normaliseAngle(e.Nend);
    }
    traceEntity(e, mirror, [&](double x1, double y1, double x2, double y2) { surface.lineRgb(x1, y1, x2, y2, rgb); });
}

void markPoint(double x, double y, DrawingSurface& surface, double mirror)
{
    const double d = 0.01 * surface.scale().width;
    surface.text(x, mirror - y, formatMask(x, "0.00") + "," + formatMask(y, "0.00"));
    surface.line(x - d, mirror - y, x + d, mirror - y, DarkGrey);
    surface.line(x, mirror - (y - d), x, mirror - (y + d), DarkGrey);
}

double arcMidAngle(double startDegrees, double endDegrees)
{
    const double s = normaliseAngle(startDegrees);
    double e = normaliseAngle(endDegrees);
    while (e < s) e += 360;
    if (s == e) return 0;
    return s + (e - s) / 2;
}

double distance(double x1, double y1, double x2, double y2)
{
    return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

} // namespace dravenor
