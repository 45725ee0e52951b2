#pragma once
// Boxes bucketed on a grid over their common extent, so that the boxes holding a point are found
// without looking at every box: a shape of many small outlines costs time in proportion to them,
// not to their square.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace dravenor {

struct GridBox {
    double xmin, ymin, xmax, ymax;
    bool holds(double x, double y) const { return x >= xmin && x <= xmax && y >= ymin && y <= ymax; }
};

class BoxGrid {
public:
    explicit BoxGrid(const std::vector<GridBox>& boxes) : boxes_(boxes)
    {
        for (const GridBox& b : boxes) {
            if (!std::isfinite(b.xmin) || !std::isfinite(b.ymin) || !std::isfinite(b.xmax) || !std::isfinite(b.ymax)) continue;
            x0_ = std::min(x0_, b.xmin);
            y0_ = std::min(y0_, b.ymin);
            x1_ = std::max(x1_, b.xmax);
            y1_ = std::max(y1_, b.ymax);
        }
        side_ = std::max<std::size_t>(1, static_cast<std::size_t>(std::sqrt(static_cast<double>(boxes.size()))));
        cells_.resize(side_ * side_);
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            const GridBox& b = boxes[k];
            if (!(b.xmin <= b.xmax) || !(b.ymin <= b.ymax)) continue;
            for (std::size_t j = row(b.ymin); j <= row(b.ymax); ++j)
                for (std::size_t i = column(b.xmin); i <= column(b.xmax); ++i) cells_[j * side_ + i].push_back(k);
        }
    }

    // Calls visit(k) for every box k that holds the point.
    template <class Visit>
    void forEachHolding(double x, double y, Visit&& visit) const
    {
        if (!(x >= x0_ && x <= x1_ && y >= y0_ && y <= y1_)) return;
        for (std::size_t k : cells_[row(y) * side_ + column(x)])
            if (boxes_[k].holds(x, y)) visit(k);
    }

private:
    std::size_t index(double v, double lo, double hi) const
    {
        if (!(hi > lo)) return 0;
        // Halved so that extents near the largest double do not overflow to inf - inf; an
        // infinite end of a box lands in the first or last cell, never on a NaN.
        const double at = (v / 2 - lo / 2) / (hi / 2 - lo / 2) * static_cast<double>(side_);
        if (!(at >= 1)) return 0;
        if (at >= static_cast<double>(side_ - 1)) return side_ - 1;
        return static_cast<std::size_t>(at);
    }
    std::size_t column(double x) const { return index(x, x0_, x1_); }
    std::size_t row(double y) const { return index(y, y0_, y1_); }

    const std::vector<GridBox>& boxes_;
    double x0_ = INFINITY, y0_ = INFINITY, x1_ = -INFINITY, y1_ = -INFINITY;
    std::size_t side_ = 1;
    std::vector<std::vector<std::size_t>> cells_;
};

} // namespace dravenor
