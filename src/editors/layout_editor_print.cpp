// Printing from the layout editor: the page header, the file name, the placement table and the
// check's verdict in a fixed-width font, then the drawing on a page of its own.
#include <QDate>
#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "editors/layout_editor.h"
#include "job/grid_print_text.h"
#include "layouts/layout_editing_drawing.h"
#include "ui/image_surface.h"

namespace dravenor {

namespace {

constexpr int kDrawingPixels = 2400;

std::vector<std::string> printLines(const TextGrid& grid, const std::string& file, const QString& caption,
                                    const PlacedLayout& placed)
{
    const std::string date = QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")).toStdString();
    std::vector<std::string> lines = gridPrintHeader(grid, file, date, caption.toStdString(), true);
    lines.push_back("File Name: " + file);
    const std::vector<int> positions = gridPrintPositions(grid);
    for (int r = 1; r < grid.rows(); ++r) {
        if (grid.rowHasText(r)) lines.push_back(gridPrintLine(grid, r, positions));
    }
    lines.emplace_back();
    lines.push_back(layoutStatusText(placed));
    for (const LayoutFault& fault : placed.faults) lines.push_back("  " + fault.text);
    return lines;
}

} // namespace

void LayoutEditor::printTo(QPagedPaintDevice& device) const
{
    QPainter painter(&device);
    if (!painter.isActive()) return;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    painter.setFont(font);
    const QRect page = painter.viewport();
    const int lineHeight = painter.fontMetrics().lineSpacing();

    int y = lineHeight;
    for (const std::string& line : printLines(grid_, currentFile_, windowTitle(), placed_)) {
        if (y > page.height() - lineHeight) {
            device.newPage();
            y = lineHeight;
        }
        painter.drawText(0, y, QString::fromStdString(line));
        y += lineHeight;
    }

    if (!placed_.hasSheet && placed_.parts.empty()) return;
    device.newPage();
    ImageSurface surface(QSize(kDrawingPixels, kDrawingPixels));
    LayoutEditDrawingOptions options;
    options.gridText = "No";
    options.showNames = true;
    drawEditedLayout(placed_, surface, options);
    const int side = std::min(page.width(), page.height());
    painter.drawImage(QRect(0, 0, side, side), surface.image());
}

void LayoutEditor::printWithDialog()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) printTo(printer);
}

} // namespace dravenor
