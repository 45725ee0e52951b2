#pragma once
// Finding a good place for one item: random placements over the sheets and around where it lies,
// the best few refined by coordinate descent (steps along x, y and the diagonals that grow while
// they pay and shrink when they do not; for parts that turn freely, a step to the next angle).
// What "good" means is the evaluator's: least weighted overlap when removing collisions, the
// lowest free spot when building a first arrangement.
#include <optional>
#include <vector>

#include "deep/arrangement.h"
#include "deep/random.h"

namespace dravenor::deep {

class PlacementEvaluator {
public:
    virtual ~PlacementEvaluator() = default;
    // The value of the placement, lower being better, or infinity when it exceeds the bound or
    // is not allowed.
    virtual double evaluate(const Placement& at, double bound) = 0;
};

struct SampleCounts {
    int container = 50;  // spread over the bins offered, by area
    int focused = 25;    // around the present place
    int refined = 3;     // the best this many go through coordinate descent
};

struct Candidate {
    Placement at;
    double value = kInfinity;
};

// A random placement of the item inside the bin's container, or none when no orientation fits.
std::optional<Placement> randomPlacement(const Arrangement& a, int item, int bin, Random& random);

// The best placement found for the item among the bins (and around `around` when given; it is
// itself a candidate). Value infinity when nothing allowed was found.
Candidate searchPlacement(const Arrangement& a, int item, const Placement* around, const std::vector<int>& bins,
                          PlacementEvaluator& evaluator, const SampleCounts& counts, Random& random);

// Coordinate descent from the candidate, steps from `first` down to `last` (lengths).
Candidate descend(const Arrangement& a, int item, Candidate from, double first, double last,
                  PlacementEvaluator& evaluator, Random& random);

} // namespace dravenor::deep
