#include "app/price_table_window.h"

#include "job/files.h"
#include "quote/price_table.h"

namespace dravenor {

namespace {

TableFile priceTableFile(const std::string& folder)
{
    const std::string path = quote::priceTablePath(folder);
    auto load = [path](std::vector<std::string>& warnings) {
        return quote::priceTableGrid(fileExists(path) ? quote::readPriceTableFile(path, warnings) : quote::PriceTable{});
    };
    auto save = [path](const TextGrid& grid) -> std::string {
        std::vector<std::string> errors;
        const quote::PriceTable table = quote::priceTableFromGrid(grid, errors);
        return errors.empty() ? quote::savePriceTableFile(table, path) : joinedLines(errors);
    };
    return {kPriceTableWindowTitle, "index.html#price-table", load, save, quote::priceTableUnits()};
}

} // namespace

PriceTableWindow::PriceTableWindow(DialogService& dialogs, const QString& workingFolder, QWidget* parent)
    : TableWindow(dialogs, priceTableFile(workingFolder.toStdString()), parent)
{
}

} // namespace dravenor
