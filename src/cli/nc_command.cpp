// dravenor-cli nc: NC programs of a saved job's layouts, planned with the cut table's data for
// the job's material and thickness and written through the post file.
#include <filesystem>
#include <ostream>

#include "cli/command.h"
#include "cli/nc_files.h"
#include "cli/option_parser.h"
#include "cli/saved_job.h"
#include "cli/stock_options.h"
#include "job/files.h"
#include "layouts/layout_range.h"

namespace dravenor::cli {

namespace {

int nc(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = parseArgs(args, {"--layout", "-o", "--dir", "--post", "--cut-table", "--units", "--stock", "--skeleton-cut",
                                               "--microjoints"},
                                        {"--all", "--common-line"});
    if (parsed.positional.size() != 1) throw UsageError{"give one job file (see dravenor-cli nc --help)"};
    const bool all = parsed.flags.count("--all") > 0;
    if (all == parsed.has("--layout")) throw UsageError{"give either --layout N or --all"};
    if (parsed.has("-o") == parsed.has("--dir")) throw UsageError{"give either -o FILE.nc or --dir DIR"};
    if (all && parsed.has("-o")) throw UsageError{"--all writes one program per layout: give --dir DIR"};
    const std::string& jobPath = parsed.positional[0];
    const std::string folder = parsed.value("--dir");
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (!std::filesystem::is_directory(folder, ec)) throw UsageError{"--dir " + folder + " is not a folder that can be made"};
    }

    SavedJob saved(jobPath, drawingUnitOption(parsed), "nc", err);
    saved.lookUpRemnants(parsed);
    const Job& job = saved.job;
    const NestingState& state = job.nesting;
    std::vector<int> layouts = cutting::layoutNumbers(state);
    if (!all) {
        const int layoutNo = layoutNumberOf(parsed.value("--layout"));
        if (findItemRange(state.items, layoutNo).first < 0)
            throw UsageError{jobPath + " has no layout " + std::to_string(layoutNo) + " (it has " +
                             std::to_string(state.items.back().LayoutNo) + ")"};
        layouts = {layoutNo};
    }
    cutting::NcSetup setup =
        batchNcSetup(state, fileNameOnly(jobPath), parsed.value("--cut-table"), parsed.value("--post"));
    if (!setup.ok()) throw UsageError{setup.error};
    setup.cut.remnants = remnantMarksOf(job);
    applyCutOptions(cutOptionsOf(parsed), setup);
    const int written = writeNcPrograms(state, setup, layouts, parsed.value("-o"), folder, jobPath, "nc", out, err);
    return written < 0 ? kExitFailed : kExitOk;
}

} // namespace

Command ncCommand()
{
    return {"nc", "write the NC programs of a saved job's layouts",
            "Usage: dravenor-cli nc FILE.nst (--layout N | --all) (-o FILE.nc | --dir DIR)\n"
            "                       [--post FILE] [--cut-table FILE] [--units mm|in] [--stock DIR]\n"
            "                       [--common-line] [--skeleton-cut MM] [--microjoints W:N]\n"
            "Opens the job, rebuilds its layouts and writes one RS-274/NGC program per layout\n"
            "(identical sheets share it): kerf compensation, lead-ins, cut order and the cutting\n"
            "data of the job's material and thickness from the cut table. A layout that keeps a\n"
            "remnant ends with the straight cut that parts it off.\n"
            "  --layout N         the layout to write (1 is the first)\n"
            "  --all              every layout, as DIR/JOB-layout-N.nc (JOB the job file's name\n"
            "                     without .nst)\n"
            "  -o FILE.nc         the program of the one layout\n"
            "  --dir DIR          the folder for JOB-layout-N.nc (made when missing)\n"
            "  --post FILE        the post file (default: the working folder's post.cfg, as the\n"
            "                     window uses it)\n"
            "  --cut-table FILE   the cut table (default: cutting.dat, found as the post file is)\n"
            "  --units mm|in      the job's length unit (default mm)\n"
            "  --stock DIR        the stock whose ids the remnant cuts name (default: the working\n"
            "                     folder's stock when there is one)\n"
            "  --common-line      cut straight edges of two parts that stand exactly the kerf\n"
            "                     apart once, midway between them, the second part's outline\n"
            "                     starting in that kerf without a pierce (as common_line = on in\n"
            "                     the post file); each program's line then gives cut length,\n"
            "                     pierces and time with and without common lines\n"
            "  --skeleton-cut MM  after every part, cuts across the waste so that no piece of it\n"
            "                     is longer than MM millimetres (as skeleton_cut in the post file)\n"
            "  --microjoints W:N  N microjoints on each outer contour, each leaving W millimetres\n"
            "                     uncut (as microjoint_width and microjoints in the post file)\n"
            "A job whose material and thickness have no row in the cut table, a damaged cut table\n"
            "or post file, or a job that cannot be read give exit code 2 and write nothing; a\n"
            "layout whose parts stand closer than the kerf, or a program that cannot be written,\n"
            "gives exit code 1 (a failed write leaves the old file whole).\n",
            nc};
}

} // namespace dravenor::cli
