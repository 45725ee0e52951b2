#include "deep/free_spot.h"

#include <algorithm>
#include <cmath>

#include "deep/placement_search.h"

namespace dravenor::deep {

namespace {

// How much the position along the second direction counts beside the one along the first.
constexpr double kSecondWeight = 0.1;
// Corner positions taken from at most this many neighbours each way, and random places besides.
constexpr std::size_t kMostEdges = 40;
constexpr int kRandomPlaces = 60;
// Orientations tried of a part that turns freely, besides the right angles.
constexpr int kFreeTurnsTried = 8;
// Candidates tried, lowest first, before a sheet counts as having no room for the item.
constexpr std::size_t kMostTried = 2000;
// Steps each way of the scan that decides whether an item has any room on an empty sheet.
constexpr int kScanSteps = 64;
// A hair's breadth past another box: touching counts as meeting.
constexpr double kClearShare = 1e-9;

class FreeSpotEvaluator : public PlacementEvaluator {
public:
    FreeSpotEvaluator(const Arrangement& a, int item, FillWay way) : a_(a), item_(item), way_(way) {}
    double value(const Placement& at) const
    {
        const int along = a_.sheetOf(at.bin).axis;
        const int first = way_ == FillWay::AlongFirst ? along : 1 - along;
        const Box box = a_.marginBox(item_, at);
        const Box& free = a_.sheetOf(at.bin).free;
        return box.high(first) - free.low(first) + kSecondWeight * (box.high(1 - first) - free.low(1 - first));
    }
    double evaluate(const Placement& at, double bound) override
    {
        const double v = value(at);
        if (v > bound) return kInfinity;
        return a_.fits(item_, at) ? v : kInfinity;
    }

private:
    const Arrangement& a_;
    int item_;
    FillWay way_;
};

std::vector<int> orientationsToTry(const PartType& part, Random& random)
{
    const int count = static_cast<int>(part.orientations.size());
    std::vector<int> list;
    if (!part.freeTurn || count <= kFreeTurnsTried) {
        for (int k = 0; k < count; ++k) list.push_back(k);
        return list;
    }
    for (int k = 0; k < count; ++k)
        if (std::fmod(part.orientations[static_cast<std::size_t>(k)].angle, 90) == 0) list.push_back(k);
    for (int k = 0; k < kFreeTurnsTried; ++k) list.push_back(random.below(count));
    return list;
}

// Ends of the boxes of other items (spacing) and of the sheet's hazards (margin) along one direction.
struct Ends {
    std::vector<double> items, hazards;
};

// Positions along one direction where the item's spacing box starts just past another's end, its
// margin box just past a hazard's end (a cut corner, a hole), or at the container's start.
std::vector<double> starts(const Ends& ends, double containerStart, double marginLow, double spacingLow,
                           double lowest, double highest, double clear)
{
    std::vector<double> out{containerStart - marginLow};
    for (double end : ends.items) out.push_back(end + clear - spacingLow);
    for (double end : ends.hazards) out.push_back(end + clear - marginLow);
    std::erase_if(out, [&](double v) { return v < lowest || v > highest; });
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

void thin(std::vector<double>& ends, Random& random)
{
    while (ends.size() > kMostEdges) {
        std::swap(ends[static_cast<std::size_t>(random.below(static_cast<int>(ends.size())))], ends.back());
        ends.pop_back();
    }
}

// The first candidate, lowest first, that is free, slid lower still.
Placement firstThatFits(const Arrangement& a, int item, const std::vector<Candidate>& candidates,
                        PlacementEvaluator& evaluator, Random& random, bool& found)
{
    found = false;
    for (const Candidate& candidate : candidates) {
        if (!a.fits(item, candidate.at)) continue;
        const double side = a.partOf(item).minSide;
        const Candidate slid = descend(a, item, candidate, side * 0.05, side * 0.001, evaluator, random);
        found = true;
        return slid.at;
    }
    return {};
}

} // namespace

Placement lowestFreeSpot(const Arrangement& a, int item, int bin, FillWay way, Random& random, bool& found)
{
    FreeSpotEvaluator evaluator(a, item, way);
    const Box c = a.container(bin);
    const double clear = kClearShare * std::max(c.width(), c.height());
    Ends xEnds, yEnds;
    for (int other : a.itemsIn(bin)) {
        const Box b = a.spacingBox(other, a.placement(other));
        xEnds.items.push_back(b.x1);
        yEnds.items.push_back(b.y1);
    }
    // The hazards' corners: what lies outside a sheet's outline has the whole box as its box.
    for (const Region& hazard : a.sheetOf(bin).hazards)
        for (const Edge& e : hazard.edges) {
            xEnds.hazards.push_back(e.a.x);
            yEnds.hazards.push_back(e.a.y);
        }
    for (std::vector<double>* list : {&xEnds.items, &yEnds.items, &xEnds.hazards, &yEnds.hazards}) thin(*list, random);

    std::vector<Candidate> candidates;
    for (int orient : orientationsToTry(a.partOf(item), random)) {
        const Orientation& o = a.orientation(item, orient);
        const double x0 = c.x0 - o.margin.box.x0, x1 = c.x1 - o.margin.box.x1;
        const double y0 = c.y0 - o.margin.box.y0, y1 = c.y1 - o.margin.box.y1;
        if (x0 > x1 || y0 > y1) continue;
        for (double x : starts(xEnds, c.x0, o.margin.box.x0, o.spacing.box.x0, x0, x1, clear))
            for (double y : starts(yEnds, c.y0, o.margin.box.y0, o.spacing.box.y0, y0, y1, clear)) {
                const Placement p{bin, orient, x, y};
                candidates.push_back({p, evaluator.value(p)});
            }
    }
    // The lowest corners are tried, then the rest only thinly: on a crowded sheet nearly every low
    // corner is taken, and testing them all made a first arrangement of thousands of parts take
    // minutes; but on a long strip the room lies beyond every low corner, so the higher ones and
    // random places are not left out.
    const auto lower = [](const Candidate& x, const Candidate& y) { return x.value < y.value; };
    std::stable_sort(candidates.begin(), candidates.end(), lower);
    if (candidates.size() > kMostTried) {
        const std::size_t stride = (candidates.size() - 1) / kMostTried;
        std::size_t kept = kMostTried;
        for (std::size_t k = kMostTried; k < candidates.size(); k += stride) candidates[kept++] = candidates[k];
        candidates.resize(kept);
    }
    // The random places join the sorted corners by a merge: the corners need no second sort.
    const std::ptrdiff_t corners = static_cast<std::ptrdiff_t>(candidates.size());
    for (int k = 0; k < kRandomPlaces; ++k)
        if (const std::optional<Placement> p = randomPlacement(a, item, bin, random)) candidates.push_back({*p, evaluator.value(*p)});
    std::stable_sort(candidates.begin() + corners, candidates.end(), lower);
    std::inplace_merge(candidates.begin(), candidates.begin() + corners, candidates.end(), lower);

    return firstThatFits(a, item, candidates, evaluator, random, found);
}

bool hasFreeSpot(const Arrangement& a, int item, int bin, Random& random)
{
    bool found = false;
    lowestFreeSpot(a, item, bin, FillWay::AlongFirst, random, found);
    if (found) return true;
    // A scan of every orientation over a fine grid of the places its box allows.
    const Box c = a.container(bin);
    for (std::size_t orient = 0; orient < a.partOf(item).orientations.size(); ++orient) {
        const Box box = a.orientation(item, static_cast<int>(orient)).margin.box;
        const double x0 = c.x0 - box.x0, x1 = c.x1 - box.x1, y0 = c.y0 - box.y0, y1 = c.y1 - box.y1;
        if (x0 > x1 || y0 > y1) continue;
        for (int i = 0; i <= kScanSteps; ++i)
            for (int j = 0; j <= kScanSteps; ++j) {
                const Placement p{bin, static_cast<int>(orient), x0 + (x1 - x0) * i / kScanSteps, y0 + (y1 - y0) * j / kScanSteps};
                if (a.fits(item, p)) return true;
            }
    }
    return false;
}

} // namespace dravenor::deep
