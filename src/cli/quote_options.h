#pragma once
// The options that price a job, shared by quote and report --costs: the tables' files and how
// the quote shares and marks up.
#include <string>

#include "cli/option_parser.h"
#include "quote/job_quote.h"
#include "quote/quote_settings.h"

namespace dravenor::cli {

// --margin P (a percentage) and --share area|length over the working folder's quote.cfg, which
// keeps what the quote window last chose (else no margin, shares by area); UsageError for
// anything else. The warnings name the lines of quote.cfg that could not be used.
quote::QuoteSettings quoteOptions(const ParsedArgs& parsed);
// --prices, --density, --cut-table and --post, each defaulting to the working folder's file;
// --stock DIR (else the working folder's stock) for plates with a price.
quote::QuoteFiles quoteFilesOption(const ParsedArgs& parsed);

} // namespace dravenor::cli
