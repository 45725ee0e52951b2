#pragma once
// One arrangement of the job's items on sheets, with the spatial index of every sheet: the state a
// search thread changes move by move, and the collision tests on it.
#include <vector>

#include "deep/collision_grid.h"
#include "deep/deep_job.h"

namespace dravenor::deep {

struct Placement {
    int bin = -1;    // the sheet it lies on; -1 when not placed
    int orient = 0;  // index into its part type's orientations
    double x = 0, y = 0;  // how the orientation's regions are moved
    bool placed() const { return bin >= 0; }
};

// A sheet in use: its type, and how far along the sheet's axis margin regions may reach (the
// limit the least used sheet is squeezed by).
struct Bin {
    int sheet = 0;
    double limit = kInfinity;
};

struct Solution {
    std::vector<Bin> bins;
    std::vector<Placement> items;  // per item of the job
};

class Arrangement {
public:
    explicit Arrangement(const DeepJob& job);

    const DeepJob& job() const { return *job_; }
    const Solution& solution() const { return solution_; }
    void load(const Solution& solution);

    int binCount() const { return static_cast<int>(solution_.bins.size()); }
    const Bin& bin(int b) const { return solution_.bins[static_cast<std::size_t>(b)]; }
    const SheetType& sheetOf(int b) const { return job_->sheets[static_cast<std::size_t>(bin(b).sheet)]; }
    int addBin(int sheet);
    // Drops an empty bin; the last bin takes its number.
    void removeBin(int b);
    void setLimit(int b, double limit) { solution_.bins[static_cast<std::size_t>(b)].limit = limit; }
    // Puts the bin on another sheet type; its items keep their places from the free box's corner.
    void changeSheet(int b, int sheet);

    const std::vector<int>& itemsIn(int b) const { return binItems_[static_cast<std::size_t>(b)]; }
    const Placement& placement(int item) const { return solution_.items[static_cast<std::size_t>(item)]; }
    int itemCount() const { return static_cast<int>(solution_.items.size()); }
    int typeOf(int item) const { return job_->items[static_cast<std::size_t>(item)]; }
    const PartType& partOf(int item) const { return job_->parts[static_cast<std::size_t>(typeOf(item))]; }
    void place(int item, const Placement& at);
    void lift(int item);

    const Orientation& orientation(int item, int orient) const
    {
        return partOf(item).orientations[static_cast<std::size_t>(orient)];
    }
    Box spacingBox(int item, const Placement& at) const
    {
        return orientation(item, at.orient).spacing.box.moved(at.x, at.y);
    }
    Box marginBox(int item, const Placement& at) const
    {
        return orientation(item, at.orient).margin.box.moved(at.x, at.y);
    }
    // The free box of the bin's sheet, cut at its limit.
    Box container(int b) const;

    // Calls visit(other) once for every placed item of the bin but `skip` whose spacing box meets
    // the box, until visit returns false.
    template <class Visit>
    void forEachNear(int b, const Box& box, int skip, Visit&& visit) const
    {
        if (++stamp_ == 0) {
            std::fill(seen_.begin(), seen_.end(), 0u);
            stamp_ = 1;
        }
        bool going = true;
        grids_[static_cast<std::size_t>(b)].forEachInCells(box, [&](int other) {
            if (!going || other == skip || seen_[static_cast<std::size_t>(other)] == stamp_) return;
            seen_[static_cast<std::size_t>(other)] = stamp_;
            if (spacingBox(other, placement(other)).meets(box)) going = visit(other);
        });
    }

    bool itemsCollide(int item, const Placement& at, int other) const;
    bool hazardCollides(int item, const Placement& at, const Region& hazard) const;
    // The margin region leaves the bin's container or meets one of the sheet's hazards.
    bool leavesFreeSpace(int item, const Placement& at) const;
    // Nothing in the way: the item may lie there.
    bool fits(int item, const Placement& at) const;

    // The furthest reach of the bin's margin regions along its sheet's axis (the free box's start
    // when the bin is empty), and that reach as a share of the free box's length.
    double usedEnd(int b) const;
    double usedShare(int b) const;

private:
    void index(int item);
    void unindex(int item);

    const DeepJob* job_;
    Solution solution_;
    double cellSide_ = 1;
    std::vector<CollisionGrid> grids_;
    std::vector<int> gridSheet_;  // the sheet type each grid was made for
    std::vector<std::vector<int>> binItems_;
    std::vector<int> slot_;  // an item's position in its bin's list
    mutable std::vector<unsigned> seen_;
    mutable unsigned stamp_ = 0;
};

} // namespace dravenor::deep
