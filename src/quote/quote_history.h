#pragma once
// The quotes of a job, kept beside it in "JOB-quotes.csv" (one row a quote, a header row, so a
// spreadsheet opens it): when the same parts were quoted from the classic engine's layouts and
// from Deep Nesting's, a new quote shows what each costs with today's prices, and what the
// better nest saves. Only this module reads and writes the file.
#include <optional>
#include <string>
#include <vector>

#include "job/nesting_state.h"
#include "quote/quote.h"

namespace dravenor::quote {

struct QuoteRecord {
    std::string date;
    bool deepLayouts = false;
    std::string parts;   // fingerprint of the parts list (files and quantities)
    std::string layouts; // fingerprint of the layouts quoted
    CostAmounts amounts;
    CostSplit cost;
    double marginPercent = 0;
    Cents price = 0;
};

// "DIR/JOB-quotes.csv" for "DIR/JOB.nst"; "" for a job not saved yet.
std::string quoteHistoryPath(const std::string& jobFile);
// The record of a quote of the state's layouts.
QuoteRecord quoteRecord(const Quote& quote, const NestingState& state);

// The rows of the file; a missing file has none. A damaged file gives its first problem (file
// and line) in `error`.
std::vector<QuoteRecord> readQuoteHistory(const std::string& path, std::string& error);
// Adds the record to the history read from the file, replacing an earlier row of the same layouts,
// and writes the file atomically. Returns "" or a message naming the file (the file and the
// history are then unchanged).
std::string recordQuote(const std::string& path, const QuoteRecord& record, std::vector<QuoteRecord>& history);

// What the classic engine's and Deep Nesting's layouts of the same parts cost with the quote's
// prices, the latest of each from the history (this quote stands for its own engine), and what
// the cheaper saves in material and in all. Says how to get the comparison when the other
// engine's layouts were never quoted.
std::vector<std::string> whatIfLines(const Quote& quote, const QuoteRecord& current, const std::vector<QuoteRecord>& history,
                                     const std::string& historyName);

} // namespace dravenor::quote
