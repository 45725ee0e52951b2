#pragma once
// The options that price a job, shared by quote and report --costs: the tables' files and how
// the quote shares and marks up.
#include <string>

#include "cli/option_parser.h"
#include "quote/job_quote.h"

namespace dravenor::cli {

// --margin P (a percentage, default 0) and --share area|length (default area); UsageError for
// anything else.
quote::QuoteOptions quoteOptions(const ParsedArgs& parsed);
// --prices, --density, --cut-table and --post, each defaulting to the file beside the executable,
// else in its resources; --stock DIR (else the working folder's stock) for plates with a price.
quote::QuoteFiles quoteFilesOption(const ParsedArgs& parsed);

} // namespace dravenor::cli
