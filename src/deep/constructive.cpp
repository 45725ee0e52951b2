#include "deep/constructive.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <utility>

namespace dravenor::deep {

namespace {

// Area the bin's items take of its free box, to skip bins that cannot take the item.
double takenArea(const Arrangement& a, int bin)
{
    double area = 0;
    for (int item : a.itemsIn(bin)) area += a.orientation(item, 0).spacing.area;
    return area;
}

int binsOfSheet(const Arrangement& a, int sheet)
{
    int count = 0;
    for (int b = 0; b < a.binCount(); ++b) count += a.bin(b).sheet == sheet ? 1 : 0;
    return count;
}

// Sheet types still in stock that the part's box fits, in the order they are taken: the lowest
// priority number first, the largest first.
std::vector<int> sheetsToOpen(const Arrangement& a, int item)
{
    const DeepJob& job = a.job();
    std::vector<int> sheets;
    for (std::size_t s = 0; s < job.sheets.size(); ++s)
        if (a.partOf(item).fits[s] && binsOfSheet(a, static_cast<int>(s)) < job.sheets[s].stock)
            sheets.push_back(static_cast<int>(s));
    std::stable_sort(sheets.begin(), sheets.end(), [&](int x, int y) {
        const SheetType &sx = job.sheets[static_cast<std::size_t>(x)], &sy = job.sheets[static_cast<std::size_t>(y)];
        if (sx.priority != sy.priority) return sx.priority < sy.priority;
        return sx.free.area() > sy.free.area();
    });
    return sheets;
}

// Bins a part type found no room in while a first arrangement is built: bins only fill up then, so
// the type finds none there later either, and the many instances of one type do not search the
// full bins again one by one.
using NoRoom = std::set<std::pair<int, int>>;  // part type, bin

bool placeOnBinsInUse(Arrangement& a, int item, FillWay way, Random& random, NoRoom* noRoom)
{
    const PartType& part = a.partOf(item);
    const int type = a.typeOf(item);
    const double need = part.orientations[0].spacing.area;
    for (int b = 0; b < a.binCount(); ++b) {
        if (!part.fits[static_cast<std::size_t>(a.bin(b).sheet)]) continue;
        if (noRoom && noRoom->count({type, b})) continue;
        if (takenArea(a, b) + need > a.container(b).area()) continue;
        bool found = false;
        const Placement at = lowestFreeSpot(a, item, b, way, random, found);
        if (found) {
            a.place(item, at);
            return true;
        }
        if (noRoom) noRoom->insert({type, b});
    }
    return false;
}

bool placeOnNewBin(Arrangement& a, int item, FillWay way, Random& random)
{
    for (int sheet : sheetsToOpen(a, item)) {
        const int b = a.addBin(sheet);
        bool found = false;
        const Placement at = lowestFreeSpot(a, item, b, way, random, found);
        if (found) {
            a.place(item, at);
            return true;
        }
        a.removeBin(b);
    }
    return false;
}

} // namespace

std::vector<int> placingOrder(const DeepJob& job, double shuffle, Random& random)
{
    std::vector<int> order(job.items.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    if (shuffle <= 0) return order;
    for (std::size_t i = 1; i < order.size(); ++i) {
        const PartType& p = job.parts[static_cast<std::size_t>(job.items[static_cast<std::size_t>(order[i])])];
        const PartType& q = job.parts[static_cast<std::size_t>(job.items[static_cast<std::size_t>(order[i - 1])])];
        if (p.priority == q.priority && random.chance(shuffle)) std::swap(order[i], order[i - 1]);
    }
    return order;
}

bool placeWithoutOverlap(Arrangement& a, int item, FillWay way, Random& random)
{
    return placeOnBinsInUse(a, item, way, random, nullptr) || placeOnNewBin(a, item, way, random);
}

void construct(Arrangement& a, const std::vector<int>& order, FillWay way, Random& random, const Budget& budget)
{
    int blockedAbove = std::numeric_limits<int>::max();
    NoRoom noRoom;
    for (int item : order) {
        if (budget.over()) break;
        const PartType& part = a.partOf(item);
        if (a.placement(item).placed() || part.priority > blockedAbove) continue;
        if (!placeOnBinsInUse(a, item, way, random, &noRoom) && !placeOnNewBin(a, item, way, random))
            blockedAbove = std::min(blockedAbove, part.priority);
    }
}

std::vector<int> homelessParts(const DeepJob& job, Random& random)
{
    std::vector<int> homeless;
    std::vector<int> firstItem(job.parts.size(), -1);
    for (std::size_t i = job.items.size(); i-- > 0;) firstItem[static_cast<std::size_t>(job.items[i])] = static_cast<int>(i);
    Arrangement a(job);
    for (std::size_t t = 0; t < job.parts.size(); ++t) {
        const int item = firstItem[t];
        if (item < 0) continue;
        bool room = false;
        for (std::size_t s = 0; s < job.sheets.size() && !room; ++s) {
            if (!job.parts[t].fits[s]) continue;
            // A rectangle free of holes holds whatever its box holds.
            if (job.sheets[s].hazards.empty()) {
                room = true;
                break;
            }
            const int b = a.addBin(static_cast<int>(s));
            room = hasFreeSpot(a, item, b, random);
            a.removeBin(b);
        }
        if (!room) homeless.push_back(static_cast<int>(t));
    }
    return homeless;
}

} // namespace dravenor::deep
