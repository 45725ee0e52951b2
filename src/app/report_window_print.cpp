// Printing from the report window: the selected or all report rows in a fixed-width font, the
// page header (date and caption, with the job file when there is one) at the top of every page.
#include <QDate>
#include <QFontDatabase>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "app/report_window.h"
#include "job/grid_print_text.h"
#include "layouts/report_pages.h"

namespace dravenor {

std::vector<std::vector<std::string>> ReportWindow::printPages(int fromRow, int toRow, int linesPerPage) const
{
    const std::string date = QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")).toStdString();
    const std::vector<std::string> header =
        gridPrintHeader(grid_, jobFileName_, date, windowTitle().toStdString(), false);
    return paginate(gridPrintBody(grid_, fromRow, toRow), header, linesPerPage);
}

void ReportWindow::printTo(QPagedPaintDevice& device) const
{
    printRowsTo(device, 1, grid_.rows() - 1);
}

void ReportWindow::printRowsTo(QPagedPaintDevice& device, int fromRow, int toRow) const
{
    QPainter painter(&device);
    if (!painter.isActive()) return;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kReportPrintPointSize);
    painter.setFont(font);
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const int linesPerPage = std::max(painter.viewport().height() / lineHeight, 1);

    bool firstPage = true;
    for (const std::vector<std::string>& page : printPages(fromRow, toRow, linesPerPage)) {
        if (!firstPage) device.newPage();
        firstPage = false;
        int baseline = painter.fontMetrics().ascent();
        for (const std::string& line : page) {
            painter.drawText(0, baseline, QString::fromStdString(line));
            baseline += lineHeight;
        }
    }
}

void ReportWindow::printWithDialog()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, grid_.selEndRow > grid_.selStartRow);
    if (dialog.exec() != QDialog::Accepted) return;
    if (printer.printRange() == QPrinter::Selection) printRowsTo(printer, grid_.selStartRow, grid_.selEndRow);
    else printTo(printer);
}

} // namespace dravenor
