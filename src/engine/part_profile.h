#pragma once
// What the fit search needs to know of a part raster, worked out once per raster and kept for the
// run (the same rasters come back on every sheet of every trial): its non-empty words in the order
// the full test reads them, its longest run of cells in one row, and the end cells of rows spread
// over its height (probe cells for parts with few key points).
#include <cstdint>
#include <vector>

#include "engine/raster.h"

namespace dravenor {

struct PartProfile {
    explicit PartProfile(const Raster& part);

    // The part's non-empty words (cut to its box), rows spread over the part first: overlaps show
    // after fewer rows.
    struct Word {
        int row, word;
        std::uint64_t cells;
    };
    std::vector<Word> words;
    int runRow = 0, runStart = 0, runLength = 0; // the longest run of cells in a row (the first one)
    // First and last occupied cell of every eighth row or so, bottom up; rows without cells left out.
    struct RowEnds {
        int row, first, last;
    };
    std::vector<RowEnds> rowEnds;
};

} // namespace dravenor
