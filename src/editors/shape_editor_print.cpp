// Printing from the shape editor: the page header, the file name and the entity table, then the
// drawing on a page of its own.
#include "editors/editor_printout.h"
#include "editors/shape_editor.h"
#include "geometry/shape_preview.h"

namespace dravenor {

void ShapeEditor::printTo(QPagedPaintDevice& device) const
{
    const GridShape drawn = shapeFromGrid(grid_);
    EditorDrawing draw;
    if (!drawn.shape.empty())
        draw = [&](DrawingSurface& surface) { previewShape(drawn.shape, surface, drawingOptions()); };
    printEditorPages(device, editorPrintLines(grid_, currentFile_, windowTitle()), draw);
}

void ShapeEditor::printWithDialog()
{
    printThroughDialog(this, [this](QPagedPaintDevice& device) { printTo(device); });
}

} // namespace dravenor
