#pragma once
// Nesting for common lines on jobs of straight-edged parts: every part in rows exactly the spacing
// apart, the rows the spacing apart (or the same in columns), so that every edge between two parts
// of a row, and much of those between rows, is cut once. Tried before a run's layouts are kept:
// the rows replace them where they place every part on no more sheets.
#include <optional>
#include <vector>

#include "layouts/layout_geometry_check.h"
#include "layouts/layout_rebuild.h"

namespace dravenor {

struct ShelfBox {
    double width = 0, height = 0;
};

struct ShelfPlace {
    int box = 0;      // index into the boxes given
    double x = 0, y = 0; // lower left corner within the room
};

// First fit by decreasing height on one sheet's room: each box, in the order given, goes on top
// of a box of a row no narrower than it where the row's height leaves room, else into the first
// row with room for it, else on a new row above the last; rows, boxes within a row and boxes on
// top of each other `spacing` apart. Boxes left over are for the next sheet. Returns what was
// placed.
std::vector<ShelfPlace> fillShelves(const std::vector<ShelfBox>& boxes, const std::vector<int>& order, ShelfBox room,
                                    double spacing);

// The rows of a job whose parts are all straight-edged (or rectangles with any holes) and whose
// sheets are plain rectangles, in the state's entities and items (sheets and parts remaining set
// as a run sets them); nothing when some part or sheet is not, or the sheets cannot take every
// part. Each part lies by its box; two right triangles of one part lie as a pair across their long
// sides; parts may lie turned a quarter where their rule allows.
std::optional<NestingState> rowsForCommonLines(const NestingState& state, const LeastDistances& room,
                                             const ShapeLoader& load);

// The sheets the state's layouts take.
int sheetsUsed(const NestingState& state);

// Puts the rows in place of the run's layouts in the state when they place every part the run
// placed on no more sheets. Returns whether it did.
bool preferRowsForCommonLines(NestingState& state, const LeastDistances& room);

} // namespace dravenor
