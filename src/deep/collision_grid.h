#pragma once
// The spatial index of one sheet: a grid of cells over the sheet's free box, each listing the
// items whose boxes reach into it, so that finding an item's neighbours costs time in proportion
// to the neighbours, not to the items on the sheet. Boxes beyond the grid count in its edge cells.
#include <vector>

#include "deep/region.h"

namespace dravenor::deep {

class CollisionGrid {
public:
    CollisionGrid() = default;
    // A grid over the area with cells of about the given side (at most 128 across either way).
    CollisionGrid(const Box& area, double cellSide);

    void insert(int item, const Box& box);
    void erase(int item, const Box& box);
    void clear();

    // Calls visit(item) for the items of every cell the box reaches into; an item may come more
    // than once (the caller drops repeats).
    template <class Visit>
    void forEachInCells(const Box& box, Visit&& visit) const
    {
        const Span s = span(box);
        for (int j = s.j0; j <= s.j1; ++j)
            for (int i = s.i0; i <= s.i1; ++i)
                for (int item : cells_[static_cast<std::size_t>(j * cols_ + i)]) visit(item);
    }

private:
    struct Span {
        int i0, j0, i1, j1;
    };
    Span span(const Box& box) const;
    int column(double x) const;
    int row(double y) const;

    Box area_;
    double cellW_ = 1, cellH_ = 1;
    int cols_ = 1, rows_ = 1;
    std::vector<std::vector<int>> cells_{1};
};

} // namespace dravenor::deep
