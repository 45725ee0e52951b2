#pragma once
// Removing collisions by guided local search: every colliding item in turn moves to the place of
// least weighted overlap over all sheets, the weights of pairs that stay in collision grow, and
// after a stretch of passes without gain the arrangement falls back to the least overlap seen.
#include <vector>

#include "deep/arrangement.h"
#include "deep/budget.h"
#include "deep/collision_tracker.h"
#include "deep/placement_search.h"
#include "deep/work_counts.h"

namespace dravenor::deep {

struct SeparationSettings {
    int passesWithoutGain = 60;
    int strikes = 3;
    SampleCounts samples;
    // Each pass is made this many times from the same arrangement, every time in its own order,
    // and the one that leaves the least weighted loss is kept.
    int triesPerPass = 1;
};

class Separator {
public:
    Separator(Arrangement& arrangement, CollisionTracker& tracker, Random& random, Budget& budget, DeepWork& work)
        : a_(arrangement), tracker_(tracker), random_(random), budget_(budget), work_(work) {}

    // True when no collision is left (the arrangement is then free of them); false when the
    // strikes or the budget ran out, the arrangement left at the least loss found.
    bool separate(const SeparationSettings& settings);

    // Moves the item to the place of least weighted loss over the bins it may use (`around` its
    // present place when it has one).
    void moveItem(int item, const SampleCounts& samples);
    // Items may move only within these bins from now on; empty: any bin.
    void keepWithin(std::vector<int> bins) { within_ = std::move(bins); }

private:
    void pass(const SampleCounts& samples);
    void bestPass(const SampleCounts& samples, int tries);

    Arrangement& a_;
    CollisionTracker& tracker_;
    Random& random_;
    Budget& budget_;
    DeepWork& work_;
    std::vector<int> within_;
};

} // namespace dravenor::deep
