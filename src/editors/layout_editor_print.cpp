// Printing from the layout editor: the page header, the file name, the placement table and the
// check's verdict, then the drawing with the part names on a page of its own.
#include "editors/editor_printout.h"
#include "editors/layout_editor.h"
#include "layouts/layout_editing_drawing.h"

namespace dravenor {

void LayoutEditor::printTo(QPagedPaintDevice& device) const
{
    std::vector<std::string> lines = editorPrintLines(grid_, currentFile_, windowTitle());
    lines.emplace_back();
    lines.push_back(layoutStatusText(placed_));
    for (const LayoutFault& fault : placed_.faults) lines.push_back("  " + fault.text);

    EditorDrawing draw;
    if (placed_.hasSheet || !placed_.parts.empty())
        draw = [this](DrawingSurface& surface) {
            LayoutEditDrawingOptions options;
            options.gridText = "No";
            options.showNames = true;
            drawEditedLayout(placed_, surface, options);
        };
    printEditorPages(device, lines, draw);
}

void LayoutEditor::printWithDialog()
{
    printThroughDialog(this, [this](QPagedPaintDevice& device) { printTo(device); });
}

} // namespace dravenor
