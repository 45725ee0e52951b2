#pragma once
// A quote from a job's layouts: what the plates, the cutting and the set-up cost, per layout and
// per part type, and the price with the shop's margin. Per layout the material (the sheets less
// the kept remnant's and the scrap's credit) is shared among its pieces by true area or by the
// length along the sheet each takes; the cutting by each piece's own contours (length over feed,
// its pierces), the rapids and extra cuts following in the same proportion; the set-up equally.
// Every share is whole cents and the shares add up to the layout's cost exactly.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cutting/nc_export.h"
#include "job/density_table.h"
#include "job/nesting_state.h"
#include "quote/cent_shares.h"
#include "quote/price_table.h"

namespace dravenor::quote {

enum class MaterialShare { Area, Length };

struct QuoteOptions {
    double marginPercent = 0;
    MaterialShare share = MaterialShare::Area;
};

// What a set of layouts amounts to; its costs follow from these with any prices.
struct CostAmounts {
    double sheetKg = 0, partKg = 0, remnantKg = 0, scrapKg = 0;
    double pricedKg = 0, platePrice = 0; // stock plates with a price of their own: their weight, their cost
    double machineSeconds = 0;
    long pierces = 0;
    int layouts = 0, sheets = 0;
    CostAmounts& operator+=(const CostAmounts& o);
};

struct CostSplit {
    Cents material = 0, cutting = 0, setup = 0;
    Cents total() const { return material + cutting + setup; }
    CostSplit& operator+=(const CostSplit& o);
};

// material: (sheetKg - pricedKg) x perKg + platePrice - remnantKg x perKg x remnant % - scrapKg x
// scrap credit;
// cutting: machine hours x rate + pierces x per pierce; set-up: per layout and per sheet.
// Each rounded to the cent.
CostSplit costsOf(const CostAmounts& amounts, const PriceRow& prices);

struct LayoutCost {
    int layoutNo = 0;
    CostAmounts amounts;
    CostSplit cost;
};

struct PartCost {
    std::string name;     // the part's file name without its folder
    int partIndex = 0;    // 1-based part record
    long quantity = 0;    // pieces on all layouts
    double kgEach = 0;
    CostSplit cost;       // of all its pieces
    Cents price = 0;      // cost with the margin
};

struct Quote {
    std::string jobName, date;
    bool deepLayouts = false;
    PriceRow prices;
    QuoteOptions options;
    std::vector<LayoutCost> layouts;
    std::vector<PartCost> parts; // in part record order
    CostAmounts amounts;         // of all layouts
    CostSplit cost;              // of all layouts
    Cents price = 0;             // cost with the margin

    // "classic engine" or "Deep Nesting".
    std::string engineName() const;
};

// What a quote is made from. The setup's cut settings carry the remnant marks when the job keeps
// remnants: the remnant is credited and its parting cut costed.
struct QuoteSources {
    std::string jobName, date;
    DensityTable densities;
    std::string densityName;
    PriceTable prices;
    std::string pricesName;
    cutting::NcSetup setup;
    // Stock plates with a price of their own, by their shape file's path (platePriceKey): a
    // layout whose sheet is one costs that price per sheet instead of its weight at the price per kg.
    std::map<std::string, double> platePrices;
};

// The key of a sheet's file among the plate prices: the path made absolute and normal.
std::string platePriceKey(const std::string& path);

struct QuoteResult {
    std::optional<Quote> quote;
    std::string error; // why there is none: a missing row or density, a layout that cannot be cut
};

QuoteResult makeQuote(const NestingState& state, const QuoteSources& sources, const QuoteOptions& options);
// Sets the margin: the price is the cost with it, shared among the part types by their cost.
void applyMargin(Quote& quote, double marginPercent);

// Reads the price and density tables into the sources. Returns "" or every problem, one a line,
// each naming its file and line.
std::string readPriceSources(const std::string& pricesPath, const std::string& densityPath, QuoteSources& sources);

} // namespace dravenor::quote
