#include "layouts/layout_print_run.h"

#include <numeric>

#include "layouts/layout_list.h"

namespace dravenor {

LayoutPrintResult printLayoutLines(const NestingState& state, const std::vector<int>& listLines,
                                   const LayoutPrintRun& run, const PaperArea& paper, PrintSurface& surface,
                                   const PaperSheetConfirm& confirm)
{
    LayoutPrintResult result;
    const std::vector<std::string> entries = layoutListEntries(state);
    const JobMetrics metrics = computeJobMetrics(state, run.density);
    SheetExtentsCache sheets;
    for (int line : listLines) {
        if (line < 0 || static_cast<size_t>(line) >= entries.size()) continue;
        const std::string& entry = entries[static_cast<size_t>(line)];
        const int layoutNo = layoutNumberOfEntry(entry);
        const PrintedSheet sheet = printedSheetOf(state, layoutNo, &sheets);
        const LayoutPagePlan plan = planLayoutPages(sheet, paper, run.scale);
        const bool wanted = plan.pageCount() > 0 &&
                            (!confirm || confirm(line, paperSheetQuestion(plan.pageCount(), layoutNo)));
        if (!wanted) {
            result.layoutsSkipped.push_back(layoutNo);
            continue;
        }
        const LayoutMetrics* layout = metrics.layout(layoutNo);
        std::vector<std::string> information = layoutInformationLines(
            run.job, entry, printScaleText(plan, paper, run.scale, state.drawingUnit),
            printGridSpacing(run.options.view.gridText, sheet), sheet, layout ? *layout : LayoutMetrics{},
            metrics.kerfNote);
        if (std::string fault = faultyLayoutLine(run.faulty, layoutNo); !fault.empty()) information.push_back(std::move(fault));
        printLayoutPages(state, layoutNo, plan, run.options, information, surface, &sheets);
        result.pagesPrinted += plan.pageCount();
        result.layoutsPrinted.push_back(layoutNo);
    }
    return result;
}

int paperSheetsFor(const NestingState& state, const std::vector<int>& listLines, const PrintScale& scale,
                   const PaperArea& paper)
{
    const std::vector<std::string> entries = layoutListEntries(state);
    SheetExtentsCache sheets;
    int count = 0;
    for (int line : listLines) {
        if (line < 0 || static_cast<size_t>(line) >= entries.size()) continue;
        const int layoutNo = layoutNumberOfEntry(entries[static_cast<size_t>(line)]);
        count += planLayoutPages(printedSheetOf(state, layoutNo, &sheets), paper, scale).pageCount();
    }
    return count;
}

std::string manyPaperSheetsQuestion(int paperSheets, int layouts)
{
    const std::string what = layouts == 1 ? "The layout takes " : "The " + std::to_string(layouts) + " layouts take ";
    return what + std::to_string(paperSheets) + " paper sheets at this scale.\n\nYes: print " +
        (layouts == 1 ? "it on one paper sheet" : "each on one paper sheet") + " (Fit).\nNo: print all " +
        std::to_string(paperSheets) + " paper sheets.\nCancel: print nothing.";
}

std::vector<int> allLayoutLines(const NestingState& state)
{
    std::vector<int> lines(layoutListEntries(state).size());
    std::iota(lines.begin(), lines.end(), 0);
    return lines;
}

} // namespace dravenor
