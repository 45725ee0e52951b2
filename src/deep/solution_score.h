#pragma once
// What makes one arrangement better than another: first the parts placed (priority by priority,
// a part of a lower priority number before any of a higher one), then the fewest sheets, then the
// least sheet area, then the shortest used length of the least used sheet along its longer side.
// Among arrangements equal in all of these, the larger remnant wins: that of the least used sheet
// (its area, then the closer to a rectangle), then those of the other sheets together.
#include <vector>

#include "deep/arrangement.h"

namespace dravenor::deep {

struct Score {
    std::vector<int> placedByClass;  // placed items per part priority, the lowest number first
    double placedArea = 0;
    int sheets = 0;
    double sheetArea = 0;
    double leastShare = 0;           // used share of the least used sheet of the last priority
    double leastRemnant = 0;         // the remnant of that sheet: its area ...
    double leastRemnantShape = 0;    // ... and how close it is to a rectangle
    double otherRemnants = 0;        // the remnants' area of the other sheets

    bool betterThan(const Score& other) const;
    // Better by what the parts use (parts placed, sheets, used length), the remnants aside.
    bool usesLessThan(const Score& other) const;
};

// The score of an arrangement without collisions.
Score scoreOf(const Arrangement& a);

// The bin the search squeezes: among the sheets of the highest priority number in use, the least
// used; -1 without bins.
int leastUsedBin(const Arrangement& a);

// The fewest sheets the job's area allows: the largest free boxes in stock taken until they hold
// the parts' area.
int sheetsByArea(const DeepJob& job, double partArea);

} // namespace dravenor::deep
