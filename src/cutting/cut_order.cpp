#include "cutting/cut_order.h"

#include <algorithm>

namespace dravenor::cutting {

std::vector<int> shortTour(Vec2 home, const std::vector<Vec2>& points)
{
    const int n = static_cast<int>(points.size());
    std::vector<int> order;
    std::vector<bool> used(points.size(), false);
    Vec2 at = home;
    for (int k = 0; k < n; ++k) {
        int best = -1;
        double bestDistance = 0;
        for (int i = 0; i < n; ++i) {
            if (used[static_cast<size_t>(i)]) continue;
            const double d = distance(at, points[static_cast<size_t>(i)]);
            if (best < 0 || d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        used[static_cast<size_t>(best)] = true;
        order.push_back(best);
        at = points[static_cast<size_t>(best)];
    }
    // 2-opt on the open tour: reversing order[i..j] replaces the edges (i-1, i) and (j, j+1).
    auto point = [&](int position) { return position < 0 ? home : points[static_cast<size_t>(order[static_cast<size_t>(position)])]; };
    for (int pass = 0; pass < 20; ++pass) {
        bool improved = false;
        for (int i = 0; i + 1 < n; ++i) {
            const Vec2 before = point(i - 1), first = point(i);
            const double kept = distance(before, first);
            for (int j = i + 1; j < n; ++j) {
                const Vec2 last = point(j);
                double change = distance(before, last) - kept;
                if (j + 1 < n) {
                    const Vec2 after = point(j + 1);
                    change += distance(first, after) - distance(last, after);
                }
                if (change < -1e-9) {
                    std::reverse(order.begin() + i, order.begin() + j + 1);
                    improved = true;
                    break;
                }
            }
        }
        if (!improved) break;
    }
    return order;
}

double tourLength(Vec2 home, const std::vector<Vec2>& points, const std::vector<int>& order)
{
    double total = 0;
    Vec2 at = home;
    for (int i : order) {
        total += distance(at, points[static_cast<size_t>(i)]);
        at = points[static_cast<size_t>(i)];
    }
    return total;
}

} // namespace dravenor::cutting
