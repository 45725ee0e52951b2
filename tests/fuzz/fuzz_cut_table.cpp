// The cut table ("cutting.dat") as the nc command and the cut table window read it: the rows
// kept must be saved and read again unchanged, and the window's grid must give them back.
#include "cutting/cut_table.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dravenor::cutting;
    std::vector<std::string> errors;
    const CutTable table = parseCutTableText(dravenor::fuzz::inputText(data, size), kCutTableFileName, errors);
    if (!table.empty()) cutDataFor(table, table.front().material, table.front().thickness);

    std::vector<std::string> rereadErrors;
    const CutTable reread = parseCutTableText(cutTableText(table), kCutTableFileName, rereadErrors);
    if (!rereadErrors.empty() || reread.size() != table.size()) dravenor::fuzz::finding("a saved cut table reads back differently");
    std::vector<std::string> gridErrors;
    if (cutTableFromGrid(cutTableGrid(table), gridErrors) != reread || !gridErrors.empty())
        dravenor::fuzz::finding("the cut table window's grid changed rows");
    return 0;
}
