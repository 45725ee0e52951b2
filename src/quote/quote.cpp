#include "quote/quote.h"

#include <algorithm>
#include <filesystem>
#include <numeric>

#include "cutting/parallel_layouts.h"
#include "cutting/layout_shapes.h"
#include "geometry/primitives.h"
#include "geometry/shape_measure.h"
#include "job/files.h"
#include "job/number_format.h"
#include "layouts/remnant_marks.h"

namespace dravenor::quote {

namespace {

// One placed instance of a layout: what its material and cutting shares are weighed by.
struct Piece {
    int partIndex = 0;
    double area = 0, length = 0;
    double ownCutting = 0; // its contours' machine time and pierces, priced
};

// The plan's contours of each placed instance, priced: length over feed, the pierce delay and
// the cost per pierce.
std::vector<double> ownCuttingCosts(const cutting::CutPlan& plan, const cutting::CutSettings& cut, const PriceRow& prices,
                                    size_t instances)
{
    std::vector<double> costs(instances, 0);
    for (const cutting::CutContour& c : plan.contours) {
        if (c.part < 1 || static_cast<size_t>(c.part) > instances) continue;
        const double length = pathLength(c.leadIn) + pathLength(c.cut) + pathLength(c.overcut) + pathLength(c.leadOut);
        const double seconds = length / cut.feed * 60 + cut.pierceDelay;
        costs[static_cast<size_t>(c.part - 1)] += seconds / 3600 * prices.perHour + prices.perPierce;
    }
    return costs;
}

struct LayoutResult {
    LayoutCost cost;
    std::vector<Piece> pieces;
    std::vector<CostSplit> shares; // per piece, all its sheets
    std::string error;
};

LayoutResult costLayout(const NestingState& state, int layoutNo, const cutting::CutPlanResult& planned,
                        const QuoteSources& sources, const PriceRow& prices, double kgPerArea, MaterialShare share)
{
    LayoutResult result;
    if (!planned.plan) {
        result.error = "layout " + std::to_string(layoutNo) + " cannot be cut: " + planned.error;
        return result;
    }
    const cutting::CutPlan& plan = *planned.plan;
    const cutting::LayoutShapes shapes = cutting::layoutShapes(state, layoutNo);
    const double sheets = plan.sheetCount;
    double partArea = 0;
    for (const cutting::PlacedShape& placed : shapes.parts) {
        Piece piece;
        piece.partIndex = placed.partIndex;
        piece.area = enclosedArea(placed.shape);
        piece.length = shapeExtents(placed.shape).width();
        partArea += piece.area;
        result.pieces.push_back(piece);
    }
    double remnantArea = 0;
    if (sources.setup.cut.remnants)
        if (const std::optional<Remnant> remnant = markedRemnant(state, layoutNo, *sources.setup.cut.remnants))
            remnantArea = remnant->area;

    CostAmounts& a = result.cost.amounts;
    a.sheetKg = kgPerArea * enclosedArea(shapes.sheet) * sheets;
    if (shapes.sheetIndex >= 1 && shapes.sheetIndex <= static_cast<int>(state.sheets.size())) {
        const auto priced = sources.platePrices.find(platePriceKey(state.sheet(shapes.sheetIndex).FileName));
        if (priced != sources.platePrices.end()) {
            a.pricedKg = a.sheetKg;
            a.platePrice = priced->second * sheets;
        }
    }
    a.partKg = kgPerArea * partArea * sheets;
    a.remnantKg = kgPerArea * remnantArea * sheets;
    a.scrapKg = std::max(0.0, a.sheetKg - a.partKg - a.remnantKg);
    a.machineSeconds = plan.seconds * sheets;
    a.pierces = static_cast<long>(plan.pierces) * plan.sheetCount;
    a.layouts = 1;
    a.sheets = plan.sheetCount;
    result.cost.layoutNo = layoutNo;
    result.cost.cost = costsOf(a, prices);

    std::vector<double> materialWeights, cuttingWeights;
    const std::vector<double> own = ownCuttingCosts(plan, sources.setup.cut, prices, result.pieces.size());
    for (size_t i = 0; i < result.pieces.size(); ++i) {
        result.pieces[i].ownCutting = own[i];
        materialWeights.push_back(share == MaterialShare::Area ? result.pieces[i].area : result.pieces[i].length);
    }
    const CostSplit& total = result.cost.cost;
    const std::vector<Cents> material = shareCents(total.material, materialWeights);
    const std::vector<Cents> cutting = shareCents(total.cutting, own);
    const std::vector<Cents> setup = shareCents(total.setup, std::vector<double>(result.pieces.size(), 1.0));
    for (size_t i = 0; i < result.pieces.size(); ++i) result.shares.push_back({material[i], cutting[i], setup[i]});
    return result;
}

} // namespace

CostAmounts& CostAmounts::operator+=(const CostAmounts& o)
{
    sheetKg += o.sheetKg, partKg += o.partKg, remnantKg += o.remnantKg, scrapKg += o.scrapKg;
    pricedKg += o.pricedKg, platePrice += o.platePrice;
    machineSeconds += o.machineSeconds;
    pierces += o.pierces;
    layouts += o.layouts, sheets += o.sheets;
    return *this;
}

CostSplit& CostSplit::operator+=(const CostSplit& o)
{
    material += o.material, cutting += o.cutting, setup += o.setup;
    return *this;
}

CostSplit costsOf(const CostAmounts& a, const PriceRow& p)
{
    CostSplit cost;
    cost.material = toCents((a.sheetKg - a.pricedKg) * p.perKg + a.platePrice -
                            a.remnantKg * p.perKg * p.remnantPercent / 100 - a.scrapKg * p.scrapPerKg);
    cost.cutting = toCents(a.machineSeconds / 3600 * p.perHour + static_cast<double>(a.pierces) * p.perPierce);
    cost.setup = toCents(a.layouts * p.perLayout + a.sheets * p.perSheet);
    return cost;
}

void applyMargin(Quote& quote, double marginPercent)
{
    quote.options.marginPercent = marginPercent;
    quote.price = toCents(static_cast<double>(quote.cost.total()) * (1 + marginPercent / 100) / 100);
    std::vector<double> weights;
    for (const PartCost& p : quote.parts) weights.push_back(static_cast<double>(p.cost.total()));
    const std::vector<Cents> partPrices = shareCents(quote.price, weights);
    for (size_t i = 0; i < quote.parts.size(); ++i) quote.parts[i].price = partPrices[i];
}

std::string platePriceKey(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return (ec ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

std::string Quote::engineName() const
{
    return deepLayouts ? "Deep Nesting" : "classic engine";
}

QuoteResult makeQuote(const NestingState& state, const QuoteSources& sources, const QuoteOptions& options)
{
    QuoteResult result;
    const BasicDetails& d = state.details;
    const std::vector<int> layoutNos = cutting::layoutNumbers(state);
    if (layoutNos.empty()) {
        result.error = "the job has no layouts to quote: nest it first";
        return result;
    }
    const double density = densityFor(sources.densities, d.Mat);
    if (density <= 0) {
        result.error = sources.densityName + " has no density for material \"" + d.Mat +
                       "\": add it (Tools > Density Table) so the plates can be weighed";
        return result;
    }
    const std::optional<PriceRow> prices = priceRowFor(sources.prices, d.Mat, d.Grade, d.Thick);
    if (!prices) {
        result.error = missingPriceMessage(sources.pricesName, d.Mat, d.Grade, d.Thick);
        return result;
    }
    if (!sources.setup.ok()) {
        result.error = sources.setup.error;
        return result;
    }

    Quote quote;
    quote.jobName = sources.jobName;
    quote.date = sources.date;
    quote.deepLayouts = state.deepLayouts;
    quote.prices = *prices;
    quote.options = options;
    quote.parts.resize(state.parts.size());
    for (size_t i = 0; i < state.parts.size(); ++i) {
        quote.parts[i].name = fileNameOnly(state.parts[i].FileName);
        quote.parts[i].partIndex = static_cast<int>(i) + 1;
    }
    const double kgPerArea = density * d.Thick;
    const std::vector<cutting::CutPlanResult> plans = cutting::planLayoutCuts(state, layoutNos, sources.setup.cut);
    for (size_t l = 0; l < layoutNos.size(); ++l) {
        const LayoutResult layout = costLayout(state, layoutNos[l], plans[l], sources, *prices, kgPerArea, options.share);
        if (!layout.error.empty()) {
            result.error = layout.error;
            return result;
        }
        for (size_t i = 0; i < layout.pieces.size(); ++i) {
            const int partIndex = layout.pieces[i].partIndex;
            if (partIndex < 1 || partIndex > static_cast<int>(quote.parts.size())) continue;
            PartCost& part = quote.parts[static_cast<size_t>(partIndex - 1)];
            part.quantity += layout.cost.amounts.sheets;
            part.kgEach = kgPerArea * layout.pieces[i].area;
            part.cost += layout.shares[i];
        }
        quote.amounts += layout.cost.amounts;
        quote.cost += layout.cost.cost;
        quote.layouts.push_back(layout.cost);
    }
    quote.parts.erase(std::remove_if(quote.parts.begin(), quote.parts.end(), [](const PartCost& p) { return p.quantity == 0; }),
                      quote.parts.end());
    applyMargin(quote, options.marginPercent);
    result.quote = std::move(quote);
    return result;
}

std::string readPriceSources(const std::string& pricesPath, const std::string& densityPath, QuoteSources& sources)
{
    std::vector<std::string> problems;
    sources.pricesName = pricesPath;
    sources.densityName = densityPath;
    sources.prices = readPriceTableFile(pricesPath, problems);
    // A density row left out for a fault is fatal only for a material priced here, named below.
    std::vector<std::string> densityWarnings;
    sources.densities = readDensityFile(densityPath, densityWarnings);
    const std::vector<std::string> unweighed = unweighedMaterials(sources.prices, sources.densities, pricesPath, densityPath);
    problems.insert(problems.end(), unweighed.begin(), unweighed.end());
    std::string text;
    for (const std::string& p : problems) text += (text.empty() ? "" : "\n") + p;
    return text;
}

} // namespace dravenor::quote
