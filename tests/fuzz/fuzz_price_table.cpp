// The price table ("prices.dat") as quotes and its window read it: the rows kept must be saved
// and read again unchanged, and the window's grid must give them back.
#include "fuzz/fuzz_support.h"
#include "quote/price_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dravenor::quote;
    std::vector<std::string> errors;
    const PriceTable table = parsePriceTableText(dravenor::fuzz::inputText(data, size), kPriceTableFileName, errors);
    if (!table.empty()) priceRowFor(table, table.front().material, table.front().grade, table.front().thickness);

    std::vector<std::string> rereadErrors;
    const PriceTable reread = parsePriceTableText(priceTableText(table), kPriceTableFileName, rereadErrors);
    if (!rereadErrors.empty() || reread.size() != table.size()) dravenor::fuzz::finding("a saved price table reads back differently");
    std::vector<std::string> gridErrors;
    if (priceTableFromGrid(priceTableGrid(table), gridErrors) != reread || !gridErrors.empty())
        dravenor::fuzz::finding("the price table window's grid changed rows");
    return 0;
}
