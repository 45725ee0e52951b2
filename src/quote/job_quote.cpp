#include "quote/job_quote.h"

#include "job/files.h"
#include "layouts/remnant_marks.h"
#include "quote/quote_history.h"
#include "stock/stock_folder.h"

namespace dravenor::quote {

JobQuote quoteJob(const Job& job, const QuoteFiles& files, const QuoteOptions& options, const std::string& date,
                  bool record)
{
    JobQuote made;
    QuoteSources sources;
    sources.jobName = job.jobFileName.empty() ? "the unsaved job" : fileNameOnly(job.jobFileName);
    sources.date = date;
    if (std::string problems = readPriceSources(files.prices, files.density, sources); !problems.empty()) {
        made.result.error = problems;
        return made;
    }
    if (!files.stockFolder.empty() && fileExists(stockPath(files.stockFolder, kStockIndexName))) {
        const StockResult stock = readStock(files.stockFolder);
        if (!stock.ok()) made.stockProblem = stock.error + "; every plate is priced by its weight";
        for (const StockPlate& plate : stock.tables.plates)
            if (plate.price > 0) sources.platePrices[platePriceKey(stockPath(files.stockFolder, plate.shapeFile))] = plate.price;
    }
    sources.setup = cutting::ncSetup(job.nesting, fileNameOnly(job.jobFileName), files.cutTable, files.post);
    sources.setup.cut.remnants = remnantMarksOf(job);
    made.result = makeQuote(job.nesting, sources, options);
    if (!made.result.quote) return made;

    const std::string historyPath = quoteHistoryPath(job.jobFileName);
    if (historyPath.empty()) {
        made.whatIf = {"What-if: save the job to keep its quotes and compare the engines' layouts."};
        return made;
    }
    const QuoteRecord current = quoteRecord(*made.result.quote, job.nesting);
    std::vector<QuoteRecord> history = readQuoteHistory(historyPath, made.historyProblem);
    if (!made.historyProblem.empty()) made.historyProblem += " (the quote was not added to it)";
    else if (record) made.historyProblem = recordQuote(historyPath, current, history);
    made.whatIf = whatIfLines(*made.result.quote, current, history, fileNameOnly(historyPath));
    return made;
}

} // namespace dravenor::quote
