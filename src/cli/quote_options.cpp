#include "cli/quote_options.h"

#include "cli/working_files.h"
#include "cli/stock_options.h"
#include "cutting/cut_table.h"
#include "cutting/post_settings.h"
#include "job/density_table.h"
#include "quote/price_table.h"
#include "quote/quote_settings.h"

namespace dravenor::cli {

quote::QuoteSettings quoteOptions(const ParsedArgs& parsed)
{
    quote::QuoteSettings settings = quote::readQuoteSettings(batchWorkingFolder());
    quote::QuoteOptions& options = settings.options;
    if (parsed.has("--margin")) {
        const std::optional<double> margin = quote::marginFromText(parsed.value("--margin"));
        if (!margin) throw UsageError{"--margin \"" + parsed.value("--margin") + "\" is not a percentage from -100 to 10000"};
        options.marginPercent = *margin;
    }
    if (parsed.has("--share")) {
        const std::string share = parsed.value("--share");
        const std::optional<quote::MaterialShare> shared = quote::shareFromText(share);
        if (!shared) throw UsageError{"--share is area or length, not \"" + share + "\""};
        options.share = *shared;
    }
    return settings;
}

quote::QuoteFiles quoteFilesOption(const ParsedArgs& parsed)
{
    return {workingFilePath(parsed.value("--prices"), quote::kPriceTableFileName),
            workingFilePath(parsed.value("--density"), kDensityFileName),
            workingFilePath(parsed.value("--cut-table"), cutting::kCutTableFileName),
            workingFilePath(parsed.value("--post"), cutting::kPostFileName), stockFolderOption(parsed)};
}

} // namespace dravenor::cli
