// dravenor-cli print: layouts of a saved job drawn to scale into a PDF file, as File > Print
// prints them, without a printer or a display.
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <filesystem>
#include <map>
#include <ostream>

#include "app/layout_printer.h"
#include "cli/command.h"
#include "cli/nc_files.h"
#include "cli/option_parser.h"
#include "cli/saved_job.h"
#include "cli/stock_options.h"
#include "cutting/cut_plan.h"
#include "cutting/cut_plan_drawing.h"
#include "job/files.h"
#include "job/number_format.h"
#include "job/print_config.h"
#include "layouts/layout_list.h"

namespace dravenor::cli {

namespace {

constexpr double kDefaultMarginMillimetres = 10;

QPageSize::PageSizeId paperNamed(const std::string& name)
{
    static const std::map<std::string, QPageSize::PageSizeId> papers{
        {"A5", QPageSize::A5}, {"A4", QPageSize::A4}, {"A3", QPageSize::A3}, {"A2", QPageSize::A2},
        {"A1", QPageSize::A1}, {"A0", QPageSize::A0}, {"LETTER", QPageSize::Letter},
        {"LEGAL", QPageSize::Legal}, {"TABLOID", QPageSize::Tabloid},
    };
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto found = papers.find(upper);
    if (found == papers.end()) throw UsageError{"unknown paper '" + name + "' (A0 to A5, Letter, Legal, Tabloid)"};
    return found->second;
}

double positiveNumber(const ParsedArgs& parsed, const std::string& option, double fallback)
{
    if (!parsed.has(option)) return fallback;
    const std::string text = parsed.value(option);
    if (!isNumberText(text) || !(leadingNumber(text) > 0))
        throw UsageError{option + " needs a positive number, not '" + text + "'"};
    return leadingNumber(text);
}

PrintScale scaleOf(const ParsedArgs& parsed, DrawingUnit unit)
{
    if (parsed.has("--zoom") && parsed.has("--scale")) throw UsageError{"give --zoom or --scale, not both"};
    if (parsed.has("--scale")) return PrintScale::oneTo(positiveNumber(parsed, "--scale", 1), unit);
    return PrintScale::zoom(positiveNumber(parsed, "--zoom", 1));
}

int lineWidthOf(const ParsedArgs& parsed)
{
    const double width = positiveNumber(parsed, "--line-width", kDefaultLineWidth);
    if (width != static_cast<int>(width) || width > kThickestLineWidth)
        throw UsageError{"--line-width is a whole number from 1 to 5"};
    return static_cast<int>(width);
}

// The list lines to print: every layout, or the line of layout N.
std::vector<int> chosenLines(const ParsedArgs& parsed, const NestingState& state, const std::string& jobPath)
{
    if (parsed.has("--all")) return allLayoutLines(state);
    const std::string wanted = parsed.value("--layout");
    const std::vector<std::string> entries = layoutListEntries(state);
    for (size_t line = 0; line < entries.size(); ++line)
        if (std::to_string(layoutNumberOfEntry(entries[line])) == wanted) return {static_cast<int>(line)};
    throw UsageError{jobPath + ": no layout " + wanted + " (the job has " + std::to_string(entries.size()) +
                     " layouts)"};
}

int print(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed =
        parseArgs(args, {"--layout", "--pdf", "--paper", "--zoom", "--scale", "--grid", "--line-width",
                         "--margin", "--units", "--stock", "--cut-table", "--post"},
                  {"--all", "--landscape", "--names", "--positions", "--cut-plan"});
    if (parsed.positional.size() != 1) throw UsageError{"give exactly one job file (see dravenor-cli print --help)"};
    if (parsed.has("--all") == parsed.has("--layout")) throw UsageError{"give either --layout N or --all"};
    if (!parsed.has("--pdf")) throw UsageError{"give the PDF file to write with --pdf OUT.pdf"};
    const std::string jobPath = parsed.positional.front();
    const std::string pdfPath = parsed.value("--pdf");

    LayoutPrintRun run;
    const DrawingUnit unit = drawingUnitOption(parsed);
    run.scale = scaleOf(parsed, unit);
    run.options.lineWidth = lineWidthOf(parsed);
    run.options.view.gridText = parsed.value("--grid", "Auto");
    run.options.view.showNames = parsed.has("--names");
    run.options.view.showPositions = parsed.has("--positions");
    const QPageSize paper(paperNamed(parsed.value("--paper", "A4")));
    const double margin = parsed.has("--margin") ? leadingNumber(parsed.value("--margin")) : kDefaultMarginMillimetres;

    SavedJob saved(jobPath, unit, "print", err);
    const Job& job = saved.job;
    const std::vector<int> lines = chosenLines(parsed, job.nesting, jobPath);
    run.job = {printDate(), job.jobFileName, job.nesting.details};
    saved.lookUpRemnants(parsed);
    run.options.view.remnants = remnantMarksOf(job);
    run.faulty = faultyLayoutsOf(job);
    if (parsed.has("--cut-plan")) {
        cutting::NcSetup setup = batchNcSetup(job.nesting, fileNameOnly(jobPath), parsed.value("--cut-table"),
                                              parsed.value("--post"));
        if (!setup.ok()) {
            err << "dravenor-cli print: " << setup.error << "\n";
            return kExitBadInput;
        }
        setup.cut.remnants = run.options.view.remnants;
        // Plans are made once per layout, however many pages the layout spans.
        auto plans = std::make_shared<std::map<int, cutting::CutPlanResult>>();
        run.options.view.overlay = [plans, setup, &job, &err](int layoutNo, DrawingSurface& surface, double mirror) {
            auto found = plans->find(layoutNo);
            if (found == plans->end()) {
                found = plans->emplace(layoutNo, cutting::planLayoutCut(job.nesting, layoutNo, setup.cut)).first;
                if (!found->second.error.empty())
                    err << "dravenor-cli print: warning: layout " << layoutNo << ": " << found->second.error << "\n";
            }
            if (found->second.plan) cutting::drawCutPlan(*found->second.plan, surface, mirror);
        };
    }

    // Printed in memory and written by the one file writer: a failed print leaves an old file
    // intact, and a pipe or "-" gets the document as it is.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    LayoutPrintResult printed;
    {
        QPdfWriter writer(&document);
        writer.setCreator(QStringLiteral("Dravenor"));
        writer.setTitle(QString::fromStdString(std::filesystem::path(jobPath).filename().string()));
        const QPageLayout::Orientation orientation =
            parsed.has("--landscape") ? QPageLayout::Landscape : QPageLayout::Portrait;
        writer.setPageLayout(QPageLayout(paper, orientation, QMarginsF(margin, margin, margin, margin),
                                         QPageLayout::Millimeter));
        printed = printLayoutsTo(writer, job.nesting, lines, run);
    }
    if (printed.pagesPrinted == 0) {
        err << "dravenor-cli print: cannot write " << pdfPath << ": nothing could be printed\n";
        return kExitFailed;
    }
    if (const std::string problem = writeFileAtomically(pdfPath, document.data().toStdString()); !problem.empty()) {
        err << "dravenor-cli print: " << problem << "\n";
        return kExitFailed;
    }
    std::ostream& said = reportStream(pdfPath, out, err);
    for (int layoutNo : printed.layoutsPrinted) said << "layout " << layoutNo << "\n";
    said << printed.pagesPrinted << " pages written to " << pdfPath << "\n";
    return kExitOk;
}

} // namespace

Command printCommand()
{
    return {"print", "print layouts of a saved job to scale into a PDF file",
            "Usage: dravenor-cli print FILE.nst (--layout N | --all) --pdf OUT.pdf [options]\n"
            "Opens the job, rebuilds its layouts from the shape files and prints them as File >\n"
            "Print does: each layout over as many pages as it needs, the job's details on the\n"
            "page that holds the sheet's origin, which names the scale printed at. A layout's\n"
            "remnant is hatched, with its cut line and its size (and stock id: --stock DIR, default\n"
            "the working folder's stock when there is one).\n"
            "  --layout N        the layout numbered N;  --all  every layout\n"
            "  --pdf OUT.pdf     the file to write (replaced only when printing succeeded)\n"
            "  --paper NAME      A4 (default), A0 to A5, Letter, Legal or Tabloid\n"
            "  --landscape       the paper turned sideways\n"
            "  --margin MM       margin on every side in millimetres (default 10)\n"
            "  --zoom Z          one page spans (larger sheet side) / Z + 1 units across (default 1)\n"
            "  --scale N         true scale 1 : N, one millimetre of paper is N millimetres of\n"
            "                    the job (N / 25.4 inches with --units in)\n"
            "  --grid TEXT       Auto (default), No, or a spacing such as 100\n"
            "  --names           part names;  --positions  part positions\n"
            "  --cut-plan        the cut plan over each layout: cut order, torch paths, lead-ins,\n"
            "                    dashed rapids (--cut-table FILE, --post FILE as for nc)\n"
            "  --line-width W    pen width 1 to 5 (0.1 mm each, default 1)\n"
            "  --units mm|in     the job's length unit (default mm): drawings that name their units\n"
            "                    are converted to it\n"
            "A job without layouts, an unknown layout or bad options give exit code 2; a PDF that\n"
            "cannot be written, 1.\n",
            print};
}

} // namespace dravenor::cli
