#include "library/breakup_preview.h"

#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"
#include "geometry/shape_preview.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

// Message lines from the top-left corner of the view, one under the other.
void printMessage(DrawingSurface& surface, const std::string& message)
{
    const ViewScale view = surface.scale();
    double y = view.top;
    std::size_t start = 0;
    while (start <= message.size()) {
        const std::size_t end = std::min(message.find('\n', start), message.size());
        const std::string line = message.substr(start, end - start);
        surface.text(view.left, y, line);
        y += surface.textHeight(line);
        start = end + 1;
    }
}

void rectangle(DrawingSurface& surface, double x1, double y1, double x2, double y2)
{
    surface.line(x1, y1, x2, y1, Red);
    surface.line(x2, y1, x2, y2, Red);
    surface.line(x2, y2, x1, y2, Red);
    surface.line(x1, y2, x1, y1, Red);
}

ShapeEntity sectorArc(double radius, double halfDegrees)
{
    ShapeEntity e;
    e.RAD = radius;
    e.Nstart = normaliseAngle(90 - halfDegrees);
    e.Nend = normaliseAngle(90 + halfDegrees);
    return e;
}

} // namespace

void drawCylinderBreakupPreview(const BreakupResult& result, DrawingSurface& surface)
{
    surface.clear();
    if (!result.ok) {
        printMessage(surface, result.message);
        return;
    }
    const Development& d = result.development;
    surface.setToolTip("Xmax=" + formatGeneral(d.width) + " Ymax=" + formatGeneral(d.height));
    const double size = 1.1 * std::max(d.width, d.height);
    surface.setScale({0, 0, size, size});
    double circumferenceUsed = 0;
    for (double length : d.columnLengths) {
        double heightUsed = 0;
        for (double width : d.rowWidths) {
            rectangle(surface, heightUsed, circumferenceUsed, heightUsed + width, circumferenceUsed + length);
            surface.text(heightUsed, d.height, formatGeneral(heightUsed));
            heightUsed += width;
        }
        surface.text(d.width, circumferenceUsed, formatGeneral(circumferenceUsed));
        circumferenceUsed += length;
    }
}

void drawConeBreakupPreview(const BreakupResult& result, DrawingSurface& surface)
{
    surface.clear();
    const Development& d = result.development;
    if (d.outerRadius <= 0) {
        printMessage(surface, result.message);
        return;
    }
    const double halfDegrees = d.angleRadians / 2 * 180 / kPi;
    const Extents box = shapeExtents({sectorArc(d.outerRadius, halfDegrees), sectorArc(d.innerRadius, halfDegrees)});
    surface.setToolTip("Xmax=" + formatGeneral(box.width()) + " Ymax=" + formatGeneral(box.height()));
    const double size = 1.1 * std::max(box.width(), box.height());
    surface.setScale({0, 0, size, size});

    // Centre at (size / 2, 0) in sector coordinates; y drawn as mirror - y puts the top of the
    // outer arc a margin below the top of the view.
    const double cx = size / 2, mirror = 0.05 * size + box.ymax;
    std::vector<double> arcs{d.outerRadius, d.innerRadius};
    for (std::size_t k = 1; k + 1 < d.bandRadii.size(); ++k) arcs.push_back(d.bandRadii[k]);
    for (double radius : arcs)
        if (radius > 0) drawArc(surface, mirror, cx, 0, radius, Red, 90 - halfDegrees, 90 + halfDegrees);
    const int n = std::max(1, d.divisions);
    for (int k = 0; k <= n; ++k) {
        const double a = kPi / 2 - d.angleRadians / 2 + k * d.angleRadians / n;
        surface.line(cx + d.innerRadius * std::cos(a), mirror - d.innerRadius * std::sin(a),
                     cx + d.outerRadius * std::cos(a), mirror - d.outerRadius * std::sin(a), Red);
    }
    if (!result.message.empty()) printMessage(surface, result.message);
}

} // namespace dravenor
