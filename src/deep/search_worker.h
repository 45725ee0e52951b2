#pragma once
// One search thread: a first arrangement, then, until its budget is spent, attempts that each
// start from the thread's current arrangement and keep their result only when it is free of
// collisions: dropping the least used sheet and spreading its parts over the others, squeezing the
// least used sheet's used length, moving a sheet to a smaller type of the same priority, placing
// parts still left out. When squeezing stalls, two large parts change places to leave the valley,
// or, on every other stall of a small job, a fresh first arrangement is taken even when worse; the
// thread's best is kept apart and the run's last share compresses it.
#include <cstdint>

#include "deep/arrangement.h"
#include "deep/budget.h"
#include "deep/collision_tracker.h"
#include "deep/constructive.h"
#include "deep/exchange.h"
#include "deep/random.h"
#include "deep/separator.h"
#include "deep/solution_score.h"

namespace dravenor::deep {

class SearchWorker {
public:
    SearchWorker(const DeepJob& job, int thread, std::uint64_t seed, Budget& budget, Exchange& exchange);
    void run();
    const DeepWork& work() const { return work_; }

private:
    void start();
    // A fresh first arrangement; kept when it beats the current one, or always with `anyway`
    // (the best found stays apart, and the run's last share goes back to it).
    bool restart(const std::vector<int>& order, FillWay way, bool anyway = false);
    // The best arrangement this thread found becomes current again, where the current one is worse.
    void backToBest();
    // One attempt of the search; false when nothing is left to gain.
    bool round();
    bool eliminate();
    // Squeezes the bin's used length; with `alone` its items stay on it.
    bool compress(int bin, double& step, bool alone);
    // The end of the run: a small squeeze of the least used sheet, patiently separated, its step
    // falling from the first to the last as t goes from 0 to 1.
    bool compressFinal(double t);
    // How far the run is into its last share, from 0 to 1.
    double closingShare() const;
    // Squeezes the next sheet in turn on its own, so that room gathers at its end.
    void tightenNext();
    // Another try at the length the last squeeze of the bin failed at: one of the arrangements it
    // left, the better ones more likely, with two large parts swapped.
    bool retrySqueeze(int bin);
    bool downsize();
    bool insertLeftOut();
    void disrupt();
    // Two large parts of the loaded arrangement change places, with the parts each now covers.
    void swapLargeParts();
    // Placed parts (but `other`) whose deepest point lies inside the item's spacing region.
    std::vector<int> coveredBy(int item, int other) const;
    // Moves the items by what takes `from` to `to`.
    void carry(const std::vector<int>& items, const Placement& from, const Placement& to);
    // Loads the current arrangement for an attempt.
    void loadCurrent();
    // The arrangement, free of collisions, becomes current; it is published when it is the best.
    void accept();
    void meetIfDue();
    void dropEmptyBins();
    // Separates for an attempt of the kind, counting it.
    bool separateFor(DeepWork::Attempt kind, const SeparationSettings& settings);
    void record(int kind, const Score& best);

    const DeepJob& job_;
    int thread_;
    Random random_;
    Budget& budget_;
    Exchange& exchange_;
    Arrangement a_;
    CollisionTracker tracker_;
    DeepWork work_;
    Separator separator_;
    Solution current_;
    Score currentScore_;
    Solution best_;
    Score bestScore_;
    bool hasBest_ = false;
    double step_;
    double tightenStep_;
    int tightenNext_ = 0;
    std::int64_t nextMeet_;
    int leftOutTried_ = 0;
    int roundsToElimination_ = 0, eliminationWait_ = 4;
    bool downsizeDue_ = true;
    int rounds_ = 0, stalls_ = 0;
    int lastKind_ = DeepWork::kStart;  // what made the arrangement in hand
    bool finalPhase_ = false;
    int closingFailures_ = -1;  // compressions failed in a row since the thread stalled out; -1: not yet
    bool wantsLead_ = false;  // stalled: takes the best of the other threads at the next meeting
    Score stalledAt_;
    // Arrangements a squeeze of the least used bin left at its target length, least loss first;
    // they hold while the current arrangement stays.
    struct Failed {
        Solution solution;
        double loss;
    };
    std::vector<Failed> failed_;
    int failedBin_ = -1;
    double failedLimit_ = 0;
    int retries_ = 0;
};

} // namespace dravenor::deep
