#pragma once
// Printing a choice of layouts one after another: for each layout list line, the page plan, the
// question about the paper it takes, and its pages with the information block.
#include <functional>
#include <string>
#include <vector>

#include "layouts/faulty_layouts.h"
#include "layouts/layout_print.h"

namespace dravenor {

struct LayoutPrintRun {
    PrintScale scale;
    LayoutPrintOptions options;
    PrintJobDetails job;
    double density = 0; // of the job's material, for nothing but the metrics' weights
    FaultyLayouts faulty; // layouts that fail the outline check: their printout says so
};

struct LayoutPrintResult {
    int pagesPrinted = 0;
    std::vector<int> layoutsPrinted; // layout numbers, in printing order
    std::vector<int> layoutsSkipped; // answered No, or without a sheet to print
};

// Called before a layout is printed with its list line (0-based) and the paper-sheet question;
// false skips that layout only.
using PaperSheetConfirm = std::function<bool(int listLine, const std::string& question)>;

// Prints the layouts of the given lines of the layout list (0-based; lines that do not exist are
// left out). Without a confirm function every layout is printed.
LayoutPrintResult printLayoutLines(const NestingState& state, const std::vector<int>& listLines,
                                   const LayoutPrintRun& run, const PaperArea& paper, PrintSurface& surface,
                                   const PaperSheetConfirm& confirm = {});

// Paper sheets the layouts of these list lines take together at the scale on the paper.
int paperSheetsFor(const NestingState& state, const std::vector<int>& listLines, const PrintScale& scale,
                   const PaperArea& paper);
// The question before a printout that takes more than one paper sheet for some layout: how many
// it takes, and Fit offered ("Yes: each layout on one paper sheet").
std::string manyPaperSheetsQuestion(int paperSheets, int layouts);

// Every line of the layout list: 0, 1, ..., count - 1.
std::vector<int> allLayoutLines(const NestingState& state);

} // namespace dravenor
