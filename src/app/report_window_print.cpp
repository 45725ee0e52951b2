// Printing from the report window: the selected or all report rows in a fixed-width font, the
// page header (date and caption, with the job file when there is one) at the top of every page.
#include <QDate>
#include <QPagedPaintDevice>
#include <QPrintDialog>
#include <QPrinter>

#include "app/report_window.h"
#include "app/text_printout.h"
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
    printTextPages(device, kReportPrintPointSize,
                   [&](int linesPerPage) { return printPages(fromRow, toRow, linesPerPage); });
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
