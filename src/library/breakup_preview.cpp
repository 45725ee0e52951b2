#include "library/breakup_preview.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/primitives.h"
#include "geometry/shape_preview.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

// A message with nothing to draw: wrapped from the top-left corner of a unit view.
void printMessage(DrawingSurface& surface, const std::string& message)
{
    surface.setScale({0, 0, 1, 1});
    writeLines(surface, 0, 0, wrapText(surface, message, 1));
}

// A square view showing the drawing's square 0..size with the message wrapped above it, clear of
// the drawing (the view grows to make room, so the drawing gets smaller).
void setViewBelowMessage(DrawingSurface& surface, double size, const std::string& message)
{
    surface.setScale({0, 0, size, size});
    if (message.empty()) return;
    const std::vector<std::string> lines = wrapText(surface, message, size);
    // Text keeps its size on the picture whatever the view, so its share of the height is fixed.
    const double share = std::min(static_cast<double>(lines.size()) * surface.textHeight("X") / size, 0.5);
    const double side = size / (1 - share);
    surface.setScale({(size - side) / 2, size - side, side, side});
    writeLines(surface, (size - side) / 2, size - side, lines);
}

void rectangle(DrawingSurface& surface, double x1, double y1, double x2, double y2)
{
    surface.line(x1, y1, x2, y1, Red);
    surface.line(x2, y1, x2, y2, Red);
    surface.line(x2, y2, x1, y2, Red);
    surface.line(x1, y2, x1, y1, Red);
}

// More strips than this one way, or strips narrower than a letter on the picture, are drawn by
// every n-th edge: closer lines show nothing on a preview, and drawing a hundred thousand plates
// one by one took seconds per keystroke.
constexpr std::size_t kMostStripEdges = 100;

// Where the strip edges drawn lie along one direction, from 0 to the whole length, and which
// n-th edge they are.
struct StripEdges {
    std::vector<double> at;
    std::size_t step = 1;
};

StripEdges stripEdges(const std::vector<double>& strips, double leastGap)
{
    StripEdges edges;
    double length = 0;
    for (double strip : strips) length += strip;
    const double perStrip = strips.empty() ? 0 : length / static_cast<double>(strips.size());
    const double forGap = perStrip > 0 ? std::ceil(leastGap / perStrip - 1e-9) : 1;
    edges.step = std::max({std::size_t{1}, (strips.size() + kMostStripEdges - 1) / kMostStripEdges,
                           static_cast<std::size_t>(std::min(forGap, 1e9))});
    double run = 0;
    edges.at.push_back(0);
    for (std::size_t k = 0; k < strips.size(); ++k) {
        run += strips[k];
        if ((k + 1) % edges.step == 0 || k + 1 == strips.size()) edges.at.push_back(run);
    }
    return edges;
}

std::string ordinal(std::size_t n)
{
    const std::size_t lastTwo = n % 100;
    const char* suffix = lastTwo / 10 == 1 ? "th" : n % 10 == 1 ? "st" : n % 10 == 2 ? "nd" : n % 10 == 3 ? "rd" : "th";
    return std::to_string(n) + suffix;
}

// What the preview leaves out of a very fine breakup; "" when every edge is drawn.
std::string fineBreakupNote(const Development& d, const StripEdges& rows, const StripEdges& columns)
{
    if (rows.step == 1 && columns.step == 1) return {};
    std::string steps = ordinal(rows.step);
    if (columns.step != rows.step) steps += " and " + ordinal(columns.step);
    return std::to_string(d.rowWidths.size() * d.columnLengths.size()) + " pieces (" +
           std::to_string(d.rowWidths.size()) + " x " + std::to_string(d.columnLengths.size()) + "): only every " +
           steps + " strip edge is drawn";
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
    const double letter = surface.textWidth("0");
    const StripEdges rows = stripEdges(d.rowWidths, letter), columns = stripEdges(d.columnLengths, letter);
    setViewBelowMessage(surface, size, fineBreakupNote(d, rows, columns));
    // Every plate has the same strips across it, so the plates are a grid of whole-length lines.
    rectangle(surface, 0, 0, d.width, d.height);
    for (std::size_t k = 1; k + 1 < rows.at.size(); ++k) surface.line(rows.at[k], 0, rows.at[k], d.height, Red);
    for (std::size_t k = 1; k + 1 < columns.at.size(); ++k)
        surface.line(0, columns.at[k], d.width, columns.at[k], Red);
    // Running sizes at the strip edges drawn, each clear of the one before.
    double clearX = -1e300, clearY = -1e300;
    for (std::size_t k = 0; k + 1 < rows.at.size(); ++k) {
        if (rows.at[k] < clearX) continue;
        const std::string text = formatGeneral(rows.at[k]);
        surface.text(rows.at[k], d.height, text);
        clearX = rows.at[k] + surface.textWidth(text + " ");
    }
    for (std::size_t k = 0; k + 1 < columns.at.size(); ++k) {
        if (columns.at[k] < clearY) continue;
        const std::string text = formatGeneral(columns.at[k]);
        surface.text(d.width, columns.at[k], text);
        clearY = columns.at[k] + surface.textHeight(text);
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
    setViewBelowMessage(surface, size, result.message);

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
}

} // namespace dravenor
