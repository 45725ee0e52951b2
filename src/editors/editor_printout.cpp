#include "editors/editor_printout.h"

#include <QDate>
#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "job/grid_print_text.h"
#include "ui/image_surface.h"

namespace dravenor {

namespace {

constexpr int kDrawingPixels = 2400;

} // namespace

std::vector<std::string> editorPrintLines(const TextGrid& grid, const std::string& file, const QString& caption)
{
    const std::string date = QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")).toStdString();
    std::vector<std::string> lines = gridPrintHeader(grid, file, date, caption.toStdString(), true);
    lines.push_back("File Name: " + file);
    const std::vector<int> positions = gridPrintPositions(grid);
    for (int r = 1; r < grid.rows(); ++r) {
        if (grid.rowHasText(r)) lines.push_back(gridPrintLine(grid, r, positions));
    }
    return lines;
}

void printEditorPages(QPagedPaintDevice& device, const std::vector<std::string>& lines, const EditorDrawing& draw)
{
    QPainter painter(&device);
    if (!painter.isActive()) return;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    painter.setFont(font);
    const QRect page = painter.viewport();
    const int lineHeight = painter.fontMetrics().lineSpacing();

    int y = lineHeight;
    for (const std::string& line : lines) {
        if (y > page.height() - lineHeight) {
            device.newPage();
            y = lineHeight;
        }
        painter.drawText(0, y, QString::fromStdString(line));
        y += lineHeight;
    }

    if (!draw) return;
    device.newPage();
    ImageSurface surface(QSize(kDrawingPixels, kDrawingPixels));
    draw(surface);
    const int side = std::min(page.width(), page.height());
    painter.drawImage(QRect(0, 0, side, side), surface.image());
}

void printThroughDialog(QWidget* parent, const std::function<void(QPagedPaintDevice&)>& print)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted) print(printer);
}

} // namespace dravenor
