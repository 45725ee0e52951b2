#pragma once
// Helpers of the layout tests: layouts made by hand (item rows on sheet 1, shapes placed as they
// lie with their entities and item rows in step) and entity lists compared.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/layout_results.h"
#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "job/nesting_state.h"

namespace dravenor::testing {

inline LayoutItem layoutItem(const std::string& name, std::int32_t layoutNo, std::int32_t partIndex, double x = 0,
                             double y = 0, double angle = 0, std::int32_t qty = 1)
{
    return {name, x, y, angle, 1, partIndex, layoutNo, qty};
}

// The shape's entities and an item row at the corner of its box (part and instance 0: the sheet).
inline void placeShape(NestingState& state, std::int32_t layoutNo, const Shape& placed, std::int32_t partIndex,
                       std::int32_t instance, const std::string& name)
{
    appendShape(state.entities, placed, layoutNo, 1, partIndex, instance, 0, 1);
    const Extents box = shapeExtents(placed);
    state.items.push_back(layoutItem(name, layoutNo, partIndex, box.xmin, box.ymin));
}

// The same entities in the same order: tags, turn, and the geometry each kind uses (lines their
// end points, arcs centre, radius and angles, circles, whose equal angles may be any, centre and
// radius). Without sheetTurns the turn of sheet outlines is left out: a rebuild takes the sheet
// row's, the engine keeps the turn it nested the sheet in.
inline void expectSameEntities(const std::vector<LayoutEntity>& a, const std::vector<LayoutEntity>& b,
                               bool sheetTurns = true)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        const LayoutEntity &x = a[i], &y = b[i];
        SCOPED_TRACE("entity " + std::to_string(i + 1));
        EXPECT_EQ(std::tie(x.SheetIndex, x.PartIndex, x.LayoutNo, x.Instance, x.Qty),
                  std::tie(y.SheetIndex, y.PartIndex, y.LayoutNo, y.Instance, y.Qty));
        EXPECT_TRUE((!sheetTurns && x.PartIndex == 0) || std::fabs(x.Angle - y.Angle) < 1e-9)
            << x.Angle << " " << y.Angle;
        ASSERT_EQ(x.RAD == 0, y.RAD == 0);
        std::vector<std::pair<double, double>> fields{{x.X1, y.X1}, {x.Y1, y.Y1}, {x.X2, y.X2}, {x.Y2, y.Y2}};
        if (x.RAD != 0) fields = {{x.CX, y.CX}, {x.CY, y.CY}, {x.RAD, y.RAD}};
        if (x.RAD != 0 && (x.Nstart != x.Nend || y.Nstart != y.Nend))
            fields.insert(fields.end(), {{x.Nstart, y.Nstart}, {x.Nend, y.Nend}});
        for (size_t f = 0; f < fields.size(); ++f)
            EXPECT_NEAR(fields[f].first, fields[f].second, 1e-6) << "field " << f;
    }
}

} // namespace dravenor::testing
