#pragma once
// Which items of an arrangement collide, how badly, and the weights of the guided local search:
// a pair that keeps colliding weighs more and more, until moving one of them elsewhere is the
// cheaper way out. Pairs are kept sparsely, so that thousands of items cost memory in proportion
// to their collisions, not to their pairs.
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "deep/arrangement.h"

namespace dravenor::deep {

class CollisionTracker {
public:
    // Every item's collisions measured afresh; weights are kept (all 1 at first).
    void reset(const Arrangement& arrangement);
    // The item moved (or was placed or lifted): its collisions measured afresh.
    void update(const Arrangement& arrangement, int item);

    bool feasible() const { return collisions_ == 0; }
    int collisions() const { return collisions_; }
    double totalLoss() const;
    // Every collision's loss times its weight, each pair counted once.
    double totalWeightedLoss() const;
    bool colliding(int item) const;
    double loss(int item) const;
    double weightedLoss(int item) const;
    double pairWeight(int a, int b) const;
    double exteriorWeight(int item) const { return exteriorWeight_[static_cast<std::size_t>(item)]; }

    // Raises the weights of colliding pairs, the worst most; others fade back towards 1.
    void updateWeights();

    // What a restore needs: the losses (weights stay as they are).
    struct Losses {
        std::vector<std::vector<std::pair<int, double>>> pairs;
        std::vector<double> exterior;
        int collisions = 0;
    };
    Losses losses() const { return {pairs_, exterior_, collisions_}; }
    void restore(const Losses& l);

private:
    void drop(int item);
    static std::uint64_t key(int a, int b);

    std::vector<std::vector<std::pair<int, double>>> pairs_;  // per item: (other, loss), both ways
    std::vector<double> exterior_;                             // per item: leaving the free space
    std::vector<double> exteriorWeight_;
    std::unordered_map<std::uint64_t, double> pairWeight_;     // only weights above 1
    int collisions_ = 0;                                       // colliding pairs plus exterior ones
};

// The weighted loss the item would have at the placement, or infinity as soon as it exceeds the
// bound: what the search for a better place minimises.
double weightedLossAt(const Arrangement& arrangement, const CollisionTracker& tracker, int item, const Placement& at,
                      double bound);

} // namespace dravenor::deep
