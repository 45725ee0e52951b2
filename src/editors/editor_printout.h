#pragma once
// The printout of the shape and layout editors: the page header, the file name and the grid's
// rows in a fixed-width font, page after page, then the drawing on a page of its own, drawn on
// the paper itself: lines a fifth of a millimetre wide, labels in the printout's small font and a
// margin from the edge of the printable area.
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "geometry/drawing_surface.h"
#include "job/text_grid.h"

class QPagedPaintDevice;
class QWidget;

namespace dravenor {

// Blank paper around the drawing, in millimetres inside the printable area.
inline constexpr double kEditorDrawingMarginMillimetres = 10;

// The header (with today's date), "File Name: " and the file, the column titles, then one line
// per grid row with text.
std::vector<std::string> editorPrintLines(const TextGrid& grid, const std::string& file, const QString& caption);

// Draws the editor's drawing onto a square surface; empty when there is nothing to draw.
using EditorDrawing = std::function<void(DrawingSurface&)>;

// The lines in a 10-point fixed-width font, then the drawing as large as the page holds it square
// within the margin.
void printEditorPages(QPagedPaintDevice& device, const std::vector<std::string>& lines, const EditorDrawing& draw);

// The print dialog; when accepted, print onto its printer.
void printThroughDialog(QWidget* parent, const std::function<void(QPagedPaintDevice&)>& print);

} // namespace dravenor
