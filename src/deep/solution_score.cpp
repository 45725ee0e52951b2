#include "deep/solution_score.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "deep/bin_remnant.h"

namespace dravenor::deep {

namespace {

// Shares closer than this count as equal, so that rounding never passes for progress.
constexpr double kShareTolerance = 1e-9;
constexpr double kAreaTolerance = 1e-9;

} // namespace

namespace {

// 1 when a is larger than b beyond rounding, -1 when smaller, else 0.
int compareAreas(double a, double b)
{
    const double tolerance = kAreaTolerance * std::max({std::fabs(a), std::fabs(b), 1.0});
    return a > b + tolerance ? 1 : a < b - tolerance ? -1 : 0;
}

} // namespace

bool Score::betterThan(const Score& o) const
{
    if (usesLessThan(o) || o.usesLessThan(*this)) return usesLessThan(o);
    // The same sheets used as far: the remnants decide, and never more than that.
    if (const int c = compareAreas(leastRemnant, o.leastRemnant)) return c > 0;
    if (std::fabs(leastRemnantShape - o.leastRemnantShape) > kShareTolerance) return leastRemnantShape > o.leastRemnantShape;
    return compareAreas(otherRemnants, o.otherRemnants) > 0;
}

bool Score::usesLessThan(const Score& o) const
{
    if (placedByClass != o.placedByClass) return placedByClass > o.placedByClass;
    const double areaTolerance = kAreaTolerance * std::max(placedArea, o.placedArea);
    if (std::fabs(placedArea - o.placedArea) > areaTolerance) return placedArea > o.placedArea;
    if (sheets != o.sheets) return sheets < o.sheets;
    const double sheetTolerance = kAreaTolerance * std::max(sheetArea, o.sheetArea);
    if (std::fabs(sheetArea - o.sheetArea) > sheetTolerance) return sheetArea < o.sheetArea;
    return leastShare < o.leastShare - kShareTolerance;
}

int leastUsedBin(const Arrangement& a)
{
    int best = -1;
    double bestShare = kInfinity;
    int lastPriority = 0;
    for (int b = 0; b < a.binCount(); ++b) lastPriority = std::max(lastPriority, a.sheetOf(b).priority);
    for (int b = 0; b < a.binCount(); ++b) {
        if (a.sheetOf(b).priority != lastPriority) continue;
        const double share = a.usedShare(b);
        if (share < bestShare) {
            bestShare = share;
            best = b;
        }
    }
    return best;
}

Score scoreOf(const Arrangement& a)
{
    const DeepJob& job = a.job();
    std::map<int, int> byClass;
    for (const PartType& p : job.parts) byClass[p.priority] += 0;
    Score s;
    for (int item = 0; item < a.itemCount(); ++item) {
        if (!a.placement(item).placed()) continue;
        ++byClass[a.partOf(item).priority];
        s.placedArea += a.partOf(item).area;
    }
    for (const auto& [priority, count] : byClass) s.placedByClass.push_back(count);
    s.sheets = a.binCount();
    for (int b = 0; b < a.binCount(); ++b) s.sheetArea += a.sheetOf(b).area;
    const int least = leastUsedBin(a);
    s.leastShare = least >= 0 ? a.usedShare(least) : 0;
    for (int b = 0; b < a.binCount(); ++b) {
        const RemnantMeasure r = binRemnant(a, b);
        if (b != least) {
            s.otherRemnants += r.area;
            continue;
        }
        s.leastRemnant = r.area;
        s.leastRemnantShape = r.rectangularity;
    }
    return s;
}

int sheetsByArea(const DeepJob& job, double partArea)
{
    std::vector<double> areas;
    for (const SheetType& sheet : job.sheets)
        for (int k = 0; k < sheet.stock && static_cast<double>(k) * sheet.free.area() < partArea + sheet.free.area(); ++k)
            areas.push_back(sheet.free.area());
    std::sort(areas.rbegin(), areas.rend());
    double held = 0;
    int count = 0;
    for (double area : areas) {
        if (held >= partArea) break;
        held += area;
        ++count;
    }
    return std::max(count, partArea > 0 ? 1 : 0);
}

} // namespace dravenor::deep
