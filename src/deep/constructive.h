#pragma once
// The first arrangement: items one by one, in their order, each on the first sheet in use where a
// free spot is found, as low along the sheet's longer side as the search finds; a sheet is taken
// from stock when no sheet in use has room (the lowest priority number first, the largest such
// sheet whose box the part fits). A part of a higher priority number is never placed once one of
// a lower number found no room.
#include <string>
#include <vector>

#include "deep/arrangement.h"
#include "deep/budget.h"
#include "deep/free_spot.h"
#include "deep/random.h"

namespace dravenor::deep {

// Builds on the arrangement given (its placed items stay); `order` lists the items to place.
void construct(Arrangement& a, const std::vector<int>& order, FillWay way, Random& random, const Budget& budget);

// Part types for which no free spot is found on any empty sheet (only sheets with holes or of
// other outlines than rectangles need the search; for the others the box decides).
std::vector<int> homelessParts(const DeepJob& job, Random& random);

// The job's items in placing order; with `shuffle` above 0, neighbours of equal priority change
// places at random so that every thread starts from an arrangement of its own.
std::vector<int> placingOrder(const DeepJob& job, double shuffle, Random& random);

// Places the item on a bin in use, else on a sheet taken from stock; false when neither has room.
bool placeWithoutOverlap(Arrangement& a, int item, FillWay way, Random& random);

} // namespace dravenor::deep
