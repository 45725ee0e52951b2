#include "editors/editor_printout.h"

#include <QDate>
#include <QPagedPaintDevice>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

#include "job/grid_print_text.h"
#include "ui/printer_surface.h"

namespace dravenor {

namespace {

// Pen of the drawing, in print.cfg's steps of a tenth of a millimetre.
constexpr int kDrawingPenWidth = 2;

} // namespace

std::vector<std::string> editorPrintLines(const TextGrid& grid, const std::string& file, const QString& caption)
{
    const std::string date = QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")).toStdString();
    std::vector<std::string> lines = gridPrintHeader(grid, file, date, caption.toStdString(), false);
    lines.push_back("File Name: " + file);
    const std::vector<int> positions = gridPrintPositions(grid);
    lines.push_back(gridPrintLine(grid, 0, positions));
    for (int r = 1; r < grid.rows(); ++r) {
        if (grid.rowHasText(r)) lines.push_back(gridPrintLine(grid, r, positions));
    }
    return lines;
}

void printEditorPages(QPagedPaintDevice& device, const std::vector<std::string>& lines, const EditorDrawing& draw)
{
    PrinterSurface paper(device);
    const PaperArea area = paper.paper();
    paper.startPage();
    paper.setFont(PrintFont::Fixed);
    paper.setScale({0, 0, area.width, area.height});
    const double lineHeight = paper.textHeight("X");
    double y = 0;
    for (const std::string& line : lines) {
        if (y + lineHeight > area.height) {
            paper.startPage();
            y = 0;
        }
        if (!line.empty()) paper.text(0, y, line);
        y += lineHeight;
    }
    if (draw) {
        paper.startPage();
        paper.setFont(PrintFont::Small);
        paper.setPenWidth(kDrawingPenWidth);
        paper.setScale({0, 0, area.width, area.height});
        // Grid labels at the right and bottom edges of the drawing stand out of it by about this.
        const double labels = paper.textWidth("-00000");
        const double margin = kEditorDrawingMarginMillimetres;
        const double side = std::max(std::min(area.width, area.height) - 2 * margin - labels, 1.0);
        paper.setDrawingArea(QRectF(margin, margin, side, side));
        draw(paper);
    }
    paper.finish();
}

void printThroughDialog(QWidget* parent, const std::function<void(QPagedPaintDevice&)>& print)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted) print(printer);
}

} // namespace dravenor
