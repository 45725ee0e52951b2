#pragma once
// The quote settings of the working folder, "quote.cfg": the margin the shop adds and how the
// material is shared among the parts, one "key = value" line each ("margin = 15", "share = area"
// or "share = length"), so that quotes and the report's Costs page keep them from day to day.
#include <optional>
#include <string>
#include <vector>

#include "quote/quote.h"

namespace dravenor::quote {

inline constexpr const char* kQuoteSettingsFileName = "quote.cfg";
inline constexpr double kLeastMargin = -100, kGreatestMargin = 10000;

// A margin in percent from its text: a number from -100 to 10000, or none.
std::optional<double> marginFromText(const std::string& text);
// "area" or "length", or none.
std::optional<MaterialShare> shareFromText(const std::string& text);

struct QuoteSettings {
    QuoteOptions options;
    std::vector<std::string> warnings; // lines that could not be used, named with the file
};

// The settings in the folder's quote.cfg: no margin and shares by area when the file does not
// exist; a line that cannot be used keeps its default and gives a warning naming file and line.
QuoteSettings readQuoteSettings(const std::string& folder);
// Writes quote.cfg atomically. Returns "" or a message naming the file and the reason.
std::string saveQuoteSettings(const std::string& folder, const QuoteOptions& options);

} // namespace dravenor::quote
