#include "deep/arrangement.h"

#include <cmath>

#include "deep/collision_exact.h"

namespace dravenor::deep {

namespace {

// Cells about as wide as a typical item box.
double typicalSide(const DeepJob& job)
{
    double sum = 0;
    for (int type : job.items) sum += job.parts[static_cast<std::size_t>(type)].orientations[0].spacing.box.area();
    return job.items.empty() ? 1 : std::max(std::sqrt(sum / static_cast<double>(job.items.size())), 1e-9);
}

Point at(const Placement& p) { return {p.x, p.y}; }

} // namespace

Arrangement::Arrangement(const DeepJob& job) : job_(&job), cellSide_(typicalSide(job))
{
    solution_.items.assign(job.items.size(), {});
    slot_.assign(job.items.size(), -1);
    seen_.assign(job.items.size(), 0u);
}

void Arrangement::load(const Solution& solution)
{
    solution_ = solution;
    // Grids of the same sheet type are emptied and kept: loading is frequent, building cells is not cheap.
    const std::size_t bins = solution_.bins.size();
    for (std::size_t b = 0; b < bins; ++b) {
        const int sheet = solution_.bins[b].sheet;
        if (b < grids_.size() && gridSheet_[b] == sheet) {
            grids_[b].clear();
            binItems_[b].clear();
            continue;
        }
        if (b >= grids_.size()) {
            grids_.emplace_back();
            binItems_.emplace_back();
            gridSheet_.push_back(-1);
        }
        grids_[b] = CollisionGrid(job_->sheets[static_cast<std::size_t>(sheet)].free, cellSide_);
        binItems_[b].clear();
        gridSheet_[b] = sheet;
    }
    grids_.resize(bins);
    binItems_.resize(bins);
    gridSheet_.resize(bins);
    std::fill(slot_.begin(), slot_.end(), -1);
    for (int item = 0; item < itemCount(); ++item)
        if (placement(item).placed()) index(item);
}

int Arrangement::addBin(int sheet)
{
    solution_.bins.push_back({sheet, kInfinity});
    grids_.emplace_back(job_->sheets[static_cast<std::size_t>(sheet)].free, cellSide_);
    binItems_.emplace_back();
    gridSheet_.push_back(sheet);
    return binCount() - 1;
}

void Arrangement::removeBin(int b)
{
    const std::size_t last = solution_.bins.size() - 1;
    const std::size_t at = static_cast<std::size_t>(b);
    if (at != last) {
        solution_.bins[at] = solution_.bins[last];
        grids_[at] = std::move(grids_[last]);
        binItems_[at] = std::move(binItems_[last]);
        gridSheet_[at] = gridSheet_[last];
        for (int item : binItems_[at]) solution_.items[static_cast<std::size_t>(item)].bin = b;
    }
    solution_.bins.pop_back();
    grids_.pop_back();
    binItems_.pop_back();
    gridSheet_.pop_back();
}

void Arrangement::changeSheet(int b, int sheet)
{
    const Box from = sheetOf(b).free;
    const Box to = job_->sheets[static_cast<std::size_t>(sheet)].free;
    const std::vector<int> items = itemsIn(b);
    for (int item : items) unindex(item);
    solution_.bins[static_cast<std::size_t>(b)] = {sheet, kInfinity};
    grids_[static_cast<std::size_t>(b)] = CollisionGrid(to, cellSide_);
    gridSheet_[static_cast<std::size_t>(b)] = sheet;
    for (int item : items) {
        Placement& p = solution_.items[static_cast<std::size_t>(item)];
        p.x += to.x0 - from.x0;
        p.y += to.y0 - from.y0;
        index(item);
    }
}

void Arrangement::place(int item, const Placement& where)
{
    solution_.items[static_cast<std::size_t>(item)] = where;
    if (where.placed()) index(item);
}

void Arrangement::lift(int item)
{
    if (!placement(item).placed()) return;
    unindex(item);
    solution_.items[static_cast<std::size_t>(item)].bin = -1;
}

void Arrangement::index(int item)
{
    const Placement& p = placement(item);
    grids_[static_cast<std::size_t>(p.bin)].insert(item, spacingBox(item, p));
    std::vector<int>& list = binItems_[static_cast<std::size_t>(p.bin)];
    slot_[static_cast<std::size_t>(item)] = static_cast<int>(list.size());
    list.push_back(item);
}

void Arrangement::unindex(int item)
{
    const Placement& p = placement(item);
    grids_[static_cast<std::size_t>(p.bin)].erase(item, spacingBox(item, p));
    std::vector<int>& list = binItems_[static_cast<std::size_t>(p.bin)];
    const int slot = slot_[static_cast<std::size_t>(item)];
    list[static_cast<std::size_t>(slot)] = list.back();
    slot_[static_cast<std::size_t>(list.back())] = slot;
    list.pop_back();
    slot_[static_cast<std::size_t>(item)] = -1;
}

Box Arrangement::container(int b) const
{
    const SheetType& sheet = sheetOf(b);
    Box box = sheet.free;
    const double limit = bin(b).limit;
    if (sheet.axis == 0) box.x1 = std::min(box.x1, limit);
    else box.y1 = std::min(box.y1, limit);
    return box;
}

bool Arrangement::itemsCollide(int item, const Placement& where, int other) const
{
    const Placement& o = placement(other);
    return regionsCollide(orientation(item, where.orient).spacing, at(where), orientation(other, o.orient).spacing, at(o));
}

bool Arrangement::hazardCollides(int item, const Placement& where, const Region& hazard) const
{
    return regionsCollide(orientation(item, where.orient).margin, at(where), hazard, {0, 0});
}

bool Arrangement::leavesFreeSpace(int item, const Placement& where) const
{
    const Box box = marginBox(item, where);
    if (!box.within(container(where.bin))) return true;
    for (const Region& hazard : sheetOf(where.bin).hazards)
        if (box.meets(hazard.box) && hazardCollides(item, where, hazard)) return true;
    return false;
}

bool Arrangement::fits(int item, const Placement& where) const
{
    if (leavesFreeSpace(item, where)) return false;
    bool clear = true;
    forEachNear(where.bin, spacingBox(item, where), item, [&](int other) {
        clear = !itemsCollide(item, where, other);
        return clear;
    });
    return clear;
}

double Arrangement::usedEnd(int b) const
{
    const int axis = sheetOf(b).axis;
    double end = sheetOf(b).free.low(axis);
    for (int item : itemsIn(b)) end = std::max(end, marginBox(item, placement(item)).high(axis));
    return end;
}

double Arrangement::usedShare(int b) const
{
    const SheetType& sheet = sheetOf(b);
    const double length = sheet.free.high(sheet.axis) - sheet.free.low(sheet.axis);
    return length > 0 ? (usedEnd(b) - sheet.free.low(sheet.axis)) / length : 1;
}

} // namespace dravenor::deep
