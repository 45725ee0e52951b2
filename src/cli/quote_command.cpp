// dravenor-cli quote: what a saved job's layouts cost and what to charge for each part type, with
// the price, density and cut tables of the working folder or the files given.
#include <ostream>
#include <sstream>

#include "cli/command.h"
#include "cli/quote_options.h"
#include "cli/option_parser.h"
#include "cli/saved_job.h"
#include "job/files.h"
#include "quote/job_quote.h"
#include "quote/quote_text.h"
#include "stock/stock_changes.h"

namespace dravenor::cli {

namespace {

int quoteCommandRun(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = parseArgs(
        args, {"--prices", "--density", "--cut-table", "--post", "--csv", "--margin", "--share", "--units", "--stock"},
        {"--no-history"});
    if (parsed.positional.size() != 1) throw UsageError{"give one job file (see dravenor-cli quote --help)"};
    const std::string& jobPath = parsed.positional[0];
    const quote::QuoteSettings settings = quoteOptions(parsed);
    for (const std::string& w : settings.warnings) err << "dravenor-cli quote: warning: " << w << "\n";
    const quote::QuoteOptions& options = settings.options;

    SavedJob saved(jobPath, drawingUnitOption(parsed), "quote", err);
    saved.lookUpRemnants(parsed);
    const Job& job = saved.job;

    const quote::JobQuote made =
        quote::quoteJob(job, quoteFilesOption(parsed), options, todayText(), !parsed.has("--no-history"));
    if (!made.result.quote) {
        std::istringstream problems(made.result.error);
        for (std::string line; std::getline(problems, line);) err << "dravenor-cli quote: no quote: " << line << "\n";
        return kExitBadInput;
    }
    for (const std::string& problem : {made.stockProblem, made.historyProblem})
        if (!problem.empty()) err << "dravenor-cli quote: warning: " << problem << "\n";
    const quote::Quote& q = *made.result.quote;
    const std::string csvPath = parsed.value("--csv");
    if (csvPath == kStandardOutput) {
        out << quote::quoteCsv(q);
        return kExitOk;
    }
    for (const std::string& line : quote::quoteLines(q, made.whatIf)) out << line << "\n";
    if (!csvPath.empty()) {
        if (const std::string problem = writeFileAtomically(csvPath, quote::quoteCsv(q)); !problem.empty()) {
            err << "dravenor-cli quote: " << problem << "\n";
            return kExitFailed;
        }
        out << csvPath << ": the quote as CSV\n";
    }
    return kExitOk;
}

} // namespace

Command quoteCommand()
{
    return {"quote", "price a saved job's layouts: material, cutting and set-up per part type",
            "Usage: dravenor-cli quote FILE.nst [--prices FILE] [--csv FILE] [--margin P]\n"
            "                          [--share area|length] [--density FILE] [--cut-table FILE]\n"
            "                          [--post FILE] [--units mm|in] [--stock DIR] [--no-history]\n"
            "Opens the job, rebuilds its layouts and prices them with the price table: per layout\n"
            "the sheets' weight at the material price less the kept remnant's and the scrap's\n"
            "credit, the machine time and pierces of its cut plan, and the set-up per layout and\n"
            "sheet. Each layout's cost is shared among its parts to the cent (material by true\n"
            "area or by the length along the sheet each takes, cutting by each part's own\n"
            "contours, set-up equally) and summed per part type, with the margin giving the price.\n"
            "The quote is added to JOB-quotes.csv beside the job; when the same parts were quoted\n"
            "from the other engine's layouts, both are compared at today's prices.\n"
            "  --prices FILE      the price table (default: the working folder's prices.dat, as\n"
            "                     Tools > Price Table edits it)\n"
            "  --csv FILE         also write the quote as CSV (header row, a row per part type,\n"
            "                     a totals row); \"-\" writes only the CSV to standard output\n"
            "  --margin P         percent added to the cost to give the price (default: the margin\n"
            "                     last chosen in the quote window, kept in quote.cfg, else 0)\n"
            "  --share area|length  how a layout's material is shared among its parts (default: as\n"
            "                     last chosen in the quote window, else area)\n"
            "  --density FILE     the density table (default: density.dat, found as the prices are)\n"
            "  --cut-table FILE   the cut table (default: cutting.dat, found as the prices are)\n"
            "  --post FILE        the post file (default: post.cfg, found as the prices are)\n"
            "  --units mm|in      the job's length unit (default mm)\n"
            "  --stock DIR        the stock whose plates with a price of their own cost that price\n"
            "                     (default: the working folder's stock when there is one)\n"
            "  --no-history       do not add the quote to JOB-quotes.csv\n"
            "A price table with a bad row, a material without a density, a job whose material,\n"
            "grade and thickness have no price or cut table row, or a layout that cannot be cut\n"
            "give exit code 2 naming the file and line, and no quote.\n",
            quoteCommandRun};
}

} // namespace dravenor::cli
