#pragma once
// Layouts on paper: the printing of a choice of layouts onto a printer or PDF writer, through a
// PrinterSurface.
#include <QPagedPaintDevice>
#include <string>

#include "layouts/layout_print_run.h"

namespace dravenor {

// Today's date as the information block writes it: "dd-mm-yyyy".
std::string printDate();

// Prints the layouts of the given list lines onto the device (pages begun as needed, the
// document ended) and returns what was printed.
LayoutPrintResult printLayoutsTo(QPagedPaintDevice& device, const NestingState& state,
                                 const std::vector<int>& listLines, const LayoutPrintRun& run,
                                 const PaperSheetConfirm& confirm = {});

} // namespace dravenor
