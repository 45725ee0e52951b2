#include "layouts/layout_print.h"

#include <algorithm>
#include <cmath>

#include "job/files.h"
#include "job/number_format.h"
#include "layouts/layout_print_pinned_view.h"
#include "layouts/number_list.h"
#include "layouts/report_print_text.h"

namespace dravenor {

namespace {

// Paper sheets needed for a length: a whole quotient (up to rounding noise) is not rounded up.
int sheetsFor(double length, double window)
{
    const double quotient = length / window;
    return std::max(1, static_cast<int>(std::ceil(quotient - 1e-9 * std::max(1.0, quotient))));
}

// Layout units one paper sheet spans across.
double windowWidthFor(const PrintedSheet& sheet, const PaperArea& paper, const PrintScale& scale)
{
    if (scale.kind == PrintScale::Kind::Zoom) return std::max(sheet.width, sheet.height) / scale.value + 1;
    return paper.width * scale.value;
}

// The origin label and the information lines, half a line below the sheet's origin; moved up
// as a whole when they would run off the paper.
void writeInformationBlock(PrintSurface& surface, const ViewScale& window, double mirror,
                           const std::vector<std::string>& lines)
{
    surface.setFont(PrintFont::Fixed);
    const double lineHeight = surface.textHeight(kOriginLabel);
    const double blockHeight = static_cast<double>(lines.size() + 1) * lineHeight;
    const double bottom = window.top + window.height;
    double y = mirror + lineHeight / 2;
    if (y + blockHeight > bottom) y = std::max(window.top, bottom - blockHeight);
    surface.text(0, y, kOriginLabel);
    for (const std::string& line : lines) {
        y += lineHeight;
        if (!line.empty()) surface.text(0, y, line);
    }
    surface.setFont(PrintFont::Small);
}

} // namespace

ViewScale LayoutPagePlan::window(int row, int column) const
{
    return {(column - 1) * windowWidth, top + (row - 1) * windowHeight, windowWidth, windowHeight};
}

LayoutPagePlan planLayoutPages(const PrintedSheet& sheet, const PaperArea& paper, const PrintScale& scale)
{
    LayoutPagePlan plan;
    const bool sized = std::max(sheet.width, sheet.height) > 0 && paper.width > 0 && paper.height > 0 &&
                       scale.value > 0 && std::isfinite(scale.value);
    if (!sized) return plan;
    plan.windowWidth = windowWidthFor(sheet, paper, scale);
    // Square units: the window has the paper's proportions.
    plan.windowHeight = plan.windowWidth * paper.height / paper.width;
    plan.across = sheetsFor(sheet.width, plan.windowWidth);
    plan.down = sheetsFor(sheet.height, plan.windowHeight);
    plan.top = sheet.mirror - sheet.height;
    return plan;
}

std::string paperSheetQuestion(int pageCount, int layoutNo)
{
    return std::to_string(pageCount) + " paper sheets will be used for layout " + std::to_string(layoutNo) +
           ", Continue?";
}

std::string landscapeQuestion(const std::vector<int>& layoutNos)
{
    const std::string numbers = numberList(layoutNos);
    return (layoutNos.size() == 1 ? "Layout " + numbers + " takes" : "Layouts " + numbers + " take")
        + " fewer paper sheets across the paper (landscape) than upright. Print across?";
}

std::string printScaleText(const LayoutPagePlan& plan, const PaperArea& paper, const PrintScale& scale,
                           DrawingUnit unit)
{
    const double millimetresPerUnit = plan.millimetresPerUnit(paper);
    if (!(millimetresPerUnit > 0)) return {};
    std::string n = formatMask(millimetresPer(unit) / millimetresPerUnit, "0.##");
    if (n.back() == '.') n.pop_back(); // a whole number
    const std::string text = "1 : " + n;
    return scale.kind == PrintScale::Kind::Zoom ? text + " (fitted)" : text;
}

std::vector<std::string> layoutInformationLines(const PrintJobDetails& job, const std::string& layoutLine,
                                                const std::string& scaleText, double gridSpacing,
                                                const PrintedSheet& sheet, const LayoutMetrics& metrics,
                                                const std::string& kerfNote)
{
    const BasicDetails& d = job.details;
    std::string dateLine = "Date : " + job.date;
    if (!job.jobFileName.empty()) dateLine += "   File : " + fileNameOnly(job.jobFileName);
    const std::string grid = formatGeneral(gridSpacing);
    ReportPrintText yields;
    yields.text("Yield :").number(metrics.yield).text("     Base Yield :").number(metrics.baseYield);
    std::vector<std::string> lines{
        "",
        "",
        dateLine,
        "Mat : " + d.Mat + "   Grade : " + d.Grade + "   Thk : " + formatGeneral(d.Thick) +
            "   Kerf : " + formatGeneral(d.Kerf),
    };
    if (!kerfNote.empty()) lines.push_back(kerfNote);
    lines.insert(lines.end(), {
        "Note : " + d.Note,
        "",
        "Layout No           : " + layoutLine,
        "Scale               : " + scaleText,
        "Grid Size           : " + grid + " X " + grid,
        "Sheet Width(X-Axis) : " + formatGeneral(sheet.width),
        "Sheet Length(Y-Axis): " + formatGeneral(sheet.height),
        yields.str(),
        "RLC/Sheet : " + formatMask(metrics.rlcPerSheet, ".00") + "     Total RLC : " +
            formatMask(metrics.totalRlc, ".00"),
    });
    return lines;
}

double printGridSpacing(const std::string& gridText, const PrintedSheet& sheet)
{
    if (gridText == "Auto") return std::max(sheet.width, sheet.height) / 10;
    return leadingNumber(gridText);
}

PrintedSheet printedSheetOf(const NestingState& state, int layoutNo, SheetExtentsCache* cache)
{
    const LayoutViewFrame frame = layoutViewFrame(state, layoutNo, cache);
    if (!frame.drawn) return {};
    return {frame.sheetWidth, frame.sheetHeight, frame.mirror};
}

void printLayoutPages(const NestingState& state, int layoutNo, const LayoutPagePlan& plan,
                      const LayoutPrintOptions& options, const std::vector<std::string>& informationLines,
                      PrintSurface& surface, SheetExtentsCache* cache)
{
    for (int row = 1; row <= plan.down; ++row)
        for (int column = 1; column <= plan.across; ++column) {
            surface.startPage();
            surface.setPenWidth(options.lineWidth);
            surface.setFont(PrintFont::Small);
            const ViewScale window = plan.window(row, column);
            PinnedViewSurface page(surface, window);
            const LayoutViewFrame frame = drawLayoutFitted(state, layoutNo, page, options.view, cache);
            if (plan.holdsOrigin(row, column)) writeInformationBlock(surface, window, frame.mirror, informationLines);
        }
}

} // namespace dravenor
