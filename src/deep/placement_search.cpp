#include "deep/placement_search.h"

#include <cmath>

namespace dravenor::deep {

namespace {

constexpr double kGrowStep = 1.1;
constexpr double kShrinkStep = 0.5;
// Steps of the two refinements as shares of the item's smaller side.
constexpr double kFirstFrom = 0.25, kFirstTo = 0.02, kFinalFrom = 0.01, kFinalTo = 0.001;
// Candidates closer than this share of the smaller side are one candidate.
constexpr double kSameShare = 0.05;
constexpr int kMostDescentSteps = 400;
// Focused samples that try another orientation.
constexpr double kFocusedTurn = 0.3;

enum class Axis { X, Y, Diagonal, AntiDiagonal, Turn };

Axis randomAxis(Random& random, bool turns)
{
    return static_cast<Axis>(random.below(turns ? 5 : 4));
}

// The best few distinct candidates.
class BestFew {
public:
    BestFew(std::size_t size, double same) : size_(size), same_(same) {}
    double bound() const { return list_.size() < size_ ? kInfinity : list_.back().value; }
    const std::vector<Candidate>& list() const { return list_; }
    void offer(const Candidate& c)
    {
        if (!(c.value < kInfinity)) return;
        for (Candidate& known : list_)
            if (known.at.bin == c.at.bin && known.at.orient == c.at.orient &&
                std::fabs(known.at.x - c.at.x) < same_ && std::fabs(known.at.y - c.at.y) < same_) {
                if (c.value < known.value) known = c;
                sort();
                return;
            }
        if (list_.size() == size_ && !(c.value < list_.back().value)) return;
        list_.push_back(c);
        sort();
        if (list_.size() > size_) list_.pop_back();
    }

private:
    void sort()
    {
        std::stable_sort(list_.begin(), list_.end(), [](const Candidate& a, const Candidate& b) { return a.value < b.value; });
    }
    std::size_t size_;
    double same_;
    std::vector<Candidate> list_;
};

// Keeps an orientation's margin box inside the container where it fits.
void clampInto(const Arrangement& a, int item, Placement& p)
{
    const Box box = a.orientation(item, p.orient).margin.box;
    const Box c = a.container(p.bin);
    if (c.x0 - box.x0 <= c.x1 - box.x1) p.x = std::clamp(p.x, c.x0 - box.x0, c.x1 - box.x1);
    if (c.y0 - box.y0 <= c.y1 - box.y1) p.y = std::clamp(p.y, c.y0 - box.y0, c.y1 - box.y1);
}

int pickBin(const std::vector<int>& bins, const std::vector<double>& cumulative, Random& random)
{
    const double r = random.unit() * cumulative.back();
    const auto it = std::upper_bound(cumulative.begin(), cumulative.end(), r);
    return bins[std::min(static_cast<std::size_t>(it - cumulative.begin()), bins.size() - 1)];
}

} // namespace

std::optional<Placement> randomPlacement(const Arrangement& a, int item, int bin, Random& random)
{
    const int count = static_cast<int>(a.partOf(item).orientations.size());
    const Box c = a.container(bin);
    const int first = random.below(count);
    for (int k = 0; k < count; ++k) {
        const int orient = (first + k) % count;
        const Box box = a.orientation(item, orient).margin.box;
        const double x0 = c.x0 - box.x0, x1 = c.x1 - box.x1, y0 = c.y0 - box.y0, y1 = c.y1 - box.y1;
        if (x0 > x1 || y0 > y1) continue;
        return Placement{bin, orient, random.between(x0, x1), random.between(y0, y1)};
    }
    return std::nullopt;
}

Candidate descend(const Arrangement& a, int item, Candidate from, double first, double last,
                  PlacementEvaluator& evaluator, Random& random)
{
    const PartType& part = a.partOf(item);
    const bool turns = part.freeTurn && part.orientations.size() > 1;
    double sx = first, sy = first;
    Axis axis = randomAxis(random, turns);
    Candidate here = from;
    for (int step = 0; step < kMostDescentSteps && (sx >= last || sy >= last); ++step) {
        Placement p1 = here.at, p2 = here.at;
        switch (axis) {
        case Axis::X: p1.x += sx; p2.x -= sx; break;
        case Axis::Y: p1.y += sy; p2.y -= sy; break;
        case Axis::Diagonal: p1.x += sx; p1.y += sy; p2.x -= sx; p2.y -= sy; break;
        case Axis::AntiDiagonal: p1.x -= sx; p1.y += sy; p2.x += sx; p2.y -= sy; break;
        case Axis::Turn:
            p1.orient = turnedBy(part, here.at.orient, 1);
            p2.orient = turnedBy(part, here.at.orient, -1);
            break;
        }
        const double v1 = evaluator.evaluate(p1, here.value);
        const double v2 = evaluator.evaluate(p2, std::min(here.value, v1));
        const Candidate best = v2 < v1 ? Candidate{p2, v2} : Candidate{p1, v1};
        const bool better = best.value < here.value;
        if (best.value <= here.value) here = best;
        const double m = better ? kGrowStep : kShrinkStep;
        switch (axis) {
        case Axis::X: sx *= m; break;
        case Axis::Y: sy *= m; break;
        case Axis::Diagonal:
        case Axis::AntiDiagonal:
            sx *= std::sqrt(m);
            sy *= std::sqrt(m);
            break;
        case Axis::Turn: break;
        }
        if (!better) axis = randomAxis(random, turns);
    }
    return here;
}

Candidate searchPlacement(const Arrangement& a, int item, const Placement* around, const std::vector<int>& bins,
                          PlacementEvaluator& evaluator, const SampleCounts& counts, Random& random)
{
    const PartType& part = a.partOf(item);
    BestFew best(static_cast<std::size_t>(std::max(counts.refined, 1)), part.minSide * kSameShare);
    if (around) best.offer({*around, evaluator.evaluate(*around, kInfinity)});

    if (around && counts.focused > 0) {
        const Box box = a.spacingBox(item, *around);
        const int orientations = static_cast<int>(part.orientations.size());
        for (int k = 0; k < counts.focused; ++k) {
            Placement p = *around;
            if (orientations > 1 && random.chance(kFocusedTurn)) p.orient = random.below(orientations);
            p.x += random.between(-box.width() / 2, box.width() / 2);
            p.y += random.between(-box.height() / 2, box.height() / 2);
            clampInto(a, item, p);
            best.offer({p, evaluator.evaluate(p, best.bound())});
        }
    }
    if (!bins.empty() && counts.container > 0) {
        std::vector<double> cumulative;
        double sum = 0;
        for (int b : bins) cumulative.push_back(sum += std::max(a.container(b).area(), 1e-12));
        for (int k = 0; k < counts.container; ++k) {
            const std::optional<Placement> p = randomPlacement(a, item, pickBin(bins, cumulative, random), random);
            if (p) best.offer({*p, evaluator.evaluate(*p, best.bound())});
        }
    }

    const double side = part.minSide;
    Candidate winner;
    for (const Candidate& c : std::vector<Candidate>(best.list())) {
        const Candidate d = descend(a, item, c, side * kFirstFrom, side * kFirstTo, evaluator, random);
        if (d.value < winner.value) winner = d;
    }
    if (winner.value < kInfinity) winner = descend(a, item, winner, side * kFinalFrom, side * kFinalTo, evaluator, random);
    return winner;
}

} // namespace dravenor::deep
