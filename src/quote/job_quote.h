#pragma once
// Quoting a whole job as the window and the batch tool do it: the tables read from their files,
// the job's remnant marks, the quote, its row in the job's quote history and the comparison of
// the two engines' layouts from that history.
#include <string>
#include <vector>

#include "job/job.h"
#include "quote/quote.h"

namespace dravenor::quote {

struct QuoteFiles {
    std::string prices, density, cutTable, post;
    std::string stockFolder; // whose plates with a price of their own cost that price; "" for none
};

struct JobQuote {
    QuoteResult result;
    std::vector<std::string> whatIf;  // lines comparing the engines; none without a quote
    std::string historyProblem;       // why the history could not be read or written, else ""
    std::string stockProblem;         // why the stock's plate prices could not be read, else ""
};

// The quote of the job's layouts made on `date` (YYYY-MM-DD). With `record`, a saved job's
// quote is added to its history file (quoteHistoryPath) before the comparison is made.
JobQuote quoteJob(const Job& job, const QuoteFiles& files, const QuoteOptions& options, const std::string& date,
                  bool record);

} // namespace dravenor::quote
