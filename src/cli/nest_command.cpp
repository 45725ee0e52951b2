#include <algorithm>
#include <optional>
#include <ostream>

#include "cli/command.h"
#include "cli/deep_progress_line.h"
#include "cli/nest_job.h"
#include "cli/nest_job_file.h"
#include "cli/layout_dxfs.h"
#include "cli/layout_pngs.h"
#include "cli/layout_remnants.h"
#include "cli/stock_options.h"
#include "cli/live_line.h"
#include "cli/nc_files.h"
#include "cli/working_files.h"
#include "cli/nest_report.h"
#include "cli/shape_io.h"
#include "cutting/ruling_kerf.h"
#include "engine/nesting_checks.h"
#include "engine/nesting_driver.h"
#include "engine/run_texts.h"
#include "layouts/checked_deep_nesting.h"
#include "layouts/checked_optimisation.h"
#include "geometry/dxf_export_drawing.h"
#include "job/files.h"
#include "job/job_file.h"
#include "job/number_format.h"

namespace dravenor::cli {

namespace {

// The run's progress as one line on stderr, rewritten in place: trial t/T, best yield, layouts.
class ProgressLine : public NestingProgress {
public:
    ProgressLine(std::ostream& err, bool live) : line_(err, live) {}

    void status(const std::string&, long long, long long) override {}
    void title(const std::string& text) override
    {
        // "Nesting Progress : 50%  | Ov. Yield : 81.234% | Layouts : 3": keep what follows the
        // first bar.
        const auto bar = text.find('|');
        best_ = bar == std::string::npos ? text : text.substr(bar + 2);
        show();
    }
    void layoutNumber(int) override {}
    void warning(const std::string& text) override
    {
        line_.finish();
        line_.stream() << "warning: " << text << "\n";
    }
    bool cancelRequested() override { return false; }
    void trialStarted(int trial, int trials) override
    {
        trial_ = "trial " + std::to_string(trial) + "/" + std::to_string(trials);
        show();
    }

private:
    void show() { line_.show(trial_ + (best_.empty() ? "" : " | " + best_)); }

    LiveLine line_;
    std::string trial_, best_;
};

int exitCodeOf(EndStatus status)
{
    switch (status) {
    case EndStatus::Full: return kExitOk;
    case EndStatus::Partial: return kExitFailed;
    case EndStatus::Failed: break;
    }
    return kExitBadInput;
}

// The checks of the optimisation start, in its order; a problem ends the command with exit 2.
void checkJob(const NestJob& job, std::ostream& err)
{
    if (!job.listFaults.empty()) {
        for (const std::string& fault : job.listFaults) err << "dravenor-cli nest: " << fault << "\n";
        throw UsageError{countedNoun(static_cast<int>(job.listFaults.size()), "bad line", "bad lines") +
                         " in the parts lists: nothing nested"};
    }
    for (const std::string& file : job.namedFiles)
        if (!fileExists(file)) throw UsageError{file + " not found"};
    if (job.state.details.Kerf == 0 && !job.yes)
        throw UsageError{std::string(kZeroKerfQuestion) + " (use --yes to go on)"};
    for (const std::string& note : job.skippedRows) err << "dravenor-cli nest: " << note << "\n";
    if (auto message = emptyListMessage(job.state)) throw UsageError{*message};
    const ShapeFileReview review = reviewShapeFiles(job.state);
    for (const std::string& note : review.notes) err << "dravenor-cli nest: " << note << "\n";
    if (review.problem) throw UsageError{*review.problem};
    // The raster's limits are the classic engine's; Deep Nesting measures on the outlines.
    if (job.mode == NestingMode::Deep) return;
    if (auto message = rasterSizeMessage(job.state)) throw UsageError{*message};
}

// The folder of the DXF templates for --dxf-dir: --templates, else the tool's default.
std::string templateFolderOf(const NestJob& job)
{
    ParsedArgs given;
    if (!job.templateFolder.empty()) given.values["--templates"] = {job.templateFolder};
    return dxfTemplateFolder(given);
}

// Output folders and templates are checked before the run, so a long run never ends in a
// refusal to write.
void checkOutputs(const NestJob& job)
{
    if (!job.pngFolder.empty())
        if (const std::string problem = preparePngFolder(job.pngFolder); !problem.empty()) throw UsageError{problem};
    if (!job.ncFolder.empty()) {
        if (const std::string problem = preparePngFolder(job.ncFolder); !problem.empty()) throw UsageError{problem};
        const cutting::NcSetup setup = batchNcSetup(job.state, "", job.cutTablePath, job.postPath);
        if (!setup.ok()) throw UsageError{"--nc-dir: " + setup.error};
    }
    if (job.dxfFolder.empty()) return;
    if (const std::string problem = preparePngFolder(job.dxfFolder); !problem.empty()) throw UsageError{problem};
    DxfTemplates templates;
    if (const std::string problem = readDxfTemplates(templateFolderOf(job), templates); !problem.empty())
        throw UsageError{"--dxf-dir: " + problem};
}

// The cut table's kerf for the job's material and thickness rules the run (see ruling_kerf.h);
// a default table that is missing or faulty leaves the kerf entered, a table named with
// --cut-table must read.
std::vector<std::string> takeCutTableKerf(NestJob& job)
{
    const cutting::TableKerf taken =
        cutting::applyTableKerfFile(workingFilePath(job.cutTablePath, cutting::kCutTableFileName), job.state.details,
                                    job.deep, job.mode == NestingMode::Deep, job.state.drawingUnit);
    if (!taken.error.empty() && !job.cutTablePath.empty()) throw UsageError{"--cut-table: " + taken.error};
    return taken.notes;
}

int nest(const Args& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> jobFileWarnings;
    Args expanded = withJobFileArgs(args, jobFileWarnings);
    if (const Args fromStock = withStockSheetArgs(args, expanded); fromStock != args) {
        std::vector<std::string> again;
        expanded = withJobFileArgs(fromStock, again);
    }
    NestJob job = parseNestJob(expanded);
    for (const std::string& warning : jobFileWarnings) err << "dravenor-cli nest: warning: " << warning << "\n";
    for (const std::string& note : takeCutTableKerf(job)) out << note << "\n";
    checkJob(job, err);
    checkOutputs(job);
    const NestingState given = job.state;
    RunResult result;
    std::string deepLine;
    std::optional<DeepRun> deepRun;
    if (job.mode == NestingMode::Deep) {
        DeepProgressLine progress(err, job.progress, job.deep);
        deepRun = nestDeepChecked(job.state, job.deep, progress);
        if (!deepRun->outcome.ran) throw UsageError{deepRun->outcome.error};
        result = deepRun->result;
        deepLine = deepRunText(deepRun->outcome, job.state.details.ActKerf, job.deep.margin) + "\n";
    } else {
        ProgressLine progress(err, job.progress);
        result = optimiseChecked(job.state, job.mode, progress);
    }
    if (const std::string common = commonLineRunText(result); !common.empty()) out << common << "\n";
    out << nestSummaryText(job.state, result) << deepLine;
    if (!job.jsonPath.empty()) {
        const std::string json = nestResultJson(job.state, result, deepRun ? &*deepRun : nullptr, job.deep);
        const std::string problem = writeFileAtomically(job.jsonPath, json);
        if (!problem.empty()) {
            err << "dravenor-cli nest: " << problem << "\n";
            return kExitBadInput;
        }
    }
    if (!job.savePath.empty()) {
        const JobFileResult saved = saveJobFile(jobAfterRun(given, job), job.savePath, "");
        if (!saved.ok()) {
            err << "dravenor-cli nest: " << saved.error << "\n";
            return kExitBadInput;
        }
        out << "Job saved to " << job.savePath << "\n";
    }
    if (!job.pngFolder.empty()) {
        const LayoutPngs pictures = writeLayoutPngs(job.state, job.pngFolder);
        if (!pictures.error.empty()) {
            err << "dravenor-cli nest: " << pictures.error << "\n";
            return kExitBadInput;
        }
        out << countedNoun(static_cast<int>(pictures.files.size()), "layout picture", "layout pictures")
            << " written to " << job.pngFolder << "\n";
    }
    if (!job.dxfFolder.empty()) {
        const LayoutDxfs drawings = writeLayoutDxfs(job.state, job.dxfFolder, templateFolderOf(job));
        if (!drawings.error.empty()) {
            err << "dravenor-cli nest: " << drawings.error << "\n";
            return kExitBadInput;
        }
        out << countedNoun(static_cast<int>(drawings.files.size()), "layout drawing", "layout drawings")
            << " written to " << job.dxfFolder << "\n";
    }
    if (!job.ncFolder.empty() && !job.state.items.empty()) {
        const std::string jobName = job.savePath.empty() ? "nest run" : fileNameOnly(job.savePath);
        cutting::NcSetup setup = batchNcSetup(job.state, jobName, job.cutTablePath, job.postPath);
        setup.cut.remnants = remnantMarksOf(job.state, job.deep.margin, job.remnants);
        applyCutOptions(job.cutOptions, setup);
        const int count = writeNcPrograms(job.state, setup, cutting::layoutNumbers(job.state), "", job.ncFolder,
                                          job.savePath, "nest", out, err);
        if (count < 0) return kExitFailed;
        out << countedNoun(count, "NC program", "NC programs") << " written to " << job.ncFolder << "\n";
    }
    if (!job.remnantsFolder.empty()) {
        const LayoutRemnants remnants = writeLayoutRemnants(job.state, job.deep, job.remnants, job.remnantsFolder);
        for (const std::string& line : remnants.lines) out << line << "\n";
        if (!remnants.error.empty()) {
            err << "dravenor-cli nest: " << remnants.error << "\n";
            return kExitBadInput;
        }
    }
    return exitCodeOf(result.status);
}

} // namespace

Command nestCommand()
{
    return {"nest", "optimise a job: nest parts on sheets and print the layouts",
            "Usage: dravenor-cli nest --sheet FILE[:QTY[:PRI]]... --part FILE[:QTY[:PRI[:ORN[:mirror]]]]...\n"
            "                         [--parts-list FILE]... [--parts-dir DIR]...\n"
            "       dravenor-cli nest --job FILE.nst [options]\n"
            "                         [--mat TEXT] [--grade TEXT] [--thick N] [--kerf N] [--note TEXT]\n"
            "                         [--mode stack|continuous|free|deep] [--progress] [--yes] [--json FILE]\n"
            "                         [--png DIR] [--dxf-dir DIR] [--save FILE.nst] [--units mm|in]\n"
            "                         [--spacing N] [--margin N] [--time SECONDS] [--threads N] [--seed N]\n"
            "                         [--iterations N] [--no-parts-in-holes]\n"
            "                         [--from-stock [--stock DIR]] [--remnants-dir DIR]\n"
            "                         [--remnant-width N] [--remnant-area N]\n"
            "Nests the parts on the sheets as the Optimize menu does and prints the end status, the\n"
            "kerf used when it is not the kerf entered, one line per layout (number, sheet file,\n"
            "identical sheets, parts placed, yield), the overall yield and every part file left\n"
            "unplaced with its missing count. Yields come from the true areas of the outlines.\n"
            "  --sheet FILE[:QTY[:PRI]]        a sheet type: shape file or DXF drawing, stock (default 1)\n"
            "                                  and priority (default 0: after all others); repeatable\n"
            "  --part FILE[:QTY[:PRI[:ORN[:mirror]]]]  a part type: file, quantity (default 1), priority,\n"
            "                                  orientation rule: empty (any turn), No (exactly as drawn\n"
            "                                  on the sheet, never turned), step90 (as drawn or turned\n"
            "                                  by 90, 180 or 270 degrees on the sheet) or step180 (as\n"
            "                                  drawn or turned half round), and \"mirror\" when the part\n"
            "                                  may also lie mirrored (Deep Nesting only; the classic\n"
            "                                  engine never mirrors), e.g. bracket.dxf:4:1:step180:mirror;\n"
            "                                  repeatable\n"
            "  --parts-list FILE               a parts list: CSV (comma, semicolon or tab) whose first\n"
            "                                  line names the columns file, quantity, priority,\n"
            "                                  orientation, mirror, material, thickness; its rows are\n"
            "                                  added as parts, files relative to the list's folder. Rows\n"
            "                                  for another --mat or --thick are named and left out; any\n"
            "                                  bad line is named and ends with exit 2; repeatable\n"
            "  --parts-dir DIR                 every drawing (.dxf) and shape file (.shp) of DIR as a\n"
            "                                  part, quantity from a name ending in _xN (bracket_x12.dxf:\n"
            "                                  12), else 1; repeatable\n"
            "  --mat, --grade, --note TEXT     basic details, taken as typing them into the window's\n"
            "                                  grid would: upper case, no commas or quotes, at most 6\n"
            "                                  characters (the note 20)\n"
            "  --thick N, --kerf N             thickness and kerf in the job's length unit (at most 6\n"
            "                                  and 5 characters); a kerf of 0 (or none) asks to go on:\n"
            "                                  give --yes\n"
            "  --units mm|in                   the job's length unit (default mm): drawings that name\n"
            "                                  their units are converted to it\n"
            "  --mode stack|continuous|free|deep  nesting mode (default free, as a new job has); deep is\n"
            "                                  Deep Nesting, a search that uses its time and every core\n"
            "                                  to save sheets, with parts the spacing apart on their true\n"
            "                                  outlines and the margin inside the sheet and its holes\n"
            "  --spacing N                     Deep Nesting: least distance between parts (default: the\n"
            "                                  kerf as entered)\n"
            "  --margin N                      Deep Nesting: least distance to the sheet's outline and\n"
            "                                  holes (default 0)\n"
            "  --time SECONDS                  Deep Nesting: time limit (default 60)\n"
            "  --threads N, --seed N           Deep Nesting: worker threads (default: every core), seed\n"
            "  --iterations N                  Deep Nesting: a fixed amount of work instead of the time\n"
            "                                  limit, so a run repeats exactly for one seed and threads\n"
            "  --no-parts-in-holes             keep every part out of other parts' holes (both engines;\n"
            "                                  a saved job keeps the switch)\n"
            "  --progress                      a live progress line on stderr\n"
            "  --yes                           go on without a kerf\n"
            "  --json FILE                     write the whole result as JSON: status, overall yield\n"
            "                                  (a fraction), and per layout its sheet, identical sheets,\n"
            "                                  yield and every placed instance with its entities; Deep\n"
            "                                  Nesting adds its settings, iterations and sheets\n"
            "  --png DIR                       draw every layout as the layout view shows it (part names\n"
            "                                  on, grid Auto) into DIR/layout-N.png; DIR is created\n"
            "  --job FILE.nst                  run a saved job; the options above replace its values\n"
            "                                  (--sheet or --part replace all its sheets or parts;\n"
            "                                  --parts-list and --parts-dir add to them)\n"
            "  --save FILE.nst                 save the job with its layouts after the run\n"
            "  --nc-dir DIR                    write every layout's NC program DIR/JOB-layout-N.nc for\n"
            "                                  --save JOB.nst, else DIR/layout-N.nc (the cut table\n"
            "                                  needs a row for --mat and --thick)\n"
            "  --post FILE, --cut-table FILE   the post file and cut table for --nc-dir (default: the\n"
            "                                  working folder's, as the window edits them)\n"
            "  --common-line                   nest for common lines (the job option): after the run,\n"
            "                                  parts whose straight edges face a neighbour's a little\n"
            "                                  further apart move to stand exactly the kerf apart (no\n"
            "                                  sheet grows, every rule of the run kept); the job saved\n"
            "                                  keeps the option and its programs (--nc-dir, nc) cut such\n"
            "                                  edges once\n"
            "  --skeleton-cut MM               --nc-dir's programs cut the waste up into pieces no\n"
            "                                  longer than MM millimetres (as for nc)\n"
            "  --microjoints W:N               --nc-dir's programs leave N microjoints W millimetres\n"
            "                                  wide on each outer contour (as for nc)\n"
            "  --dxf-dir DIR                   save every layout as a DXF drawing DIR/layout-N.dxf, part\n"
            "                                  names on, a hundredth of the sheet's larger side high;\n"
            "                                  DIR is created\n"
            "  --templates DIR                 folder of the DXF templates dxf.hd and dxf.ft (default:\n"
            "                                  the working folder's)\n"
            "  --from-stock                    take the sheets from the stock: every plate of the job's\n"
            "                                  material and thickness, remnants first\n"
            "  --stock DIR                     the stock folder (default: stock in the working folder)\n"
            "  --remnants-dir DIR              write each layout's remnant worth keeping as\n"
            "                                  DIR/remnant-N.shp, in the layout's coordinates; DIR is\n"
            "                                  created; the stock is not touched\n"
            "  --remnant-width N               the least width of a remnant kept (default 100)\n"
            "  --remnant-area N                its least area (default 100000)\n"
            "A quantity of 0 leaves the row out. Relative paths are relative to the current folder.\n"
            "What the drawings were read with is named first, one line per file: entities that were\n"
            "not read (the shape nests without them) and conversions from the drawing's units.\n"
            "Exit codes: 0 full optimisation, 1 partial, 2 failed or bad input.\n",
            nest};
}

} // namespace dravenor::cli
