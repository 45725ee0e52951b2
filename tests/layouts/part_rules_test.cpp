// The rules of a part row: parts kept out of other parts' holes in every mode (orientation and
// mirroring in every mode are judged on random jobs by random_jobs.py), and a mirrored placement
// carried through the item list, the layout file and the rebuild of the geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "deep/deep_run.h"
#include "deep/deep_shapes.h"
#include "engine/engine_job.h"
#include "engine/nesting_driver.h"
#include "geometry/primitives.h"
#include "layouts/layout_file.h"
#include "layouts/layout_geometry_check.h"
#include "layouts/layout_rebuild.h"
#include "support/saved_shape.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

const NestingMode kModes[] = {NestingMode::Free, NestingMode::Stack, NestingMode::ContinuousStack, NestingMode::Deep};

void nest(NestingState& state, NestingMode mode)
{
    if (mode == NestingMode::Deep) {
        RecordingProgress progress;
        ASSERT_TRUE(runDeepNesting(state, fixedWork(30, 1, 2), progress).ran);
        return;
    }
    SilentProgress progress;
    optimise(state, mode, progress);
}

// One placed instance's outline per (layout, instance), with its angle and mirror mark.
struct Placed {
    Shape shape;
    std::int32_t part = 0;
    double angle = 0;
    bool mirror = false;
};

std::map<std::pair<int, int>, Placed> placedInstances(const NestingState& state)
{
    std::map<std::pair<int, int>, Placed> placed;
    for (const LayoutEntity& e : state.entities) {
        if (e.Instance == 0) continue;
        Placed& p = placed[{e.LayoutNo, e.Instance}];
        p.shape.push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
        p.part = e.PartIndex;
        p.angle = e.Angle;
        p.mirror = e.Mirror;
    }
    return placed;
}

// The ends of a polygon's lines rounded to a millionth, sorted: the same for the same polygon in
// whatever order or direction its lines run.
std::vector<std::pair<double, double>> corners(const Shape& shape)
{
    std::vector<std::pair<double, double>> points;
    const auto rounded = [](double v) { return std::round(v * 1e6) / 1e6 + 0.0; };
    for (const ShapeEntity& e : shape)
        for (const auto& [x, y] : {std::pair{e.X1, e.Y1}, std::pair{e.X2, e.Y2}}) points.emplace_back(rounded(x), rounded(y));
    std::sort(points.begin(), points.end());
    return points;
}

} // namespace

// A frame with a large hole and small squares: with parts inside holes off no square lies inside
// the frame in any mode; with them on the classic engine fills the hole first.
TEST(PartRules, WithPartsInHolesOffNoPartLiesInTheHoleOfAnother)
{
    for (const NestingMode mode : kModes) {
        for (const bool holes : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "mode " << static_cast<int>(mode) << (holes ? ", holes on" : ", holes off"));
            EngineJob job;
            job.kerf(2)
                .sheet(job.rectangleFile("sheet.shp", 300, 220), 4)
                .part(job.shapeFile("frame.shp", frame(200, 160)), 1, 1)
                .part(job.rectangleFile("small.shp", 30, 30), 16, 2);
            job.state.partsInHoles = holes;
            nest(job.state, mode);
            for (const LayoutFault& f : checkLayouts(job.state, 0.01)) ADD_FAILURE() << f.text;
            const auto placed = placedInstances(job.state);
            std::map<int, Extents> frames;
            for (const auto& [key, p] : placed)
                if (p.part == 1) frames[key.first] = shapeExtents(p.shape);
            ASSERT_EQ(frames.size(), 1u);
            int inside = 0;
            for (const auto& [key, p] : placed) {
                if (p.part == 1 || !frames.count(key.first)) continue;
                const Extents& f = frames.at(key.first);
                const Extents box = shapeExtents(p.shape);
                const double x = (box.xmin + box.xmax) / 2, y = (box.ymin + box.ymax) / 2;
                inside += x > f.xmin && x < f.xmax && y > f.ymin && y < f.ymax;
            }
            if (!holes) {
                EXPECT_EQ(inside, 0);
            } else if (mode != NestingMode::Deep) {
                EXPECT_GT(inside, 0);
            }
            EXPECT_EQ(placed.size(), 17u);
        }
    }
}

// A mirrored item rebuilds as its drawing mirrored left to right before the turn, and keeps its
// mark through the layout file (one without a mirrored part keeps its five fields: the layout
// file tests).
TEST(PartRules, AMirroredPlacementRebuildsMirroredAndKeepsItsMarkInTheLayoutFile)
{
    TempFolder dir;
    const Shape hook = polygon({{0, 0}, {90, 0}, {90, 20}, {20, 20}, {20, 60}, {0, 60}});
    const std::string part = savedShape(dir, "hook.shp", hook);
    const std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 300, 200));
    NestingState state;
    state.sheets.push_back({sheet, 1, 1, 0, 0});
    state.parts.push_back({part, 2, 1, "", 0, 0, true});
    const struct {
        double angle;
        bool mirror;
        Shape expected; // the hook as it must lie, its box at (10, 20)
    } cases[] = {
        {0, false, polygon({{10, 20}, {100, 20}, {100, 40}, {30, 40}, {30, 80}, {10, 80}})},
        {0, true, polygon({{100, 20}, {10, 20}, {10, 40}, {80, 40}, {80, 80}, {100, 80}})},
        {90, true, polygon({{70, 110}, {70, 20}, {50, 20}, {50, 90}, {10, 90}, {10, 110}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.angle) + (c.mirror ? " mirrored" : ""));
        state.items = {{part, 10, 20, c.angle, 1, 1, 1, 1, c.mirror}, {sheet, 0, 0, 0, 1, 0, 1, 1, false}};
        ASSERT_TRUE(rebuildEntityList(state).empty());
        Placed p = placedInstances(state).at({1, 1});
        EXPECT_EQ(std::pair(p.mirror, corners(p.shape)), std::pair(c.mirror, corners(c.expected)));
    }

    const std::string lay = dir.file("hook.lay");
    const std::vector<LayoutFileLine> lines{{sheet, "0", "0", "0", "1", ""}, {part, "10", "20", "90", "1", "Yes"},
                                            {part, "150", "20", "0", "1", ""}};
    ASSERT_EQ(writeLayoutFile(lay, lines, false), "");
    EXPECT_EQ(TempFolder::read(lay), "\"" + sheet + "\",0,0,0,1,\"\"\r\n\"" + part + "\",10,20,90,1,\"Yes\"\r\n\"" + part
                                         + "\",150,20,0,1,\"\"\r\n");
    EXPECT_EQ(readLayoutFile(lay).lines, lines);
}
