#include "layouts/layout_editing_drawing.h"

#include <algorithm>
#include <map>

#include "geometry/primitives.h"
#include "geometry/shape_preview.h"
#include "job/files.h"
#include "layouts/part_colours.h"

namespace dravenor {

namespace {

// The box the view is fitted to: the sheet, or the parts when there is no sheet.
Extents viewExtents(const PlacedLayout& layout)
{
    if (layout.hasSheet) return layout.sheet.box;
    Extents all;
    for (const PlacedRow& part : layout.parts) {
        if (part.box.empty()) continue;
        includePoint(all, part.box.xmin, part.box.ymin);
        includePoint(all, part.box.xmax, part.box.ymax);
    }
    return all;
}

// The whole box, or at a zoom a square that many times smaller about the focus, kept over the
// box. The surface's y runs downwards: layout y maps to mirror - y.
void setView(DrawingSurface& surface, const Extents& box, double mirror, const LayoutEditDrawingOptions& options)
{
    fitViewToShape(surface, box);
    if (options.zoom <= 1) return;
    ViewScale view = surface.scale();
    view.width /= options.zoom;
    view.height = view.width;
    const double x = options.focused ? options.focusX : (box.xmin + box.xmax) / 2;
    const double y = mirror - (options.focused ? options.focusY : (box.ymin + box.ymax) / 2);
    view.left = std::clamp(x - view.width / 2, box.xmin, std::max(box.xmin, box.xmax - view.width));
    view.top = std::clamp(y - view.height / 2, box.ymin, std::max(box.ymin, box.ymax - view.height));
    surface.setScale(view);
}

// Each file a colour of its own, numbered in order of first appearance.
std::map<std::string, int> colourNumbers(const PlacedLayout& layout)
{
    std::map<std::string, int> numbers;
    for (const PlacedRow& part : layout.parts) numbers.emplace(part.name, static_cast<int>(numbers.size()) + 1);
    return numbers;
}

void drawInPalette(const Shape& shape, DrawingSurface& surface, int colour, double mirror)
{
    PreviewOptions options;
    options.colour = colour;
    drawShape(shape, surface, options, mirror);
}

void drawInRgb(const Shape& shape, DrawingSurface& surface, std::uint32_t rgb, double mirror)
{
    for (const ShapeEntity& entity : shape) drawEntityRgb(entity, surface, rgb, mirror);
}

void writeLabel(DrawingSurface& surface, const PlacedRow& part, double mirror)
{
    if (part.box.empty()) return;
    const double x = part.box.xmin + part.box.width() / 3;
    const double y = mirror - part.box.ymax + part.box.height() / 3;
    surface.text(x, y, partLabel(part.name));
}

} // namespace

std::string partLabel(const std::string& fileName)
{
    const std::string name = fileNameOnly(fileName);
    return name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
}

double drawEditedLayout(const PlacedLayout& layout, DrawingSurface& surface, const LayoutEditDrawingOptions& options)
{
    surface.clear();
    const Extents box = viewExtents(layout);
    if (box.empty()) {
        surface.setToolTip("");
        return 0;
    }
    const double mirror = box.ymin + box.ymax;
    setView(surface, box, mirror, options);
    drawGrid(surface, options.gridText, mirror, box.width(), true);

    const int from = std::min(options.highlightFrom, options.highlightTo);
    const int to = std::max(options.highlightFrom, options.highlightTo);
    const auto highlighted = [&](int row) { return from > 0 && row >= from && row <= to; };
    const auto faulty = [&](int row) {
        return std::binary_search(layout.faultyRows.begin(), layout.faultyRows.end(), row);
    };

    if (layout.hasSheet) drawInPalette(layout.sheet.shape, surface, highlighted(layout.sheet.row) ? Red : Black, mirror);
    const std::map<std::string, int> colours = colourNumbers(layout);
    for (const PlacedRow& part : layout.parts) {
        if (highlighted(part.row))
            drawInPalette(part.shape, surface, Red, mirror);
        else if (faulty(part.row))
            drawInRgb(part.shape, surface, kFaultyPartRgb, mirror);
        else
            drawInRgb(part.shape, surface, layoutPartColour(colours.at(part.name)), mirror);
    }
    if (options.showNames)
        for (const PlacedRow& part : layout.parts) writeLabel(surface, part, mirror);
    return mirror;
}

} // namespace dravenor
