#include "quote/quote_text.h"

#include <algorithm>
#include <sstream>

#include "cutting/nc_program.h"
#include "job/number_format.h"
#include "stock/stock_index.h"

namespace dravenor::quote {

namespace {

std::string kg(double value)
{
    return formatMask(value, "0.00");
}

std::vector<std::string> money(const CostSplit& c)
{
    return {centsText(c.material), centsText(c.cutting), centsText(c.setup), centsText(c.total())};
}

// "layouts 1-3" for a run of numbers, else "layouts 1 3 4".
std::string layoutList(const std::vector<LayoutCost>& layouts)
{
    bool run = true;
    for (size_t i = 1; i < layouts.size(); ++i) run = run && layouts[i].layoutNo == layouts[i - 1].layoutNo + 1;
    if (layouts.size() == 1) return "layout " + std::to_string(layouts.front().layoutNo);
    if (run) return "layouts " + std::to_string(layouts.front().layoutNo) + "-" + std::to_string(layouts.back().layoutNo);
    std::string text = "layouts";
    for (const LayoutCost& l : layouts) text += " " + std::to_string(l.layoutNo);
    return text;
}

std::string joined(const std::vector<std::string>& cells, const std::string& separator, bool csv)
{
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) line += (i ? separator : "") + (csv ? csvField(cells[i]) : cells[i]);
    return line;
}

} // namespace

TextTable partTable(const Quote& quote)
{
    TextTable table{{"Part", "Qty", "Kg Each", "Material", "Cutting", "Set-up", "Cost", "Unit Cost", "Price", "Unit Price"}};
    long pieces = 0;
    for (const PartCost& p : quote.parts) {
        std::vector<std::string> row{p.name, std::to_string(p.quantity), kg(p.kgEach)};
        for (const std::string& m : money(p.cost)) row.push_back(m);
        row.insert(row.end(), {centsText(toCents(static_cast<double>(p.cost.total()) / p.quantity / 100)),
                               centsText(p.price), centsText(toCents(static_cast<double>(p.price) / p.quantity / 100))});
        table.push_back(row);
        pieces += p.quantity;
    }
    std::vector<std::string> total{"Total", std::to_string(pieces), ""};
    for (const std::string& m : money(quote.cost)) total.push_back(m);
    total.insert(total.end(), {"", centsText(quote.price), ""});
    table.push_back(total);
    return table;
}

TextTable layoutTable(const Quote& quote)
{
    TextTable table{{"Layout", "Sheets", "Sheet Kg", "Remnant Kg", "Scrap Kg", "Time", "Pierces", "Cost"}};
    auto row = [](const std::string& name, const CostAmounts& a, const CostSplit& c) {
        return std::vector<std::string>{name,          std::to_string(a.sheets), kg(a.sheetKg),
                                        kg(a.remnantKg), kg(a.scrapKg),          cutting::durationText(a.machineSeconds),
                                        std::to_string(a.pierces), centsText(c.total())};
    };
    for (const LayoutCost& l : quote.layouts) table.push_back(row(std::to_string(l.layoutNo), l.amounts, l.cost));
    table.push_back(row("Total", quote.amounts, quote.cost));
    return table;
}

TextTable tableColumns(const TextTable& table, const std::vector<std::string>& titles)
{
    std::vector<size_t> picked;
    for (const std::string& title : titles)
        picked.push_back(static_cast<size_t>(std::find(table[0].begin(), table[0].end(), title) - table[0].begin()));
    TextTable narrow;
    for (const std::vector<std::string>& row : table) {
        std::vector<std::string> cells;
        for (size_t c : picked) cells.push_back(c < row.size() ? row[c] : "");
        narrow.push_back(cells);
    }
    return narrow;
}

std::vector<std::string> wrappedLines(const std::string& text, size_t width)
{
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string line;
    for (std::string word; words >> word;) {
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            lines.push_back(line);
            line = "  ";
        }
        line += (line.empty() || line == "  " ? "" : " ") + word;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<std::string> quoteSummary(const Quote& quote)
{
    const PriceRow& p = quote.prices;
    const CostAmounts& a = quote.amounts;
    const std::string material = p.material + (p.grade.empty() ? "" : " " + p.grade) + " " + formatGeneral(p.thickness);
    std::vector<std::string> lines{
        "Quote of " + quote.jobName + " on " + quote.date + " from " + layoutList(quote.layouts) + " (" +
            quote.engineName() + "); parts shared by " + (quote.options.share == MaterialShare::Area ? "area" : "length"),
        "Material " + centsText(quote.cost.material) + ": " + std::to_string(a.sheets) + " sheets of " + material + " (" +
            kg(a.sheetKg) + " kg at " + formatGeneral(p.perKg) + " per kg) less " + kg(a.remnantKg) +
            " kg kept as remnants at " + formatGeneral(p.remnantPercent) + " % and " + kg(a.scrapKg) + " kg scrap at " +
            formatGeneral(p.scrapPerKg) + " per kg" +
            (a.platePrice > 0 ? "; " + kg(a.pricedKg) + " kg of it stock plates at their own price " +
                                    centsText(toCents(a.platePrice)) + " instead"
                              : std::string()),
        "Cutting " + centsText(quote.cost.cutting) + ": " + cutting::durationText(a.machineSeconds) + " at " +
            formatGeneral(p.perHour) + " per hour and " + std::to_string(a.pierces) + " pierces at " +
            formatGeneral(p.perPierce),
        "Set-up " + centsText(quote.cost.setup) + ": " + std::to_string(a.layouts) + " layouts at " +
            formatGeneral(p.perLayout) + " and " + std::to_string(a.sheets) + " sheets at " + formatGeneral(p.perSheet),
        "Cost " + centsText(quote.cost.total()) + "; margin " + formatGeneral(quote.options.marginPercent) +
            " %; price " + centsText(quote.price)};
    return lines;
}

std::string quoteCsv(const Quote& quote)
{
    std::string text;
    for (const std::vector<std::string>& row : partTable(quote)) text += joined(row, ",", true) + "\r\n";
    text += "\r\n";
    for (const std::string& line : quoteSummary(quote)) text += csvField(line) + "\r\n";
    return text;
}

std::string quoteClipboardText(const Quote& quote)
{
    std::string text;
    for (const std::string& line : quoteSummary(quote)) text += line + "\n";
    text += "\n";
    for (const std::vector<std::string>& row : partTable(quote)) text += joined(row, "\t", false) + "\n";
    return text;
}

std::vector<std::string> alignedLines(const TextTable& table)
{
    std::vector<size_t> widths;
    for (const std::vector<std::string>& row : table)
        for (size_t c = 0; c < row.size(); ++c) {
            if (widths.size() <= c) widths.push_back(0);
            widths[c] = std::max(widths[c], row[c].size());
        }
    std::vector<std::string> lines;
    for (const std::vector<std::string>& row : table) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - row[c].size(), ' ');
            line += (c ? "  " : "") + (c > 0 ? pad + row[c] : row[c] + pad);
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> quoteLines(const Quote& quote, const std::vector<std::string>& notes)
{
    std::vector<std::string> lines;
    for (const std::string& line : quoteSummary(quote))
        for (const std::string& part : wrappedLines(line, kPrintedWidth)) lines.push_back(part);
    const TextTable parts = partTable(quote);
    for (const TextTable& table :
         {tableColumns(parts, {"Part", "Qty", "Material", "Cutting", "Set-up", "Cost", "Unit Cost"}),
          tableColumns(parts, {"Part", "Qty", "Unit Price", "Price"}), layoutTable(quote)}) {
        lines.push_back("");
        for (const std::string& line : alignedLines(table)) lines.push_back(line);
    }
    if (!notes.empty()) lines.push_back("");
    for (const std::string& note : notes)
        for (const std::string& line : wrappedLines(note, kPrintedWidth)) lines.push_back(line);
    return lines;
}

std::string costsSection(const QuoteResult& result, const std::vector<std::string>& notes)
{
    std::vector<std::string> lines;
    if (!result.quote) {
        std::istringstream problems(result.error);
        for (std::string line; std::getline(problems, line);) lines.push_back("not quoted: " + line);
    } else {
        lines = quoteLines(*result.quote, notes);
    }
    // The report's lines are cells of a grid file, where a comma would end the line's text.
    std::string text = "\f\r\nCosts\r\n";
    for (std::string& line : lines) {
        for (size_t at; (at = line.find(", ")) != std::string::npos;) line.replace(at, 2, "; ");
        std::replace(line.begin(), line.end(), ',', ' ');
        text += line + "\r\n";
    }
    return text;
}

} // namespace dravenor::quote
