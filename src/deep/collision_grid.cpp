#include "deep/collision_grid.h"

namespace dravenor::deep {

namespace {

constexpr int kMostCellsAcross = 128;

int cellsAcross(double length, double side)
{
    if (!(length > 0) || !(side > 0)) return 1;
    return static_cast<int>(std::clamp(std::ceil(length / side), 1.0, static_cast<double>(kMostCellsAcross)));
}

} // namespace

CollisionGrid::CollisionGrid(const Box& area, double cellSide) : area_(area)
{
    cols_ = cellsAcross(area.width(), cellSide);
    rows_ = cellsAcross(area.height(), cellSide);
    cellW_ = area.width() > 0 ? area.width() / cols_ : 1;
    cellH_ = area.height() > 0 ? area.height() / rows_ : 1;
    cells_.assign(static_cast<std::size_t>(cols_ * rows_), {});
}

int CollisionGrid::column(double x) const
{
    const double at = std::floor((x - area_.x0) / cellW_);
    return static_cast<int>(std::clamp(std::isnan(at) ? 0.0 : at, 0.0, static_cast<double>(cols_ - 1)));
}

int CollisionGrid::row(double y) const
{
    const double at = std::floor((y - area_.y0) / cellH_);
    return static_cast<int>(std::clamp(std::isnan(at) ? 0.0 : at, 0.0, static_cast<double>(rows_ - 1)));
}

CollisionGrid::Span CollisionGrid::span(const Box& box) const
{
    return {column(box.x0), row(box.y0), column(box.x1), row(box.y1)};
}

void CollisionGrid::insert(int item, const Box& box)
{
    const Span s = span(box);
    for (int j = s.j0; j <= s.j1; ++j)
        for (int i = s.i0; i <= s.i1; ++i) cells_[static_cast<std::size_t>(j * cols_ + i)].push_back(item);
}

void CollisionGrid::erase(int item, const Box& box)
{
    const Span s = span(box);
    for (int j = s.j0; j <= s.j1; ++j)
        for (int i = s.i0; i <= s.i1; ++i) {
            std::vector<int>& cell = cells_[static_cast<std::size_t>(j * cols_ + i)];
            const auto it = std::find(cell.begin(), cell.end(), item);
            if (it != cell.end()) {
                *it = cell.back();
                cell.pop_back();
            }
        }
}

void CollisionGrid::clear()
{
    for (std::vector<int>& cell : cells_) cell.clear();
}

} // namespace dravenor::deep
