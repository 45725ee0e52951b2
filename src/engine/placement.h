#pragma once
// Placing copies of one part type on one sheet raster: the fit test and stamping, key points,
// the first-fit free scan, the lattice ("stack") fill and the per-part sequence of phases.
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/fit_search.h"
#include "engine/fit_test.h"
#include "engine/nesting_run.h"
#include "engine/outline.h"
#include "engine/raster.h"
#include "engine/stack_params.h"

namespace dravenor {

struct Placement {
    std::int32_t x = 0, y = 0; // raster column and row of the part raster's cell (0, 0)
    double angle = 0;          // degrees, added to the part's base angle
    bool operator==(const Placement&) const = default;
};

// Where the next part type's stack starts on the current sheet.
struct Frontier {
    std::int32_t StackCol = 0, StackRow = 0;
};

// True when the part fits at (x, y): inside the sheet raster and no occupied cell of the part
// on an occupied cell of the sheet. Positions left of or below the sheet never fit. Tests the
// box, then the first key points, then whole rows of 64 cells at a time.
bool fits(const Raster& part, const Raster& sheet, const KeyPoints& keys, int x, int y);
// The run's fit test: fits() unless the run was given another.
bool fitsFor(const NestingRun& run, const Raster& part, const Raster& sheet, const KeyPoints& keys, int x, int y);
// Marks every occupied cell of the part, shifted by (x, y), in the sheet.
void stamp(const Raster& part, Raster& sheet, int x, int y);
// Random occupied cells of the part (W * 0.08 * H of them, at most 32000; none when the part is
// too sparse), of which only the first `kept` are returned: the draws are the same either way.
KeyPoints makeKeyPoints(const Raster& part, UniformRandom& random, size_t kept = SIZE_MAX);
// The key points the run's fit test reads: all for another fit test, the first few for the engine's.
KeyPoints makeKeyPointsFor(const NestingRun& run, const Raster& part, UniformRandom& random);

// Rasters of one part in one orientation and the opposite one (turned by 180 degrees).
struct OrientedPair {
    const Raster* a = nullptr;
    const Raster* b = nullptr;
    const KeyPoints* keysA = nullptr;
    const KeyPoints* keysB = nullptr;
    // Kept profiles of A and B, where there are any (the search works them out otherwise).
    const PartProfile* profileA = nullptr;
    const PartProfile* profileB = nullptr;
};

struct ScanWindow {
    int startCol = 0, startRow = 0, endCol = 0, endRow = 0;
};

// Row by row, left to right, first fit of A (else of B, unless orn is "No": B is A turned half round) from the window's
// start until its end, stamping each copy at once. With another fit test given, every position
// is tested with it one by one (the engine's own path skips positions ruled out 64 at a time).
void freeScan(const OrientedPair& rasters, Raster& sheet, std::vector<Placement>& placements,
              std::int32_t& remaining, const ScanWindow& window, int advance, const std::string& orn,
              int angle, FitTest fitTest = nullptr);
// From the frontier, the first position where A fits, then copies on the lattice of the stack
// parameters until the sheet ends or the demand is met; moves the frontier.
void stackFill(Frontier& frontier, const OrientedPair& rasters, Raster& sheet, std::int32_t& remaining,
               std::vector<Placement>& placements, const StackParams& params, NestingMode mode,
               FitTest fitTest = nullptr);

// The part's rasters in the four quarter turns past the base angle are all cached, so that
// nestPartOnSheet does not read the outline.
bool quarterTurnRastersCached(const PartEntry& part, double baseAngle, const NestingRun& run);

// All phases for one part type on the current sheet. The outline is already turned by the
// base angle; the part's Remaining goes down by one per placement.
std::vector<Placement> nestPartOnSheet(const Outline& turnedOutline, Raster& sheet, Frontier& frontier,
                                       PartEntry& part, const StackParams& params, NestingRun& run);
// The same with the sheet's rows kept over the part types of one sheet (the sheet changes only
// by stamps made here).
std::vector<Placement> nestPartOnSheet(const Outline& turnedOutline, Raster& sheet, SheetRows& rows,
                                       Frontier& frontier, PartEntry& part, const StackParams& params,
                                       NestingRun& run);

} // namespace dravenor
