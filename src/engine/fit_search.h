#pragma once
// Word-parallel pieces of the fit test, and the search for the positions of a row where a part
// can fit. Two filters rule positions out many at a time before the full test: the part's
// longest run of cells in one row must lie on free sheet cells (found from the free runs of that
// sheet row), and a few probe cells (its first key points) must land on free cells (64 positions
// at a time). Stamping only adds occupied cells, so a filter computed before a stamp still
// passes every position that fits after it.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "engine/fit_test.h"
#include "engine/part_profile.h"
#include "engine/raster.h"

namespace dravenor {

// The part's box lies inside the sheet's cells 0..W x 0..H at (x, y).
inline bool insideSheet(const Raster& part, const Raster& sheet, int x, int y)
{
    return x >= 0 && y >= 0 && x + part.W() <= sheet.W() && y + part.H() <= sheet.H();
}

// No occupied cell of the part meets an occupied cell of the sheet at (x, y); the part must lie
// inside the sheet.
bool rowsClear(const Raster& part, const Raster& sheet, int x, int y);

// The runs of free cells of each sheet row and the longest of them, shared by the scans of one
// part type: read when first asked for and again, when needed, after a copy was stamped over the
// row. A stamp only takes cells away, so a row's longest run before the stamp stays a bound on
// it after: rows too short before are known too short without reading them again.
class SheetRows {
public:
    using Run = std::pair<int, int>; // first cell and the cell after the run

    explicit SheetRows(const Raster& sheet);
    int count() const { return static_cast<int>(longest_.size()); }
    // The row has a free run of at least `length` cells.
    bool hasRun(int row, int length)
    {
        const size_t r = static_cast<size_t>(row);
        if (longest_[r] < length) return false;
        if (stale_[r]) read(row);
        return longest_[r] >= length;
    }
    // The row's free runs, ascending; valid until the next call.
    std::pair<const Run*, const Run*> freeRuns(int row);
    // A copy now covers rows y0..y1.
    void stamped(int y0, int y1);

private:
    void read(int row);

    const Raster& sheet_;
    std::vector<int> longest_;      // the longest free run when last read, or above every length
    std::vector<char> stale_;       // stamped over (or never read) since
    std::vector<size_t> firstRun_;  // where the row's runs start in runs_, and their count
    std::vector<int> runCount_;
    std::vector<Run> runs_;         // rows read again append their runs; the old ones stay unused
};

class FitFinder {
public:
    // With the sheet's rows given, rows whose longest free run is too short for the part's
    // longest run are passed over at once. Without a profile of the part, the finder works out
    // its own.
    FitFinder(const Raster& part, const KeyPoints& keys, SheetRows* rows = nullptr,
              const PartProfile* profile = nullptr);
    FitFinder(const FitFinder&) = delete;
    FitFinder& operator=(const FitFinder&) = delete;

    // Some column of row y may pass the row filter: the sheet row under the part's longest run
    // has a free run as long (always true without the sheet's rows).
    bool rowHasRoom(int y)
    {
        if (!rows_ || profile_.runLength == 0) return true;
        const int under = y + profile_.runRow;
        return under < 0 || under >= rows_->count() || rows_->hasRun(under, profile_.runLength);
    }
    // The first column from x on in row y (up to the last column where the part's box stays on
    // the sheet) that passes the row filter, or a column past the sheet's end.
    int nextCandidate(const Raster& sheet, int x, int y);
    // Bit k is set when the part may fit at (x + k, y): inside the sheet and passing both filters.
    std::uint64_t mayFit(const Raster& sheet, int x, int y);
    // The part fits at (x, y), which is inside the sheet.
    bool fitsAt(const Raster& sheet, int x, int y) const;
    // The first column from x0 to x1 of row y where the part fits, or -1.
    int firstFitInRow(const Raster& sheet, int y, int x0, int x1);

private:
    void filterRow(const Raster& sheet, int y);

    const Raster& part_;
    SheetRows* rows_;
    std::optional<PartProfile> ownProfile_;
    const PartProfile& profile_;
    std::vector<std::pair<int, int>> probes_;
    // Column ranges of the row last filtered where the run fits, ascending; the ones before
    // `cursor_` end before the last column asked for.
    int filteredRow_ = -1;
    std::vector<std::pair<int, int>> ranges_;
    size_t cursor_ = 0;
    int cursorColumn_ = 0;
    // Moves the cursor to the first range that ends at or after column x.
    void seek(int x);
};

} // namespace dravenor
