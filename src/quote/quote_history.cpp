#include "quote/quote_history.h"

#include <algorithm>

#include "cutting/nc_export.h"
#include "cutting/text_lines.h"
#include "job/files.h"
#include "job/number_format.h"
#include "stock/layout_fingerprint.h"
#include "stock/stock_index.h"

namespace dravenor::quote {

namespace {

const std::vector<std::string>& columns()
{
    static const std::vector<std::string> c{"Date",     "Engine",   "Parts",          "Layouts",  "Layout Count",
                                            "Sheets",   "Sheet Kg", "Part Kg",        "Remnant Kg", "Scrap Kg",
                                            "Seconds",  "Pierces",  "Material",       "Cutting",  "Set-up",
                                            "Margin %", "Price",    "Priced Kg",      "Plate Price"};
    return c;
}

std::string engineText(bool deep)
{
    return deep ? "Deep Nesting" : "classic";
}

std::vector<std::string> fieldsOf(const QuoteRecord& r)
{
    const CostAmounts& a = r.amounts;
    return {r.date,
            engineText(r.deepLayouts),
            r.parts,
            r.layouts,
            std::to_string(a.layouts),
            std::to_string(a.sheets),
            formatGeneral(a.sheetKg),
            formatGeneral(a.partKg),
            formatGeneral(a.remnantKg),
            formatGeneral(a.scrapKg),
            formatGeneral(a.machineSeconds),
            std::to_string(a.pierces),
            centsText(r.cost.material),
            centsText(r.cost.cutting),
            centsText(r.cost.setup),
            formatGeneral(r.marginPercent),
            centsText(r.price),
            formatGeneral(a.pricedKg),
            formatGeneral(a.platePrice)};
}

std::optional<double> number(const std::string& text)
{
    return numberFromText(cutting::trimmed(text));
}

// The record of a row's fields, or the reason it is none.
std::optional<QuoteRecord> recordOf(const std::vector<std::string>& f, std::string& problem)
{
    if (f.size() != columns().size()) {
        problem = "expected " + std::to_string(columns().size()) + " fields, found " + std::to_string(f.size());
        return std::nullopt;
    }
    QuoteRecord r;
    r.date = f[0];
    r.deepLayouts = f[1] == engineText(true);
    r.parts = f[2];
    r.layouts = f[3];
    std::vector<double> values;
    for (size_t i = 4; i < f.size(); ++i) {
        const std::optional<double> v = number(f[i]);
        if (!v) {
            problem = columns()[i] + " \"" + f[i] + "\" is not a number";
            return std::nullopt;
        }
        values.push_back(*v);
    }
    CostAmounts& a = r.amounts;
    a.layouts = static_cast<int>(values[0]);
    a.sheets = static_cast<int>(values[1]);
    a.sheetKg = values[2], a.partKg = values[3], a.remnantKg = values[4], a.scrapKg = values[5];
    a.machineSeconds = values[6];
    a.pierces = static_cast<long>(values[7]);
    r.cost = {toCents(values[8]), toCents(values[9]), toCents(values[10])};
    r.marginPercent = values[11];
    r.price = toCents(values[12]);
    a.pricedKg = values[13];
    a.platePrice = values[14];
    return r;
}

std::string historyText(const std::vector<QuoteRecord>& records)
{
    auto line = [](const std::vector<std::string>& fields) {
        std::string text;
        for (size_t i = 0; i < fields.size(); ++i) text += (i ? "," : "") + csvField(fields[i]);
        return text + "\r\n";
    };
    std::string text = line(columns());
    for (const QuoteRecord& r : records) text += line(fieldsOf(r));
    return text;
}

// The latest record of the engine for these parts.
const QuoteRecord* latest(const std::vector<QuoteRecord>& history, const std::string& parts, bool deep)
{
    const QuoteRecord* found = nullptr;
    for (const QuoteRecord& r : history)
        if (r.parts == parts && r.deepLayouts == deep) found = &r;
    return found;
}

} // namespace

std::string quoteHistoryPath(const std::string& jobFile)
{
    if (jobFile.empty()) return "";
    return withTrailingSeparator(folderOfFile(jobFile)) + jobFileStem(jobFile) + "-quotes.csv";
}

QuoteRecord quoteRecord(const Quote& quote, const NestingState& state)
{
    QuoteRecord r;
    r.date = quote.date;
    r.deepLayouts = quote.deepLayouts;
    std::vector<std::string> parts, layouts;
    for (const PartEntry& p : state.parts) parts.push_back(fileNameOnly(p.FileName) + "/" + std::to_string(p.Qty));
    for (int layoutNo : cutting::layoutNumbers(state)) layouts.push_back(layoutFingerprint(state, layoutNo));
    std::sort(parts.begin(), parts.end()); // the engines may order the records differently
    r.parts = textsFingerprint(parts);
    r.layouts = textsFingerprint(layouts);
    r.amounts = quote.amounts;
    r.cost = quote.cost;
    r.marginPercent = quote.options.marginPercent;
    r.price = quote.price;
    return r;
}

std::vector<QuoteRecord> readQuoteHistory(const std::string& path, std::string& error)
{
    std::vector<QuoteRecord> records;
    if (!fileExists(path)) return records;
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        error = file.error;
        return records;
    }
    for (const auto& [number, line] : cutting::numberedLines(*file.bytes)) {
        if (number == 1 || cutting::trimmed(line).empty()) continue;
        std::vector<std::string> fields;
        std::string problem = "a quoted field does not end";
        std::optional<QuoteRecord> record;
        if (splitCsvLine(line, fields)) record = recordOf(fields, problem);
        if (!record) {
            error = path + " line " + std::to_string(number) + ": " + problem;
            return {};
        }
        records.push_back(*record);
    }
    return records;
}

std::string recordQuote(const std::string& path, const QuoteRecord& record, std::vector<QuoteRecord>& history)
{
    std::vector<QuoteRecord> records = history;
    std::erase_if(records, [&](const QuoteRecord& r) { return r.layouts == record.layouts && r.parts == record.parts; });
    records.push_back(record);
    const std::string problem = writeFileAtomically(path, historyText(records));
    if (problem.empty()) history = std::move(records);
    return problem;
}

std::vector<std::string> whatIfLines(const Quote& quote, const QuoteRecord& current, const std::vector<QuoteRecord>& history,
                                     const std::string& historyName)
{
    const QuoteRecord* other = latest(history, current.parts, !current.deepLayouts);
    if (!other) {
        const std::string otherEngine = current.deepLayouts ? "the classic engine" : "Deep Nesting";
        return {"What-if: no quote of these parts nested by " + otherEngine + " in " + historyName +
                "; nest them with it and quote to compare."};
    }
    const QuoteRecord& classic = current.deepLayouts ? *other : current;
    const QuoteRecord& deep = current.deepLayouts ? current : *other;
    // This quote's own cost as made (its layouts rounded one by one); the other's from its amounts.
    const CostSplit otherCost = costsOf(other->amounts, quote.prices);
    const CostSplit& classicCost = current.deepLayouts ? otherCost : quote.cost;
    const CostSplit& deepCost = current.deepLayouts ? quote.cost : otherCost;
    auto line = [](const std::string& name, const QuoteRecord& r, const CostSplit& c) {
        return "What-if: " + name + " (quoted " + r.date + "): " + std::to_string(r.amounts.sheets) + " sheets (" +
               formatMask(r.amounts.sheetKg, "0.00") + " kg); material " + centsText(c.material) + "; cost " +
               centsText(c.total());
    };
    std::vector<std::string> lines{line("classic engine", classic, classicCost), line("Deep Nesting", deep, deepCost)};
    const Cents material = classicCost.material - deepCost.material, total = classicCost.total() - deepCost.total();
    const bool deepBetter = total > 0 || (total == 0 && material >= 0);
    lines.push_back(std::string(deepBetter ? "Deep Nesting" : "The classic engine") + " saves " +
                    centsText(deepBetter ? material : -material) + " in material and " +
                    centsText(deepBetter ? total : -total) + " in all at these prices.");
    return lines;
}

} // namespace dravenor::quote
