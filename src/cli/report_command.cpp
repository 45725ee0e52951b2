#include <ostream>

#include "cli/command.h"
#include "cli/nc_files.h"
#include "cli/option_parser.h"
#include "cli/quote_options.h"
#include "cutting/cut_time_report.h"
#include "cli/saved_job.h"
#include "cli/stock_options.h"
#include "cli/working_files.h"
#include "job/files.h"
#include "layouts/report.h"
#include "quote/quote_text.h"
#include "stock/stock_changes.h"

namespace dravenor::cli {

namespace {

// The density table named by --density (which must exist), else the working folder's; an empty
// table when there is none.
DensityTable loadDensities(const ParsedArgs& parsed, std::ostream& err)
{
    if (parsed.has("--density") && !fileExists(parsed.value("--density")))
        throw UsageError{"density table " + parsed.value("--density") + " not found"};
    std::vector<std::string> warnings;
    const DensityTable table = readDensityFile(workingFilePath(parsed.value("--density"), kDensityFileName), warnings);
    for (const std::string& w : warnings) err << "dravenor-cli report: warning: " << w << "\n";
    return table;
}

Args withLongOutputOption(Args args)
{
    for (std::string& a : args)
        if (a == "-o") a = "--output";
    return args;
}

int report(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = parseArgs(withLongOutputOption(args),
                                        {"--output", "--density", "--units", "--cut-table", "--post", "--stock",
                                         "--prices", "--margin", "--share"},
                                        {"--cut-times", "--costs"});
    if (parsed.positional.size() != 1) throw UsageError{"give exactly one job file (see dravenor-cli report --help)"};
    const std::string jobPath = parsed.positional.front();
    const std::string outputPath = parsed.value("--output", kReportFileName);
    const quote::QuoteSettings costSettings = quoteOptions(parsed);
    if (parsed.has("--costs"))
        for (const std::string& w : costSettings.warnings) err << "dravenor-cli report: warning: " << w << "\n";
    const DensityTable densities = loadDensities(parsed, err);

    SavedJob saved(jobPath, drawingUnitOption(parsed), "report", err);
    saved.lookUpRemnants(parsed);
    const Job& job = saved.job;
    const ReportWriteResult written = writeReportFile(job, densities, outputPath);
    for (const std::string& w : written.warnings) err << "dravenor-cli report: warning: " << w << "\n";
    if (!written.ok()) {
        err << "dravenor-cli report: " << written.error << "\n";
        return kExitFailed;
    }
    if (parsed.flags.count("--cut-times")) {
        cutting::NcSetup setup =
            batchNcSetup(job.nesting, fileNameOnly(jobPath), parsed.value("--cut-table"), parsed.value("--post"));
        setup.cut.remnants = remnantMarksOf(job);
        if (const std::string problem = cutting::appendCutTimes(job.nesting, setup, written.path); !problem.empty()) {
            err << "dravenor-cli report: " << problem << "\n";
            return kExitFailed;
        }
    }
    if (parsed.flags.count("--costs")) {
        // A job that cannot be priced still gets its report; the Costs page says why.
        const quote::JobQuote made = quote::quoteJob(job, quoteFilesOption(parsed), costSettings.options, todayText(), false);
        if (!made.result.quote) err << "dravenor-cli report: warning: no costs: " << made.result.error << "\n";
        if (const std::string problem = appendFileAtomically(written.path, quote::costsSection(made.result, made.whatIf));
            !problem.empty()) {
            err << "dravenor-cli report: " << problem << "\n";
            return kExitFailed;
        }
    }
    reportStream(written.path, out, err) << written.path << "\n";
    return kExitOk;
}

} // namespace

Command reportCommand()
{
    return {"report", "write the report (yields, cutting lengths, weights) of a saved job",
            "Usage: dravenor-cli report FILE.nst [-o REPORT] [--density FILE] [--units mm|in]\n"
            "Opens the job, rebuilds its layouts from the shape files and writes its report:\n"
            "overall and per-layout yields, running lengths of cutting, weights, the use of every\n"
            "sheet and part type and the position of every placed part, and each layout's remnant\n"
            "(size, area, weight, and its stock id once the layout was cut).\n"
            "  --stock DIR          the stock that gives the remnants' ids (default: stock in the\n"
            "                       working folder, when there is one)\n"
            "  -o, --output REPORT  the report file to write (default Report.tlf in the current\n"
            "                       folder); written as a whole or not at all\n"
            "  --density FILE       the density table for the weights (default: the working\n"
            "                       folder's density.dat, as the window edits it)\n"
            "  --units mm|in        the job's length unit (default mm): drawings that name their\n"
            "                       units are converted to it\n"
            "  --cut-times          add the estimated cutting time of every layout, planned with\n"
            "                       the cut table (--cut-table FILE, --post FILE as for nc)\n"
            "  --costs              add the Costs page: the job's quote as dravenor-cli quote makes\n"
            "                       it (--prices FILE, --margin P, --share area|length as for\n"
            "                       quote), on a printed page of its own\n"
            "A material missing from the density table weighs 0. A job without layouts, or one\n"
            "that cannot be read, gives exit code 2; a report that cannot be written, 1.\n",
            report};
}

} // namespace dravenor::cli
