#include "deep/separator.h"

#include <chrono>
#include <numeric>

namespace dravenor::deep {

namespace {

// A loss this much below the best so far counts as real progress.
constexpr double kGain = 0.98;

class OverlapEvaluator : public PlacementEvaluator {
public:
    OverlapEvaluator(const Arrangement& a, const CollisionTracker& t, int item, std::int64_t& count)
        : a_(a), t_(t), item_(item), count_(count) {}
    double evaluate(const Placement& at, double bound) override
    {
        ++count_;
        return weightedLossAt(a_, t_, item_, at, bound);
    }

private:
    const Arrangement& a_;
    const CollisionTracker& t_;
    int item_;
    std::int64_t& count_;
};

} // namespace

void Separator::moveItem(int item, const SampleCounts& samples)
{
    std::vector<int> bins = within_;
    if (bins.empty()) {
        bins.resize(static_cast<std::size_t>(a_.binCount()));
        std::iota(bins.begin(), bins.end(), 0);
    }
    const Placement before = a_.placement(item);
    OverlapEvaluator evaluator(a_, tracker_, item, work_.evaluations);
    const auto started = std::chrono::steady_clock::now();
    const Candidate c = searchPlacement(a_, item, before.placed() ? &before : nullptr, bins, evaluator, samples, random_);
    const int size = DeepWork::sizeClass(a_.orientation(item, 0).spacing.edges.size());
    ++work_.moves;
    ++work_.movesBySize[static_cast<std::size_t>(size)];
    work_.secondsBySize[static_cast<std::size_t>(size)] +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (!(c.value < kInfinity)) return;
    if (!before.placed() || c.at.bin != before.bin || c.at.orient != before.orient || c.at.x != before.x || c.at.y != before.y)
        ++work_.movesTaken;
    a_.lift(item);
    a_.place(item, c.at);
    tracker_.update(a_, item);
}

void Separator::pass(const SampleCounts& samples)
{
    std::vector<int> colliding;
    for (int item = 0; item < a_.itemCount(); ++item)
        if (a_.placement(item).placed() && tracker_.colliding(item)) colliding.push_back(item);
    for (std::size_t i = colliding.size(); i > 1; --i)
        std::swap(colliding[i - 1], colliding[static_cast<std::size_t>(random_.below(static_cast<int>(i)))]);
    for (int item : colliding) {
        if (budget_.over()) return;
        if (tracker_.colliding(item)) moveItem(item, samples);
    }
}

void Separator::bestPass(const SampleCounts& samples, int tries)
{
    if (tries <= 1) {
        pass(samples);
        return;
    }
    const Solution from = a_.solution();
    const CollisionTracker::Losses fromLosses = tracker_.losses();
    Solution kept;
    CollisionTracker::Losses keptLosses;
    double least = kInfinity;
    bool holdsKept = false;  // the arrangement in hand is the best try: nothing to load back
    for (int t = 0; t < tries && (t == 0 || !budget_.over()); ++t) {
        if (t > 0) {
            a_.load(from);
            tracker_.restore(fromLosses);
        }
        pass(samples);
        if (tracker_.feasible()) return;
        const double loss = tracker_.totalWeightedLoss();
        holdsKept = loss < least;
        if (holdsKept) {
            least = loss;
            // The last try's arrangement stays in hand unless a later try replaces it.
            if (t + 1 < tries) {
                kept = a_.solution();
                keptLosses = tracker_.losses();
            }
        }
    }
    if (holdsKept) return;
    a_.load(kept);
    tracker_.restore(keptLosses);
}

bool Separator::separate(const SeparationSettings& settings)
{
    if (tracker_.feasible()) return true;
    Solution best = a_.solution();
    CollisionTracker::Losses bestLosses = tracker_.losses();
    double least = tracker_.totalLoss();
    int strikes = 0;
    while (strikes < settings.strikes) {
        const double startLoss = tracker_.totalLoss();
        int withoutGain = 0;
        while (withoutGain < settings.passesWithoutGain) {
            if (!budget_.spend()) {
                a_.load(best);
                tracker_.restore(bestLosses);
                return false;
            }
            bestPass(settings.samples, settings.triesPerPass);
            if (tracker_.feasible()) return true;
            const double loss = tracker_.totalLoss();
            if (loss < least) {
                if (loss < least * kGain) withoutGain = 0;
                least = loss;
                best = a_.solution();
                bestLosses = tracker_.losses();
            } else {
                ++withoutGain;
            }
            tracker_.updateWeights();
        }
        strikes = startLoss * kGain <= least ? strikes + 1 : 0;
        a_.load(best);
        tracker_.restore(bestLosses);
    }
    return false;
}

} // namespace dravenor::deep
