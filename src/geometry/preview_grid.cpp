#include "geometry/shape_preview.h"

#include <algorithm>
#include <cmath>

#include "job/number_format.h"

namespace dravenor {

namespace {

// More lines than this in one direction would only paint the view grey.
constexpr double kMaxGridLines = 2000;

double gridSpacing(const std::string& gridText, double mirror, double width)
{
    if (gridText == "Auto") return std::max(mirror, width) / 10;
    return leadingNumber(gridText);
}

// Whole numbers k with low <= k * spacing <= high.
struct StepRange {
    double first = 0, last = -1;
    bool drawable() const { return first <= last && last - first < kMaxGridLines; }
};

StepRange stepsWithin(double low, double high, double spacing)
{
    return {std::ceil(low / spacing), std::floor(high / spacing)};
}

} // namespace

void drawGrid(DrawingSurface& surface, const std::string& gridText, double mirror, double width, bool labels)
{
    const double spacing = gridSpacing(gridText, mirror, width);
    if (!(spacing >= 5)) return;

    const ViewScale view = surface.scale();
    const double right = view.left + view.width;
    const double bottom = view.top + view.height;
    // Vertical lines at x = k * spacing; horizontal ones at the drawn height mirror - k * spacing.
    const StepRange columns = stepsWithin(view.left, right, spacing);
    const StepRange rows = stepsWithin(mirror - bottom, mirror - view.top, spacing);
    if (!columns.drawable() && !rows.drawable()) return;

    // Labels sit half a letter from their line; row labels go 3.5 letters left of the y axis
    // when the view shows that side, else just right of it.
    const double letter = surface.textWidth("A");
    const double gap = letter * 0.5;
    const double rowLabelX = view.left <= -3.5 * letter ? -3.5 * letter : gap;
    if (columns.drawable())
        for (double k = columns.first; k <= columns.last; ++k) {
            const double x = k * spacing;
            surface.line(x, view.top, x, bottom, LightGrey);
            if (labels && k != 0) surface.text(x + gap, mirror + gap, formatMask(x, "0"));
        }
    if (rows.drawable())
        for (double k = rows.first; k <= rows.last; ++k) {
            const double y = mirror - k * spacing;
            surface.line(view.left, y, right, y, LightGrey);
            if (labels && k != 0) surface.text(rowLabelX, y + gap, formatMask(k * spacing, "0"));
        }
    if (labels) surface.text(gap, mirror + gap, "(0 , 0)");
}

} // namespace dravenor
