// The fit test and stamping, a row of the part at a time: a part row is shifted to the sheet's
// column and AND-ed with (or OR-ed into) the sheet row, 64 cells per word.
#include <algorithm>
#include <cstddef>

#include "engine/fit_search.h"
#include "engine/placement.h"

namespace dravenor {

namespace {

// Key points tested one by one before the rows; more cost more than the row test saves.
constexpr size_t kKeyPointsTested = kKeyPointsUsed;

int wordsPerPartRow(const Raster& part) { return part.W() >= 0 ? part.W() / 64 + 1 : 0; }

// The part's rows from the first, each shifted to column x and AND-ed with the sheet's row.
bool clearInRows(const Raster& part, const Raster& sheet, int x, int y)
{
    const int words = wordsPerPartRow(part);
    if (words == 0) return true;
    const std::uint64_t lastMask = part.boxMask(words - 1);
    const int shift = x & 63;
    const std::ptrdiff_t sheetStride = sheet.stride();
    const std::ptrdiff_t partStride = part.stride();
    const std::uint64_t* sheetBase = sheet.row(y) + (x >> 6);
    const std::uint64_t* partBase = part.row(0);
    // The part lies inside the sheet, so the word after each sheet word read is always stored.
    auto meets = [shift](std::uint64_t cells, const std::uint64_t* sheetWord) {
        const std::uint64_t under = shift ? (sheetWord[0] >> shift) | (sheetWord[1] << (64 - shift)) : sheetWord[0];
        return (cells & under) != 0;
    };
    for (int j = 0; j <= part.H(); ++j) {
        const std::uint64_t* partRow = partBase + j * partStride;
        const std::uint64_t* sheetRow = sheetBase + j * sheetStride;
        for (int k = 0; k + 1 < words; ++k)
            if (partRow[k] && meets(partRow[k], sheetRow + k)) return false;
        const std::uint64_t last = partRow[words - 1] & lastMask;
        if (last && meets(last, sheetRow + words - 1)) return false;
    }
    return true;
}

} // namespace

bool rowsClear(const Raster& part, const Raster& sheet, int x, int y)
{
    return clearInRows(part, sheet, x, y);
}

bool fits(const Raster& part, const Raster& sheet, const KeyPoints& keys, int x, int y)
{
    if (!insideSheet(part, sheet, x, y)) return false;
    const size_t tested = std::min(keys.size(), kKeyPointsTested);
    for (size_t k = 0; k < tested; ++k)
        if (sheet.test(x + keys[k].first, y + keys[k].second)) return false;
    return rowsClear(part, sheet, x, y);
}

bool fitsFor(const NestingRun& run, const Raster& part, const Raster& sheet, const KeyPoints& keys, int x, int y)
{
    return run.fitTest ? run.fitTest(part, sheet, keys, x, y) : fits(part, sheet, keys, x, y);
}

void stamp(const Raster& part, Raster& sheet, int x, int y)
{
    const bool stored = x >= 0 && y >= 0 && x + part.W() <= sheet.W() + 3 && y + part.H() <= sheet.storedRows() - 1;
    if (!stored) {
        // Partly outside the sheet's stored cells: those cells ignore the writes.
        for (int j = 0; j <= part.H(); ++j)
            for (int i = 0; i <= part.W(); ++i)
                if (part.test(i, j)) sheet.set(x + i, y + j);
        return;
    }
    const int words = wordsPerPartRow(part);
    const std::uint64_t lastMask = part.boxMask(words - 1);
    const int shift = x & 63;
    for (int j = 0; j <= part.H(); ++j) {
        const std::uint64_t* partRow = part.row(j);
        std::uint64_t* sheetRow = sheet.row(y + j) + (x >> 6);
        for (int k = 0; k < words; ++k) {
            const std::uint64_t cells = k + 1 == words ? partRow[k] & lastMask : partRow[k];
            if (!cells) continue;
            sheetRow[k] |= cells << shift;
            if (shift) sheetRow[k + 1] |= cells >> (64 - shift);
        }
    }
}

} // namespace dravenor
