#pragma once
// The fit test and stamping cell by cell, in the engine's classic order of checks: the box, the key
// points, a sparse diagonal, then every second column from the right (odd rows first) and the
// columns between them. The engine's word-parallel test must give the same answer everywhere.
#include "engine/fit_test.h"
#include "engine/raster.h"
#include "job/number_format.h"

namespace dravenor::testing {

inline bool cellByCellFits(const Raster& part, const Raster& sheet, const KeyPoints& keys, int x, int y)
{
    const int W = part.W();
    const int H = part.H();
    if (x + W > sheet.W() || y + H > sheet.H()) return false;
    // Positions left of or below the sheet are not on the sheet.
    if (x < 0 || y < 0) return false;
    auto conflict = [&](int i, int j) { return part.test(i, j) && sheet.test(x + i, y + j); };
    for (const auto& [px, py] : keys)
        if (sheet.test(x + px, y + py)) return false;
    if (W == 0) {
        // A part one cell across: the diagonal is its single column.
        for (int j = 0; j <= H; j += 2)
            if (conflict(0, j)) return false;
    } else {
        for (int i = 0; i <= W; i += 2) {
            const int j = static_cast<int>(roundHalfEven(static_cast<double>(H) / W * i));
            if (conflict(i, j)) return false;
        }
    }
    for (const int firstColumn : {W - 1, W})
        for (int i = firstColumn; i >= 0; i -= 2) {
            for (int j = 1; j <= H; j += 2)
                if (conflict(i, j)) return false;
            for (int j = 0; j <= H; j += 2)
                if (conflict(i, j)) return false;
        }
    return true;
}

inline void cellByCellStamp(const Raster& part, Raster& sheet, int x, int y)
{
    for (int i = 0; i <= part.W(); ++i)
        for (int j = 0; j <= part.H(); ++j)
            if (part.test(i, j)) sheet.set(x + i, y + j);
}

} // namespace dravenor::testing
