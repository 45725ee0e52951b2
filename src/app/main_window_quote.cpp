// Quotes in the main window: the price table, the quote window and the report's Costs page.
#include "app/main_window.h"
#include "app/price_table_window.h"
#include "app/quote_window.h"
#include "cutting/cut_table.h"
#include "cutting/post_settings.h"
#include "job/density_table.h"
#include "job/files.h"
#include "layouts/job_open.h"
#include "quote/price_table.h"
#include "quote/quote_settings.h"
#include "quote/quote_text.h"
#include "stock/stock_changes.h"

namespace dravenor {

void MainWindow::showPriceTable()
{
    PriceTableWindow table(dialogs_, workingFolder_, this);
    table.exec();
}

quote::JobQuote MainWindow::currentQuote(const quote::QuoteOptions& options, bool record) const
{
    const std::string folder = workingFolder_.toStdString();
    const quote::QuoteFiles files{quote::priceTablePath(folder), densityTablePath(folder), cutting::cutTablePath(folder),
                                  cutting::postFilePath(folder), stockFolder()};
    return quote::quoteJob(job_, files, options, todayText(), record);
}

void MainWindow::showQuote()
{
    if (job_.nesting.items.empty()) {
        tell(kNoLayoutNotice, DialogService::Icon::Information);
        return;
    }
    const std::string folder = workingFolder_.toStdString();
    const quote::QuoteSettings settings = quote::readQuoteSettings(folder);
    if (!settings.warnings.empty()) tell(joinedLines(settings.warnings), DialogService::Icon::Exclamation);
    quote::JobQuote made = currentQuote(settings.options, true);
    if (!made.result.quote) {
        tell("No quote: " + made.result.error, DialogService::Icon::Exclamation);
        return;
    }
    for (const std::string& problem : {made.stockProblem, made.historyProblem})
        if (!problem.empty()) tell(problem, DialogService::Icon::Exclamation);
    const bool saved = !job_.jobFileName.empty();
    const std::string csvName = withTrailingSeparator(saved ? folderOfFile(job_.jobFileName) : workingFolder_.toStdString()) +
                                (saved ? jobFileStem(job_.jobFileName) + "-quote" : "quote") + ".csv";
    auto requote = [this](const quote::QuoteOptions& options) { return currentQuote(options, false); };
    QuoteWindow window(dialogs_, std::move(made), requote, csvName, this);
    window.exec();
    // The margin and share chosen are the shop's from now on.
    const quote::QuoteOptions chosen = window.quote().options;
    if (chosen.marginPercent != settings.options.marginPercent || chosen.share != settings.options.share)
        if (const std::string problem = quote::saveQuoteSettings(folder, chosen); !problem.empty())
            tell(problem, DialogService::Icon::Exclamation);
}

} // namespace dravenor
