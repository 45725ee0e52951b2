#pragma once
// Helpers of the layout tests: layouts made by hand (item rows on sheet 1, shapes placed as they
// lie with their entities and item rows in step), entity lists compared, golden files and what a
// recording surface holds summed up for them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/layout_results.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "job/nesting_state.h"
#include "support/recording_surface.h"
#include "support/temp_folder.h"

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

// Golden files of tests/data/golden/layouts, matched byte for byte. With DRAVENOR_WRITE_GOLDEN
// set in the environment the file is written instead, to be looked at before it is committed.
inline void expectGolden(const std::string& text, const std::string& name)
{
    const std::string path = DRAVENOR_TEST_DATA "/golden/layouts/" + name;
    if (std::getenv("DRAVENOR_WRITE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    const std::string want = TempFolder::read(path);
    ASSERT_FALSE(want.empty()) << path << " is missing";
    if (text == want) return;
    // Name the first line that differs rather than printing both files whole.
    const auto lines = [](const std::string& s) {
        std::vector<std::string> split{""};
        for (char c : s)
            if (c == '\n')
                split.emplace_back();
            else
                split.back().push_back(c);
        return split;
    };
    const std::vector<std::string> got = lines(text), wanted = lines(want);
    size_t at = 0;
    while (at < got.size() && at < wanted.size() && got[at] == wanted[at]) ++at;
    ADD_FAILURE() << name << " line " << at + 1 << ":\n got  " << (at < got.size() ? got[at] : "(end)") << "\n want "
                  << (at < wanted.size() ? wanted[at] : "(end)");
}

// A recording surface for golden files: its scale, then per colour (palette index or #RRGGBB)
// the number of lines, where the first starts, where the last ends and the box of them all, then
// every text where it was written. Numbers are rounded to millionths.
inline std::string drawingSummary(const RecordingSurface& surface)
{
    std::ostringstream out;
    out.precision(12);
    const auto at = [&out](double x, double y) -> std::ostringstream& {
        out << std::round(x * 1e6) / 1e6 + 0.0 << ',' << std::round(y * 1e6) / 1e6 + 0.0;
        return out;
    };
    const ViewScale v = surface.scale();
    at(v.left, v.top) << " scale " << v.width << " x " << v.height << '\n';
    std::map<std::string, std::vector<RecordedLine>> byColour;
    for (const RecordedLine& l : surface.lines) {
        char rgb[8];
        std::snprintf(rgb, sizeof rgb, "#%06X", l.rgb);
        byColour[l.colour >= 0 ? "palette " + std::to_string(l.colour) : rgb].push_back(l);
    }
    for (const auto& [colour, lines] : byColour) {
        Extents box{lines[0].x1, lines[0].y1, lines[0].x1, lines[0].y1};
        for (const RecordedLine& l : lines)
            for (const auto& [x, y] : {std::pair{l.x1, l.y1}, {l.x2, l.y2}})
                box = {std::min(box.xmin, x), std::min(box.ymin, y), std::max(box.xmax, x), std::max(box.ymax, y)};
        out << colour << ": " << lines.size() << " lines from ";
        at(lines.front().x1, lines.front().y1) << " to ";
        at(lines.back().x2, lines.back().y2) << " within ";
        at(box.xmin, box.ymin) << ' ';
        at(box.xmax, box.ymax) << '\n';
    }
    for (const RecordedText& t : surface.texts) at(t.x, t.y) << ' ' << t.text << '\n';
    return out.str();
}

} // namespace dravenor::testing
