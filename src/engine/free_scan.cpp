// The free scan: positions row by row, left to right, from the window's start. Each row is
// visited up to the column where the part's box would reach the sheet's last column (that
// column itself excluded), rows up to the one where it would reach the last row; the scan ends
// at the window's end position, or when the demand is met.
#include <algorithm>
#include <bit>

#include "engine/placement_phases.h"
#include "job/part_rules.h"

namespace dravenor {

namespace {

struct ScanState {
    const OrientedPair& rasters;
    Raster& sheet;
    PairSearch& search;
    SheetRows& rows;
    std::vector<Placement>& placements;
    std::int32_t& remaining;
    const ScanWindow& window;
    int advance;
    bool turnedCopies; // B may be tried where A does not fit
    int angle;
    int lastCol, lastRow; // the scan's column and row limits (taken from A)
};

// Stamps the copy and records it; true when the demand is now met.
bool place(ScanState& s, const Raster& part, int x, int y, int angle)
{
    stamp(part, s.sheet, x, y);
    s.rows.stamped(y, y + part.H());
    s.placements.push_back({x, y, static_cast<double>(angle)});
    return --s.remaining == 0;
}

// Moves on to the position after x in row y; false when the scan ends there.
bool moveTo(const ScanState& s, int x, int& col, int& row)
{
    if (x >= s.lastCol) {
        col = 0;
        ++row;
        if (row >= s.lastRow) return false;
    } else {
        col = x;
    }
    return !(col >= s.window.endCol && row >= s.window.endRow);
}

// Every position tested with the given fit test, as the scan is defined.
void scanOneByOne(ScanState& s, FitTest fitTest)
{
    const Raster& a = *s.rasters.a;
    const Raster& b = *s.rasters.b;
    int x = s.window.startCol, y = s.window.startRow;
    while (true) {
        int next = x + 1;
        bool placed = false, done = false;
        if (fitTest(a, s.sheet, *s.rasters.keysA, x, y)) {
            placed = true;
            done = place(s, a, x, y, s.angle);
        } else if (s.turnedCopies && fitTest(b, s.sheet, *s.rasters.keysB, x, y)) {
            placed = true;
            done = place(s, b, x, y, s.angle + 180);
        }
        if (done) return;
        if (placed) next = x + s.advance;
        if (!moveTo(s, next, x, y)) return;
    }
}

// The same visits, with the positions where neither A nor B can fit skipped many at a time.
void scanByRows(ScanState& s)
{
    FitFinder& findA = s.search.finderA();
    // B's finder is built only where B may be tried.
    FitFinder* findB = s.turnedCopies ? &s.search.finderB() : nullptr;
    int x = s.window.startCol, y = s.window.startRow;
    while (true) {
        // Visited in this row: x (always) up to the row's end, or up to the end column in the
        // window's last rows.
        int rowEnd = s.lastCol;
        if (y >= s.window.endRow) rowEnd = std::min(rowEnd, s.window.endCol);
        rowEnd = std::max(rowEnd, x + 1);
        // Most rows of a filling sheet have no free stretch long enough for either part: they
        // are passed over without searching them.
        if (!findA.rowHasRoom(y) && !(findB && findB->rowHasRoom(y))) {
            if (!moveTo(s, rowEnd, x, y)) return;
            continue;
        }
        int placedAt = -1;
        bool done = false;
        auto nextFrom = [&](int from) {
            const int a = findA.nextCandidate(s.sheet, from, y);
            return findB ? std::min(a, findB->nextCandidate(s.sheet, from, y)) : a;
        };
        for (int from = nextFrom(x); placedAt < 0 && from < rowEnd; from = nextFrom(from + 64)) {
            const std::uint64_t inRow = rowEnd - from < 64 ? bitRange(0, rowEnd - from - 1) : ~0ull;
            const std::uint64_t mayA = findA.mayFit(s.sheet, from, y) & inRow;
            const std::uint64_t mayB = findB ? findB->mayFit(s.sheet, from, y) & inRow : 0;
            // At each position A first, then B.
            for (std::uint64_t either = mayA | mayB; either; either &= either - 1) {
                const int bit = std::countr_zero(either);
                const int at = from + bit;
                if (((mayA >> bit) & 1) && findA.fitsAt(s.sheet, at, y)) {
                    done = place(s, *s.rasters.a, at, y, s.angle);
                } else if (((mayB >> bit) & 1) && findB->fitsAt(s.sheet, at, y)) {
                    done = place(s, *s.rasters.b, at, y, s.angle + 180);
                } else {
                    continue;
                }
                placedAt = at;
                break;
            }
        }
        if (done) return;
        const int next = placedAt >= 0 ? placedAt + s.advance : rowEnd;
        if (!moveTo(s, next, x, y)) return;
    }
}

} // namespace

void freeScan(PairSearch& search, Raster& sheet, std::vector<Placement>& placements, std::int32_t& remaining,
              const ScanWindow& window, int advance, const std::string& orn, int angle, FitTest fitTest)
{
    if (remaining < 1) return;
    if (window.startCol >= window.endCol && window.startRow >= window.endRow) return;
    const OrientedPair& rasters = search.rasters;
    ScanState s{rasters,
                sheet,
                search,
                search.rows,
                placements,
                remaining,
                window,
                advance,
                allowsHalfTurn(orn),
                angle,
                sheet.W() - rasters.a->W(),
                sheet.H() - rasters.a->H()};
    if (fitTest)
        scanOneByOne(s, fitTest);
    else
        scanByRows(s);
}

void freeScan(const OrientedPair& rasters, Raster& sheet, std::vector<Placement>& placements,
              std::int32_t& remaining, const ScanWindow& window, int advance, const std::string& orn, int angle,
              FitTest fitTest)
{
    SheetRows rows(sheet);
    PairSearch search(rasters, rows);
    freeScan(search, sheet, placements, remaining, window, advance, orn, angle, fitTest);
}

} // namespace dravenor
