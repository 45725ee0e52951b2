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
// Header row, one row a layout (sheets, weights, machine time, pierces, cost), the totals row.
TextTable layoutTable(const Quote& quote);
// The columns of the table with these titles, in this order.
TextTable tableColumns(const TextTable& table, const std::vector<std::string>& titles);
// "Quote of frame.nst on 2026-12-10 from layouts 1-3 (Deep Nesting); ...", then the material with its
// credits, the cutting, the set-up, the total and the price with the margin.
std::vector<std::string> quoteSummary(const Quote& quote);

// The CSV file: the part table, a blank line and the summary, CR LF lines.
std::string quoteCsv(const Quote& quote);
// Tab-separated for a spreadsheet's paste: the summary, a blank line, the part table.
std::string quoteClipboardText(const Quote& quote);
// Columns padded to their widest cell, the first left-aligned, the others (numbers) right-aligned;
// lines without ends.
std::vector<std::string> alignedLines(const TextTable& table);
// How wide printed quote lines are at most (but for a long part name): a portrait page's width.
inline constexpr size_t kPrintedWidth = 80;
// The text cut at blanks into lines of at most `width`, each after the first indented by two.
std::vector<std::string> wrappedLines(const std::string& text, size_t width);
// The summary wrapped, the costs and the prices by part type and the layout table, as
// fixed-width lines that fit kPrintedWidth, then the notes (the engines compared) wrapped.
std::vector<std::string> quoteLines(const Quote& quote, const std::vector<std::string>& notes = {});
// The report's section: a page break (a form feed line), "Costs", quoteLines and the notes (the
// comparison of the engines); or "Costs" and why there is no quote. CR LF lines.
std::string costsSection(const QuoteResult& result, const std::vector<std::string>& notes = {});

} // namespace dravenor::quote
