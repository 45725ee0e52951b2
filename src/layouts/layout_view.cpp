#include "layouts/layout_view.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "geometry/primitives.h"
#include "geometry/shape_preview.h"
#include "job/files.h"
#include "job/number_format.h"
#include "layouts/layout_range.h"

namespace dravenor {

namespace {

// Scroll bars cannot go beyond this.
constexpr double kScrollLimit = 32767;

struct SheetSize {
    double width = 0, height = 0, mirror = 0;
    double left = 0, top = 0; // as drawn: xmin and F - ymax
};

struct EntityRange {
    int first = -1, last = -1;
};

ShapeEntity geometryOf(const LayoutEntity& e)
{
    return {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
}

// The layout's own outline: its sheet entities, or everything when it has none.
Extents outlineExtents(const std::vector<LayoutEntity>& entities, EntityRange range)
{
    Shape sheet, all;
    for (int i = range.first; i <= range.last; ++i) {
        const LayoutEntity& e = entities[static_cast<size_t>(i)];
        (e.PartIndex == 0 ? sheet : all).push_back(geometryOf(e));
    }
    return shapeExtents(sheet.empty() ? all : sheet);
}

// Size and mirror of the sheet named by the layout's last entity.
SheetSize sheetSizeOf(const NestingState& state, EntityRange range, SheetExtentsCache* cache)
{
    const std::int32_t sheetIndex = state.entities[static_cast<size_t>(range.last)].SheetIndex;
    Extents box;
    if (sheetIndex >= 1 && static_cast<size_t>(sheetIndex) <= state.sheets.size()) {
        const std::string& path = state.sheet(sheetIndex).FileName;
        box = cache ? cache->extentsOf(path, state.drawingUnit) : loadedShapeExtents(path, state.drawingUnit);
    }
    if (box.empty()) box = outlineExtents(state.entities, range);
    if (box.empty()) return {};
    return {box.width(), box.height(), box.ymin + box.ymax, box.xmin, box.ymin};
}

LayoutViewFrame frameOf(const SheetSize& sheet)
{
    const double w = sheet.width, h = sheet.height;
    LayoutViewFrame frame;
    frame.drawn = true;
    frame.sheetWidth = w;
    frame.sheetHeight = h;
    frame.mirror = sheet.mirror;
    frame.sheetLeft = sheet.left;
    frame.sheetTop = sheet.top;
    frame.hMaximum = toWhole(std::min(w, kScrollLimit));
    frame.hSmallStep = toWhole(std::max(w / 10, 1.0));
    frame.hLargeStep = toWhole(std::max(w / 2, 1.0));
    frame.vMinimum = -toWhole(std::min(h, kScrollLimit));
    frame.vSmallStep = toWhole(std::max(h / 10, 1.0));
    frame.vLargeStep = toWhole(std::max(h / 2, 1.0));
    return frame;
}

double viewSide(const SheetSize& sheet, int zoom)
{
    return std::max(sheet.width, sheet.height) / std::max(zoom, 1) * 1.01;
}

// The sheet at the bottom left with a margin of four letters "A" on its left and below it.
// Each letter measure is taken in the units just set.
void setFittedView(DrawingSurface& surface, const SheetSize& sheet, int zoom)
{
    const double side = viewSide(sheet, zoom);
    surface.setScale({0, 0, side, side});
    const double leftMargin = surface.textWidth("AAAA");
    ViewScale view{-leftMargin, 0, side + leftMargin, side + leftMargin};
    surface.setScale(view);
    const double bottomMargin = surface.textWidth("AAAA");
    view.top = sheet.mirror - view.height + bottomMargin;
    surface.setScale(view);
}

void drawEntities(const std::vector<LayoutEntity>& entities, EntityRange range, DrawingSurface& surface,
                  double mirror)
{
    for (int i = range.first; i <= range.last; ++i) {
        const LayoutEntity& e = entities[static_cast<size_t>(i)];
        drawEntityRgb(geometryOf(e), surface, layoutPartColour(e.PartIndex), mirror);
    }
}

void writeName(DrawingSurface& surface, const LayoutItem& item, const Extents& box, double mirror)
{
    const std::string name = fileNameOnly(item.Name);
    const double centreX = box.xmin + box.width() / 2;
    const double centreY = mirror - (box.ymin + box.height() / 2);
    surface.text(centreX - surface.textWidth(name) / 2, centreY - surface.textHeight(name) / 2, name);
}

// At the part's lower-left corner, lifted by two text heights when it would run out of the view.
void writePosition(DrawingSurface& surface, const LayoutItem& item, const Extents& box, double mirror)
{
    const std::string text = formatMask(item.X, "0") + "," + formatMask(item.Y, "0");
    const ViewScale view = surface.scale();
    const double height = surface.textHeight(text);
    double y = mirror - box.ymin;
    if (y + height > view.top + view.height) y -= 2 * height;
    surface.text(box.xmin, y, text);
}

// Labels of the layout's part rows: every row of its item range but the last (the sheet) is
// instance 1, 2, ... of the entity list.
void writeLabels(const NestingState& state, int layoutNo, EntityRange range, DrawingSurface& surface,
                 const LayoutViewOptions& options, double mirror)
{
    if (!options.showNames && !options.showPositions) return;
    const auto [first, last] = findItemRange(state.items, layoutNo);
    if (first < 0) return;
    const std::vector<Shape> shapes = layoutInstanceShapes(state.entities, range.first, range.last);
    for (int row = first; row < last; ++row) {
        const size_t instance = static_cast<size_t>(row - first + 1);
        if (instance >= shapes.size() || shapes[instance].empty()) continue;
        const LayoutItem& item = state.items[static_cast<size_t>(row)];
        const Extents box = shapeExtents(shapes[instance]);
        if (options.showNames) writeName(surface, item, box, mirror);
        if (options.showPositions) writePosition(surface, item, box, mirror);
    }
}

LayoutViewFrame drawLayout(const NestingState& state, int layoutNo, DrawingSurface& surface,
                           const LayoutViewOptions& options, std::optional<ViewScale> view, SheetExtentsCache* cache)
{
    const auto [first, last] = findEntityRange(state.entities, layoutNo);
    if (first < 0) {
        surface.clear();
        return {};
    }
    const EntityRange range{first, last};
    const SheetSize sheet = sheetSizeOf(state, range, cache);
    if (view)
        surface.setScale(*view);
    else
        setFittedView(surface, sheet, options.zoom);
    surface.clear();
    drawGrid(surface, options.gridText, sheet.mirror, sheet.width, false);
    drawEntities(state.entities, range, surface, sheet.mirror);
    if (options.remnants) drawRemnantMarks(state, layoutNo, *options.remnants, surface, sheet.mirror);
    writeLabels(state, layoutNo, range, surface, options, sheet.mirror);
    if (options.overlay) options.overlay(layoutNo, surface, sheet.mirror);
    return frameOf(sheet);
}

} // namespace

LayoutViewFrame drawLayoutFitted(const NestingState& state, int layoutNo, DrawingSurface& surface,
                                 const LayoutViewOptions& options, SheetExtentsCache* cache)
{
    return drawLayout(state, layoutNo, surface, options, std::nullopt, cache);
}

LayoutViewFrame drawLayoutInView(const NestingState& state, int layoutNo, DrawingSurface& surface,
                                 const LayoutViewOptions& options, const ViewScale& view, SheetExtentsCache* cache)
{
    return drawLayout(state, layoutNo, surface, options, view, cache);
}

LayoutViewFrame layoutViewFrame(const NestingState& state, int layoutNo, SheetExtentsCache* cache)
{
    const auto [first, last] = findEntityRange(state.entities, layoutNo);
    if (first < 0) return {};
    return frameOf(sheetSizeOf(state, {first, last}, cache));
}

ViewScale drawnSheetBox(const LayoutViewFrame& frame)
{
    return {frame.sheetLeft, frame.sheetTop, frame.sheetWidth, frame.sheetHeight};
}

std::vector<Shape> layoutInstanceShapes(const std::vector<LayoutEntity>& entities, int first, int last)
{
    std::vector<Shape> shapes;
    for (int i = first; i <= last; ++i) {
        const LayoutEntity& e = entities[static_cast<size_t>(i)];
        if (e.Instance <= 0) continue;
        if (shapes.size() <= static_cast<size_t>(e.Instance)) shapes.resize(static_cast<size_t>(e.Instance) + 1);
        shapes[static_cast<size_t>(e.Instance)].push_back(geometryOf(e));
    }
    return shapes;
}

std::string layoutPointerText(double x, double y, double mirror)
{
    return "X=" + formatMask(x, "00000.00") + ",  Y=" + formatMask(mirror - y, "00000.00");
}

} // namespace dravenor
