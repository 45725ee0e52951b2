// dravenor-cli layout-dxf: one layout of a saved job as a DXF drawing or a shape file, as the
// main window's "Save this layout as DXF..." writes it.
#include <charconv>
#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "cli/nc_files.h"
#include "cli/saved_job.h"
#include "cli/shape_io.h"
#include "cutting/cam_dxf.h"
#include "job/files.h"
#include "cli/stock_options.h"
#include "job/number_format.h"
#include "layouts/layout_export.h"
#include "layouts/layout_range.h"

namespace dravenor::cli {

namespace {

double textHeightOf(const std::string& text)
{
    const std::optional<double> value = numberFromText(text);
    if (!value || *value <= 0) throw UsageError{"--text-height '" + text + "' is not a number above 0"};
    return *value;
}

// --cam: the drawing for other CAM programs, with the lead-ins of the layout's cut plan.
int writeCamDrawing(const NestingState& state, int layoutNo, const std::string& jobPath, const std::string& target,
                    const ParsedArgs& parsed, std::ostream& out, std::ostream& err)
{
    requireFileType(target, "output", {"dxf"});
    const cutting::NcSetup setup =
        batchNcSetup(state, fileNameOnly(jobPath), parsed.value("--cut-table"), parsed.value("--post"));
    if (!setup.ok()) throw UsageError{setup.error};
    const cutting::CutPlanResult planned = cutting::planLayoutCut(state, layoutNo, setup.cut);
    if (!planned.plan) {
        err << "dravenor-cli layout-dxf: " << planned.error << "\n";
        return kExitFailed;
    }
    if (const std::string problem = cutting::saveCamDxf(state, layoutNo, *planned.plan, target); !problem.empty()) {
        err << "dravenor-cli layout-dxf: " << problem << "\n";
        return kExitFailed;
    }
    reportStream(target, out, err) << target << "\n";
    return kExitOk;
}

int layoutDxf(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = parseArgs(args, {"--layout", "--text-height", "--templates", "--units", "--cut-table", "--post",
                                               "--stock"},
                                        {"--names", "--cam", "--remnant"});
    if (parsed.positional.size() != 2)
        throw UsageError{"give one job file and one output file (see dravenor-cli layout-dxf --help)"};
    if (!parsed.has("--layout")) throw UsageError{"give the layout to save with --layout N"};
    const std::string& jobPath = parsed.positional[0];
    const std::string& target = parsed.positional[1];
    requireFileType(target, "output", {"dxf", "shp"});
    const int layoutNo = layoutNumberOf(parsed.value("--layout"));
    LayoutDxfOptions options;
    options.partNames = parsed.flags.count("--names") > 0;
    if (parsed.has("--text-height")) options.textHeight = textHeightOf(parsed.value("--text-height"));

    SavedJob saved(jobPath, drawingUnitOption(parsed), "layout-dxf", err);
    const Job& job = saved.job;
    const NestingState& state = job.nesting;
    if (findItemRange(state.items, layoutNo).first < 0)
        throw UsageError{jobPath + " has no layout " + std::to_string(layoutNo) + " (it has " +
                         std::to_string(state.items.back().LayoutNo) + ")"};
    if (!parsed.has("--text-height")) options.textHeight = defaultLayoutTextHeight(state, layoutNo);
    if (parsed.has("--remnant")) {
        saved.lookUpRemnants(parsed);
        options.remnants = remnantMarksOf(job);
    }

    if (parsed.flags.count("--cam")) return writeCamDrawing(state, layoutNo, jobPath, target, parsed, out, err);
    const std::string problem = saveLayoutByExtension(state, layoutNo, target, dxfTemplateFolder(parsed), options);
    if (!problem.empty()) {
        err << "dravenor-cli layout-dxf: " << problem << "\n";
        return kExitFailed;
    }
    reportStream(target, out, err) << target << "\n";
    return kExitOk;
}

} // namespace

Command layoutDxfCommand()
{
    return {"layout-dxf", "save one layout of a saved job as a DXF drawing or a shape file",
            "Usage: dravenor-cli layout-dxf FILE.nst --layout N OUT.dxf|OUT.shp [--names] [--cam] [--remnant]\n"
            "                               [--text-height H] [--templates DIR] [--units mm|in]\n"
            "Opens the job, rebuilds its layouts from the shape files and saves layout N as the\n"
            "main window's \"Save this layout as DXF...\" does: a .dxf drawing with every part in\n"
            "its place and the sheet last, or a .shp shape file of the layout's entities.\n"
            "  --layout N         the layout to save (1 is the first)\n"
            "  --names            write each part's file name at the centre of its box (DXF only)\n"
            "  --text-height H    height of those names (default: a hundredth of the sheet's larger\n"
            "                     side)\n"
            "  --remnant          draw the layout's remnant: its cut line across the sheet and a\n"
            "                     TEXT with its size and stock id, on the layer REMNANT\n"
            "  --stock DIR        the stock that gives the remnant's id (default: stock in the\n"
            "                     working folder, when there is one)\n"
            "  --templates DIR    folder of the DXF templates dxf.hd and dxf.ft (default: beside the\n"
            "                     executable, else its resources)\n"
            "  --cam              a drawing for other CAM programs (DXF 2000): each contour one closed\n"
            "                     LWPOLYLINE with bulges on layer OUTER or INNER, the cut plan's\n"
            "                     lead-ins on LEAD-IN, part names on TEXT, the sheet on SHEET,\n"
            "                     $INSUNITS set (--cut-table FILE, --post FILE as for nc)\n"
            "  --units mm|in      the job's length unit (default mm): drawings that name their units\n"
            "                     are converted to it\n"
            "A missing shape file, template or unwritable output gives exit code 1 and writes\n"
            "nothing; a job without that layout, or one that cannot be read, gives exit code 2.\n",
            layoutDxf};
}

} // namespace dravenor::cli
