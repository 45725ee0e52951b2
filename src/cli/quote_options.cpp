#include "cli/quote_options.h"

#include <cmath>

#include "cli/nc_files.h"
#include "cli/stock_options.h"
#include "cutting/cut_table.h"
#include "cutting/post_settings.h"
#include "job/density_table.h"
#include "job/number_format.h"
#include "quote/price_table.h"

namespace dravenor::cli {

quote::QuoteOptions quoteOptions(const ParsedArgs& parsed)
{
    quote::QuoteOptions options;
    if (parsed.has("--margin")) {
        const std::optional<double> margin = numberFromTyped(parsed.value("--margin"));
        if (!margin || !std::isfinite(*margin) || *margin < -100 || *margin > 10000)
            throw UsageError{"--margin \"" + parsed.value("--margin") + "\" is not a percentage from -100 to 10000"};
        options.marginPercent = *margin;
    }
    const std::string share = parsed.value("--share", "area");
    if (share != "area" && share != "length") throw UsageError{"--share is area or length, not \"" + share + "\""};
    options.share = share == "area" ? quote::MaterialShare::Area : quote::MaterialShare::Length;
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
