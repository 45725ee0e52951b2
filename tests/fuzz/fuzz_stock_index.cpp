// The stock's tables ("stock.csv", "history.csv") as the stock reads them: what reads must be
// written and read again unchanged, and the next id must lie above every id read.
#include "fuzz/fuzz_support.h"
#include "stock/stock_index.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dravenor;
    const std::string text = fuzz::inputText(data, size);
    StockTables tables;
    if (parseStockIndex(text, tables.plates).ok()) {
        std::vector<StockPlate> again;
        if (!parseStockIndex(stockIndexText(tables.plates), again).ok() || again != tables.plates)
            fuzz::finding("a written plate table reads back differently");
        for (const StockPlate& p : tables.plates)
            if (p.id >= tables.nextId()) fuzz::finding("the next id is not above a plate's id");
    }
    if (parseStockHistory(text, tables.history).ok()) {
        std::vector<StockChangeRecord> again;
        if (!parseStockHistory(stockHistoryText(tables.history), again).ok() || again != tables.history)
            fuzz::finding("a written history reads back differently");
    }
    return 0;
}
