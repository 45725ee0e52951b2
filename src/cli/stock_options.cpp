#include "cli/stock_options.h"

#include "cli/working_files.h"
#include "job/files.h"
#include "job/number_format.h"
#include "stock/layout_cut.h"
#include "stock/stock_folder.h"
#include "stock/stock_selection.h"

namespace dravenor::cli {

std::string stockFolderOption(const ParsedArgs& parsed)
{
    if (parsed.has("--stock")) {
        const std::string folder = parsed.value("--stock");
        if (folder.empty()) throw UsageError{"--stock names no folder"};
        return folder;
    }
    return configuredStockFolder(batchWorkingFolder());
}

Args withStockSheetArgs(const Args& args, const Args& jobArgs)
{
    bool fromStock = false;
    ParsedArgs stockOption;
    std::string material, thickness;
    Args rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--from-stock") {
            fromStock = true;
            continue;
        }
        const bool valued = i + 1 < args.size();
        if (a == "--stock" && valued) {
            stockOption.values["--stock"] = {args[++i]};
            continue;
        }
        rest.push_back(a);
    }
    if (!fromStock) {
        if (stockOption.has("--stock")) throw UsageError{"--stock goes with --from-stock"};
        return rest;
    }
    for (size_t i = 0; i + 1 < jobArgs.size(); ++i) {
        if (jobArgs[i] == "--mat") material = jobArgs[i + 1];
        if (jobArgs[i] == "--thick") thickness = jobArgs[i + 1];
    }
    for (const std::string& a : rest)
        if (a == "--sheet") throw UsageError{"--from-stock takes the sheets from the stock: leave out --sheet"};
    const std::string folder = stockFolderOption(stockOption);
    const StockResult stock = readStock(folder);
    if (!stock.ok()) throw UsageError{stock.error};
    const double thick = numberFromText(thickness).value_or(0);
    const std::vector<StockSheet> sheets = stockSheetsFor(stock.tables, folder, material, thick);
    if (sheets.empty())
        throw UsageError{"the stock " + folder + " holds no plate of material '" + material + "' and thickness " +
                         formatGeneral(thick)};
    for (const StockSheet& s : sheets) {
        rest.push_back("--sheet");
        rest.push_back(s.file + ":" + std::to_string(s.quantity) + ":" + std::to_string(s.priority));
    }
    return rest;
}

void lookUpRemnantIds(const ParsedArgs& parsed, Job& job, std::vector<std::string>& warnings)
{
    const std::string folder = stockFolderOption(parsed);
    if (!parsed.has("--stock") && !fileExists(stockPath(folder, kStockIndexName))) return;
    const StockResult stock = readStock(folder);
    if (!stock.ok()) {
        warnings.push_back(stock.error + "; remnants are shown without their stock ids");
        return;
    }
    const std::vector<std::int32_t> layouts = jobLayoutNumbers(job.nesting);
    job.remnantIds = remnantIdsOfJob(stock.tables, stockJobName(job.jobFileName), layouts.empty() ? 0 : layouts.back());
}

} // namespace dravenor::cli
