#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "cli/saved_job.h"
#include "cli/stock_options.h"
#include "job/number_format.h"
#include "layouts/report.h"
#include "stock/layout_cut.h"

namespace dravenor::cli {

namespace {

std::int64_t positiveOption(const ParsedArgs& parsed, const std::string& option)
{
    const std::string text = parsed.value(option);
    const std::optional<double> v = numberFromText(text);
    if (!v || *v < 1 || *v > 1e9 || *v != static_cast<double>(static_cast<std::int64_t>(*v)))
        throw UsageError{option + " '" + text + "' is not a whole number from 1 up"};
    return static_cast<std::int64_t>(*v);
}

// The layouts asked for: --layout N [--count K], or --all with their own counts.
std::vector<LayoutCount> layoutsAsked(const ParsedArgs& parsed, const Job& job)
{
    if (parsed.has("--all") == parsed.has("--layout")) throw UsageError{"give --layout N or --all"};
    if (parsed.has("--count") && parsed.has("--all")) throw UsageError{"--count goes with --layout"};
    if (parsed.has("--all")) {
        std::vector<LayoutCount> all;
        for (std::int32_t n : jobLayoutNumbers(job.nesting)) all.push_back({n, 0});
        return all;
    }
    const std::int64_t layout = positiveOption(parsed, "--layout");
    return {{static_cast<std::int32_t>(layout), parsed.has("--count") ? positiveOption(parsed, "--count") : 0}};
}

int cut(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = parseArgs(args, {"--layout", "--count", "--stock", "--units"}, {"--all", "--again"});
    if (parsed.positional.size() != 1) throw UsageError{"give exactly one job file (see dravenor-cli cut --help)"};
    const std::string jobPath = parsed.positional.front();
    const std::string folder = stockFolderOption(parsed);

    SavedJob saved(jobPath, drawingUnitOption(parsed), "cut", err);
    const Job& job = saved.job;
    const std::vector<LayoutCount> asked = layoutsAsked(parsed, job);

    const StockResult before = readStock(folder);
    if (!before.ok()) {
        err << "dravenor-cli cut: " << before.error << "\n";
        return kExitFailed;
    }
    CutRequest request;
    if (std::string problem = cutRequestOf(job, asked, before.tables, folder, request); !problem.empty())
        throw UsageError{problem};
    request.date = todayText();
    request.again = parsed.has("--again");
    const CutResult done = cutLayouts(folder, request);
    if (!done.stock.ok()) {
        err << "dravenor-cli cut: " << done.stock.error << (done.cutBefore ? " (--again cuts it again)" : "") << "\n";
        return kExitFailed;
    }
    for (size_t i = 0; i < request.layouts.size(); ++i) {
        const CutLayout& c = request.layouts[i];
        out << "Layout " << c.layoutNo << " x " << c.count << ":";
        if (c.usedPlate > 0) out << " plate " << c.usedPlate << " taken out;";
        else out << " its sheet is not from the stock;";
        if (done.remnantIds[i] > 0) out << " remnant " << done.remnantIds[i] << " put in\n";
        else out << " no remnant kept\n";
    }
    return kExitOk;
}

} // namespace

Command cutCommand()
{
    return {"cut", "take cut layouts out of the stock and put their remnants in",
            "Usage: dravenor-cli cut FILE.nst (--layout N [--count K] | --all) [--again] [--stock DIR]\n"
            "                        [--units mm|in]\n"
            "Tells the stock that layouts of a saved job were cut: the stock plates their sheets\n"
            "are (the sheets the job took with --from-stock or from the Stock window) are taken out,\n"
            "K of them (default: the layout's identical sheets), and each layout's remnant worth\n"
            "keeping is put in as a new plate with a new id, quantity K. All in one change: written\n"
            "whole, under a lock. A layout the stock took in before is refused unless --again.\n"
            "  --stock DIR   the stock folder (default: stock in the working folder)\n"
            "Exit codes: 0 done, 1 the stock refused (cut before, too few plates, unreadable),\n"
            "2 bad input.\n",
            cut};
}

} // namespace dravenor::cli
