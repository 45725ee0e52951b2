#include "app/layout_printer.h"

#include <QDate>

#include "ui/printer_surface.h"

namespace dravenor {

std::string printDate()
{
    return QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")).toStdString();
}

LayoutPrintResult printLayoutsTo(QPagedPaintDevice& device, const NestingState& state,
                                 const std::vector<int>& listLines, const LayoutPrintRun& run,
                                 const PaperSheetConfirm& confirm)
{
    PrinterSurface surface(device);
    LayoutPrintResult result = printLayoutLines(state, listLines, run, surface.paper(), surface, confirm);
    surface.finish();
    return result;
}

} // namespace dravenor
