#include "deep/collision_tracker.h"

#include <algorithm>

#include "deep/collision_exact.h"
#include "deep/overlap_measure.h"

namespace dravenor::deep {

namespace {

constexpr double kWeightFade = 0.95;
constexpr double kLeastRaise = 1.2;
constexpr double kMostRaise = 2.0;

Point at(const Placement& p) { return {p.x, p.y}; }

// The item's loss from leaving its container and meeting the sheet's hazards.
double exteriorOf(const Arrangement& a, int item, const Placement& where)
{
    const Region& margin = a.orientation(item, where.orient).margin;
    const Box box = margin.box.moved(where.x, where.y);
    double loss = exteriorLoss(box, a.container(where.bin), margin.hullArea);
    for (const Region& hazard : a.sheetOf(where.bin).hazards)
        if (box.meets(hazard.box) && regionsCollide(margin, at(where), hazard, {0, 0}))
            loss += overlapLoss(margin, at(where), hazard, {0, 0});
    return loss;
}

double pairLoss(const Arrangement& a, int item, const Placement& where, int other)
{
    const Placement& o = a.placement(other);
    return overlapLoss(a.orientation(item, where.orient).spacing, at(where), a.orientation(other, o.orient).spacing, at(o));
}

} // namespace

std::uint64_t CollisionTracker::key(int a, int b)
{
    const auto lo = static_cast<std::uint64_t>(std::min(a, b)), hi = static_cast<std::uint64_t>(std::max(a, b));
    return (hi << 32) | lo;
}

void CollisionTracker::reset(const Arrangement& arrangement)
{
    const std::size_t n = static_cast<std::size_t>(arrangement.itemCount());
    pairs_.assign(n, {});
    exterior_.assign(n, 0);
    exteriorWeight_.resize(n, 1);
    collisions_ = 0;
    for (int item = 0; item < arrangement.itemCount(); ++item) {
        const Placement& p = arrangement.placement(item);
        if (!p.placed()) continue;
        exterior_[static_cast<std::size_t>(item)] = exteriorOf(arrangement, item, p);
        if (exterior_[static_cast<std::size_t>(item)] > 0) ++collisions_;
        arrangement.forEachNear(p.bin, arrangement.spacingBox(item, p), item, [&](int other) {
            if (other > item && arrangement.itemsCollide(item, p, other)) {
                const double l = pairLoss(arrangement, item, p, other);
                pairs_[static_cast<std::size_t>(item)].push_back({other, l});
                pairs_[static_cast<std::size_t>(other)].push_back({item, l});
                ++collisions_;
            }
            return true;
        });
    }
}

void CollisionTracker::drop(int item)
{
    for (const auto& [other, l] : pairs_[static_cast<std::size_t>(item)]) {
        auto& list = pairs_[static_cast<std::size_t>(other)];
        list.erase(std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.first == item; }));
        --collisions_;
    }
    pairs_[static_cast<std::size_t>(item)].clear();
    if (exterior_[static_cast<std::size_t>(item)] > 0) --collisions_;
    exterior_[static_cast<std::size_t>(item)] = 0;
}

void CollisionTracker::update(const Arrangement& arrangement, int item)
{
    drop(item);
    const Placement& p = arrangement.placement(item);
    if (!p.placed()) return;
    const double ext = exteriorOf(arrangement, item, p);
    exterior_[static_cast<std::size_t>(item)] = ext;
    if (ext > 0) ++collisions_;
    arrangement.forEachNear(p.bin, arrangement.spacingBox(item, p), item, [&](int other) {
        if (arrangement.itemsCollide(item, p, other)) {
            const double l = pairLoss(arrangement, item, p, other);
            pairs_[static_cast<std::size_t>(item)].push_back({other, l});
            pairs_[static_cast<std::size_t>(other)].push_back({item, l});
            ++collisions_;
        }
        return true;
    });
}

double CollisionTracker::totalLoss() const
{
    double total = 0;
    for (std::size_t i = 0; i < pairs_.size(); ++i) {
        total += exterior_[i];
        for (const auto& [other, l] : pairs_[i])
            if (static_cast<std::size_t>(other) > i) total += l;
    }
    return total;
}

double CollisionTracker::totalWeightedLoss() const
{
    double total = 0;
    for (std::size_t i = 0; i < pairs_.size(); ++i) {
        const int item = static_cast<int>(i);
        total += exterior_[i] * exteriorWeight(item);
        for (const auto& [other, l] : pairs_[i])
            if (other > item) total += l * pairWeight(item, other);
    }
    return total;
}

bool CollisionTracker::colliding(int item) const
{
    return exterior_[static_cast<std::size_t>(item)] > 0 || !pairs_[static_cast<std::size_t>(item)].empty();
}

double CollisionTracker::loss(int item) const
{
    double l = exterior_[static_cast<std::size_t>(item)];
    for (const auto& e : pairs_[static_cast<std::size_t>(item)]) l += e.second;
    return l;
}

double CollisionTracker::weightedLoss(int item) const
{
    double l = exterior_[static_cast<std::size_t>(item)] * exteriorWeight(item);
    for (const auto& [other, pl] : pairs_[static_cast<std::size_t>(item)]) l += pl * pairWeight(item, other);
    return l;
}

double CollisionTracker::pairWeight(int a, int b) const
{
    const auto it = pairWeight_.find(key(a, b));
    return it == pairWeight_.end() ? 1 : it->second;
}

void CollisionTracker::updateWeights()
{
    double worst = 0;
    for (std::size_t i = 0; i < pairs_.size(); ++i) {
        worst = std::max(worst, exterior_[i]);
        for (const auto& e : pairs_[i]) worst = std::max(worst, e.second);
    }
    auto raise = [&](double l) { return kLeastRaise + (kMostRaise - kLeastRaise) * (worst > 0 ? l / worst : 1); };
    std::vector<std::pair<std::uint64_t, double>> raised;
    for (std::size_t i = 0; i < pairs_.size(); ++i) {
        const int item = static_cast<int>(i);
        for (const auto& [other, l] : pairs_[i])
            if (other > item) raised.push_back({key(item, other), pairWeight(item, other) * raise(l)});
        double& w = exteriorWeight_[i];
        w = std::max(1.0, w * (exterior_[i] > 0 ? raise(exterior_[i]) : kWeightFade));
    }
    for (auto it = pairWeight_.begin(); it != pairWeight_.end();) {
        it->second *= kWeightFade;
        it = it->second <= 1 ? pairWeight_.erase(it) : std::next(it);
    }
    for (const auto& [k, w] : raised) pairWeight_[k] = w;
}

void CollisionTracker::restore(const Losses& l)
{
    pairs_ = l.pairs;
    exterior_ = l.exterior;
    collisions_ = l.collisions;
    exteriorWeight_.resize(exterior_.size(), 1);
}

double weightedLossAt(const Arrangement& a, const CollisionTracker& tracker, int item, const Placement& where,
                      double bound)
{
    const Region& margin = a.orientation(item, where.orient).margin;
    const Box mbox = margin.box.moved(where.x, where.y);
    const double wExt = tracker.exteriorWeight(item);
    double loss = wExt * exteriorLoss(mbox, a.container(where.bin), margin.hullArea);
    // Each loss is measured only as far as the bound leaves room for.
    auto add = [&](double weight, const Region& r, const Region& other, Point otherAt) {
        loss += weight * overlapLoss(r, at(where), other, otherAt, (bound - loss) / weight);
        return loss <= bound;
    };
    for (const Region& hazard : a.sheetOf(where.bin).hazards) {
        if (loss > bound) return kInfinity;
        if (mbox.meets(hazard.box) && regionsCollide(margin, at(where), hazard, {0, 0})) add(wExt, margin, hazard, {0, 0});
    }
    if (loss > bound) return kInfinity;
    // Collisions the poles prove cost little to find; most places are out of the running once
    // those are counted, before any neighbour's edges need testing.
    const Region& spacing = a.orientation(item, where.orient).spacing;
    thread_local std::vector<int> unsettled;
    unsettled.clear();
    a.forEachNear(where.bin, spacing.box.moved(where.x, where.y), item, [&](int other) {
        const Placement& o = a.placement(other);
        const Region& os = a.orientation(other, o.orient).spacing;
        if (!polesOverlap(spacing, at(where), os, at(o))) {
            unsettled.push_back(other);
            return true;
        }
        return add(tracker.pairWeight(item, other), spacing, os, at(o));
    });
    for (const int other : unsettled) {
        if (loss > bound) return kInfinity;
        const Placement& o = a.placement(other);
        const Region& os = a.orientation(other, o.orient).spacing;
        if (outlinesCollide(spacing, at(where), os, at(o))) add(tracker.pairWeight(item, other), spacing, os, at(o));
    }
    return loss > bound ? kInfinity : loss;
}

} // namespace dravenor::deep
