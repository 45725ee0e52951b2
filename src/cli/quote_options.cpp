#include "cli/quote_options.h"

#include "cli/nc_files.h"
#include "cli/stock_options.h"
#include "cutting/cut_table.h"
#include "cutting/post_settings.h"
#include "job/density_table.h"
#include "quote/price_table.h"
#include "quote/quote_settings.h"

namespace dravenor::cli {

quote::QuoteOptions quoteOptions(const ParsedArgs& parsed)
{
    quote::QuoteOptions options;
    if (parsed.has("--margin")) {
        const std::optional<double> margin = quote::marginFromText(parsed.value("--margin"));
        if (!margin) throw UsageError{"--margin \"" + parsed.value("--margin") + "\" is not a percentage from -100 to 10000"};
        options.marginPercent = *margin;
    }
    const std::string share = parsed.value("--share", "area");
    const std::optional<quote::MaterialShare> shared = quote::shareFromText(share);
    if (!shared) throw UsageError{"--share is area or length, not \"" + share + "\""};
    options.share = *shared;
    return options;
}

quote::QuoteFiles quoteFilesOption(const ParsedArgs& parsed)
{
    return {shippedFilePath(parsed.value("--prices"), quote::kPriceTableFileName),
            shippedFilePath(parsed.value("--density"), kDensityFileName),
            shippedFilePath(parsed.value("--cut-table"), cutting::kCutTableFileName),
            shippedFilePath(parsed.value("--post"), cutting::kPostFileName), stockFolderOption(parsed)};
}

} // namespace dravenor::cli
