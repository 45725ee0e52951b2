#pragma once
// The common drawing of a shape in a picture area: a square view fitted to the shape, an
// optional coordinate grid, the entities in one colour with a highlighted range in red, and
// optional point marks and dimensions. Shape y grows upwards; every y is drawn as F - y.
#include <cstdint>
#include <string>

#include "geometry/drawing_surface.h"
#include "geometry/shape.h"
#include "job/drawing_unit.h"

namespace dravenor {

struct PreviewOptions {
    int colour = Black;
    bool showPoints = false;
    bool showDimensions = false;
    std::string gridText = "No";   // "Auto", "No", or a spacing such as "25"
    int highlightFrom = 0;         // 1-based entity numbers; 0..0 highlights nothing
    int highlightTo = 0;
    bool gridLabels = true;        // false for the main window's preview boxes
    double aspect = 1;             // width over height of the picture, so that shapes keep theirs
};

// Reads the file by its extension (no move; drawings converted to `unit`) and draws it fitted
// into the surface. Returns false when the file does not exist (the surface is left cleared).
bool previewShapeFile(const std::string& path, DrawingSurface& surface, const PreviewOptions& options,
                      DrawingUnit unit = DrawingUnit::Millimetre);
// The same for a shape already in memory: clears the surface, fits the view, draws the grid
// and the shape. An empty shape leaves the surface cleared with no tooltip.
void previewShape(const Shape& shape, DrawingSurface& surface, const PreviewOptions& options);

// A view of the picture's aspect (width over height) that holds the extents with a tenth to spare.
void fitViewToShape(DrawingSurface& surface, const Extents& extents, double aspect = 1);
void drawGrid(DrawingSurface& surface, const std::string& gridText, double mirror, double width, bool labels);
void drawShape(const Shape& shape, DrawingSurface& surface, const PreviewOptions& options, double mirror);
void drawArc(DrawingSurface& surface, double mirror, double cx, double cy, double rad, int colour,
             double startDegrees, double endDegrees);
// The same chords in an RGB colour (0xRRGGBB).
void drawArcRgb(DrawingSurface& surface, double mirror, double cx, double cy, double rad, std::uint32_t rgb,
                double startDegrees, double endDegrees);
// One line, arc or circle in an RGB colour, y mirrored as F - y. Arc angles are brought into
// 0..360 first and an end of 360 is drawn as 0, as drawShape does.
void drawEntityRgb(const ShapeEntity& entity, DrawingSurface& surface, std::uint32_t rgb, double mirror);
void markPoint(double x, double y, DrawingSurface& surface, double mirror);
double arcMidAngle(double startDegrees, double endDegrees);
double distance(double x1, double y1, double x2, double y2);

} // namespace dravenor
