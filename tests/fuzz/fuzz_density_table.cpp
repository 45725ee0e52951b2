// The density table ("density.dat") as the density window and the report read it: the rows kept
// must be saved and read again unchanged, and the window's grid must hold them all.
#include "fuzz/fuzz_support.h"
#include "job/density_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dravenor;
    std::vector<std::string> warnings;
    const DensityTable table = parseDensityText(fuzz::inputText(data, size), kDensityFileName, warnings);
    if (!table.empty()) densityFor(table, table.front().material);

    const DensityTable sorted = sortedDensityTable(table);
    std::vector<std::string> rereadWarnings;
    if (parseDensityText(densityTableText(sorted), kDensityFileName, rereadWarnings) != sorted || !rereadWarnings.empty())
        fuzz::finding("a saved density table reads back differently");
    if (densityTableFromGrid(densityGrid(table)).size() != table.size())
        fuzz::finding("the density window's grid lost rows");
    return 0;
}
