#include "layouts/layout_range.h"

namespace dravenor {

namespace {

template <class Row>
std::pair<int, int> findRange(const std::vector<Row>& rows, int layoutNo)
{
    const int count = static_cast<int>(rows.size());
    int first = 0;
    while (first < count && rows[static_cast<size_t>(first)].LayoutNo != layoutNo) ++first;
    if (first == count) return {-1, -1};
    int last = first;
    while (last + 1 < count && rows[static_cast<size_t>(last + 1)].LayoutNo == layoutNo) ++last;
    return {first, last};
}

} // namespace

std::pair<int, int> findItemRange(const std::vector<LayoutItem>& items, int layoutNo)
{
    return findRange(items, layoutNo);
}

std::pair<int, int> findEntityRange(const std::vector<LayoutEntity>& entities, int layoutNo)
{
    return findRange(entities, layoutNo);
}

} // namespace dravenor
