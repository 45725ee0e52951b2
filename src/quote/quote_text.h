#pragma once
// A quote as people read it: a table by part type with a totals row, and the lines that say what
// it was made from and how the totals come about. One source for the window, the CSV file, the
// clipboard, the report's Costs page and the batch tool.
#include <string>
#include <vector>

#include "quote/quote.h"

namespace dravenor::quote {

using TextTable = std::vector<std::vector<std::string>>;

// Header row, one row a part type, the totals row.
TextTable partTable(const Quote& quote);
// Header row, one row a layout, the totals row.
TextTable layoutTable(const Quote& quote);
// "Quote of frame.nst, 2026-12-10, from layouts 1-3 (Deep Nesting)", then the material with its
// credits, the cutting, the set-up, the total and the price with the margin.
std::vector<std::string> quoteSummary(const Quote& quote);

// The CSV file: the part table, a blank line and the summary, CR LF lines.
std::string quoteCsv(const Quote& quote);
// Tab-separated for a spreadsheet's paste: the summary, a blank line, the part table.
std::string quoteClipboardText(const Quote& quote);
// Columns padded to their widest cell, the first left-aligned, the others (numbers) right-aligned;
// lines without ends.
std::vector<std::string> alignedLines(const TextTable& table);
// The summary, the part table and the layout table as fixed-width lines.
std::vector<std::string> quoteLines(const Quote& quote);
// The report's section: a page break (a form feed line), "Costs" and quoteLines; or "Costs" and
// why there is no quote. CR LF lines.
std::string costsSection(const QuoteResult& result);

} // namespace dravenor::quote
