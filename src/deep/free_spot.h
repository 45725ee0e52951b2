#pragma once
// The lowest free spot for an item on one sheet: the corners where its box would touch the free
// box's start, the far side of another item's box or a corner of the sheet's holes and cut-offs,
// and random places besides, tried from the lowest up; the first that is free is then slid lower
// still by coordinate descent. For boxes this finds the bottom-left place exactly; for other
// outlines it starts the slide close to it.
#include "deep/arrangement.h"
#include "deep/random.h"

namespace dravenor::deep {

// Which way a sheet fills: along its longer side first (each part as far back as it goes), or
// across it first (each row across the sheet filled before the next begins). Either may be the
// one that fits more on a sheet.
enum class FillWay { AlongFirst, AcrossFirst };

// The spot; `found` false when the search found none.
Placement lowestFreeSpot(const Arrangement& a, int item, int bin, FillWay way, Random& random, bool& found);

// Whether the item has room on the bin at all: the lowest free spot, then a fine scan of every
// orientation (slow; for deciding that a part fits no sheet).
bool hasFreeSpot(const Arrangement& a, int item, int bin, Random& random);

} // namespace dravenor::deep
