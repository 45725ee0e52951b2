#pragma once
// Small layouts built in memory for the cut plan's tests: shapes from lines and circles (the
// geometry tests' builders) placed on a rectangular sheet as the engine leaves them in the entity list.
#include <string>
#include <vector>

#include "geometry/layout_lists.h"
#include "geometry/shape.h"
#include "geometry/shape_builders.h"
#include "job/nesting_state.h"

namespace dravenor::cutting::test {

using testing::circle;
using testing::polygon;
using testing::rectangle;

inline Shape joined(Shape a, const Shape& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct PlacedShape {
    std::string name;
    Shape shape; // already in sheet coordinates
};

// One layout (number 1) on a w x h sheet, the parts as instances 1, 2, ... in the given order.
inline NestingState layoutOf(double w, double h, const std::vector<PlacedShape>& parts, double kerf = 3)
{
    NestingState state;
    state.details.Mat = "S235";
    state.details.Thick = 10;
    state.details.Kerf = state.details.ActKerf = kerf;
    state.sheets.push_back({"/sheets/plate.shp", 1, 1, 0, 0});
    for (size_t i = 0; i < parts.size(); ++i) {
        state.parts.push_back({"/parts/" + parts[i].name, 1, 1, "", 0, 0});
        appendShape(state.entities, parts[i].shape, 1, 1, static_cast<int>(i) + 1, static_cast<int>(i) + 1, 0);
        state.items.push_back({parts[i].name, 0, 0, 0, 1, static_cast<int>(i) + 1, 1, 1});
    }
    appendShape(state.entities, rectangle(0, 0, w, h), 1, 1, 0, 0, 0, 1);
    state.items.push_back({"plate.shp", 0, 0, 0, 1, 0, 1, 1});
    return state;
}

// n parts (a plate with a round hole, a disc, an L) in rows 3 apart on one sheet of 3200 x
// (rows x 43 + 20), as instances 1..n: the large layout of the benchmark and the tests.
inline NestingState manyPartsLayout(int n)
{
    const std::vector<Shape> kinds{joined(rectangle(0, 0, 60, 40), circle(20, 20, 8)), circle(20, 20, 20),
                                   {{0, 0, 60, 0}, {60, 0, 60, 15}, {60, 15, 15, 15}, {15, 15, 15, 40}, {15, 40, 0, 40}, {0, 40, 0, 0}}};
    std::vector<PlacedShape> parts;
    const int across = 50;
    for (int i = 0; i < n; ++i) {
        Shape s = kinds[static_cast<size_t>(i % 3)];
        const double dx = (i % across) * 63.0 + 10, dy = (i / across) * 43.0 + 10;
        for (ShapeEntity& e : s) {
            e.X1 += dx, e.X2 += dx, e.CX += dx;
            e.Y1 += dy, e.Y2 += dy, e.CY += dy;
        }
        parts.push_back({"part" + std::to_string(i % 3) + ".shp", s});
    }
    return layoutOf(3200, ((n + across - 1) / across) * 43.0 + 20, parts);
}

} // namespace dravenor::cutting::test
