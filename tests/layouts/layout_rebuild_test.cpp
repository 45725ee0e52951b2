#include <gtest/gtest.h>

#include <array>
#include <map>
#include <tuple>

#include "layouts/layout_items.h"
#include "geometry/primitives.h"
#include "layouts/layout_rebuild.h"
#include "nested_job.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

LayoutItem item(const std::string& name, std::int32_t layoutNo, std::int32_t partIndex, double x = 0, double y = 0,
                double angle = 0, std::int32_t qty = 1)
{
    return layoutItem(name, layoutNo, partIndex, x, y, angle, qty);
}

// Shapes served from memory, counting how often each file is asked for.
struct CountingLoader {
    std::map<std::string, Shape> files;
    std::map<std::string, int> reads;

    ShapeLoader loader()
    {
        return [this](const std::string& path, Shape& shape) {
            ++reads[path];
            ShapeReadReport report;
            const auto it = files.find(path);
            if (it == files.end()) {
                report.readable = false;
                report.error = "cannot read " + path + ": no such file";
                return report;
            }
            shape = it->second;
            normaliseShape(shape);
            return report;
        };
    }
};

struct Tags {
    std::int32_t layoutNo, partIndex, instance;
};

std::vector<Tags> tagsOf(const std::vector<LayoutEntity>& entities)
{
    std::vector<Tags> tags;
    for (const LayoutEntity& e : entities)
        if (tags.empty() || tags.back().layoutNo != e.LayoutNo || tags.back().instance != e.Instance)
            tags.push_back({e.LayoutNo, e.PartIndex, e.Instance});
    return tags;
}

Extents extentsOfInstance(const std::vector<LayoutEntity>& entities, std::int32_t layoutNo, std::int32_t instance)
{
    Shape shape;
    for (const LayoutEntity& e : entities)
        if (e.LayoutNo == layoutNo && e.Instance == instance)
            shape.push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
    return shapeExtents(shape);
}

class Rebuild : public ::testing::Test {
protected:
    Rebuild()
    {
        files.files["a.shp"] = rectangle(0, 0, 100, 50);
        files.files["b.shp"] = {arcEntity(20, 20, 20, 0, 360)};
        files.files["s.shp"] = rectangle(0, 0, 1000, 500);
    }
    CountingLoader files;
    NestingState state;
};

} // namespace

TEST_F(Rebuild, PlacesInstancesInItemOrderWithEachSheetLastAndReadsEachFileOnce)
{
    state.items = {item("a.shp", 1, 1, 0, 0), item("a.shp", 1, 1, 200, 100), item("s.shp", 1, 0),
                   item("b.shp", 2, 2, 10, 10), item("a.shp", 2, 1, 300, 0), item("s.shp", 2, 0)};
    state.entities.push_back(LayoutEntity{}); // a stale list is replaced, not extended
    EXPECT_TRUE(rebuildEntityList(state, files.loader()).empty());

    const std::vector<Tags> tags = tagsOf(state.entities);
    ASSERT_EQ(tags.size(), 6u);
    const std::vector<std::array<int, 3>> expected = {{1, 1, 1}, {1, 1, 2}, {1, 0, 0}, {2, 2, 1}, {2, 1, 2}, {2, 0, 0}};
    for (size_t i = 0; i < tags.size(); ++i) {
        EXPECT_EQ(tags[i].layoutNo, expected[i][0]) << i;
        EXPECT_EQ(tags[i].partIndex, expected[i][1]) << i;
        EXPECT_EQ(tags[i].instance, expected[i][2]) << i;
    }
    EXPECT_EQ(state.entities.size(), 4u + 4u + 4u + 1u + 4u + 4u);
    EXPECT_EQ(files.reads["a.shp"], 1);
    EXPECT_EQ(files.reads["s.shp"], 1);

    const Extents second = extentsOfInstance(state.entities, 1, 2);
    EXPECT_DOUBLE_EQ(second.xmin, 200);
    EXPECT_DOUBLE_EQ(second.ymin, 100);
    EXPECT_DOUBLE_EQ(second.xmax, 300);
    EXPECT_DOUBLE_EQ(second.ymax, 150);
    const Extents discBox = extentsOfInstance(state.entities, 2, 1);
    EXPECT_DOUBLE_EQ(discBox.xmin, 10);
    EXPECT_DOUBLE_EQ(discBox.xmax, 50);
    for (const LayoutEntity& e : state.entities) EXPECT_EQ(e.Qty, 1);
}

TEST_F(Rebuild, TurnsAPartByItsAngleAndKeepsTheAngleWithinOneTurn)
{
    state.items = {item("a.shp", 1, 1, 40, 30, 450), item("a.shp", 1, 1, 0, 300, -90), item("s.shp", 1, 0)};
    rebuildEntityList(state, files.loader());

    EXPECT_DOUBLE_EQ(state.items[0].Angle, 90);
    EXPECT_DOUBLE_EQ(state.items[1].Angle, 270);
    const Extents turned = extentsOfInstance(state.entities, 1, 1);
    EXPECT_NEAR(turned.xmin, 40, 1e-9);
    EXPECT_NEAR(turned.ymin, 30, 1e-9);
    EXPECT_NEAR(turned.width(), 50, 1e-9);
    EXPECT_NEAR(turned.height(), 100, 1e-9);
    for (const LayoutEntity& e : state.entities)
        if (e.Instance == 1) {
            EXPECT_DOUBLE_EQ(e.Angle, 90);
        }
}

TEST_F(Rebuild, ASingleSheetRowGivesTheSheetOnlyAndAnEmptyListGivesNothing)
{
    state.items = {item("s.shp", 1, 0, 0, 0, 0, 4)};
    rebuildEntityList(state, files.loader());
    ASSERT_EQ(state.entities.size(), 4u);
    for (const LayoutEntity& e : state.entities) {
        EXPECT_EQ(e.Instance, 0);
        EXPECT_EQ(e.Qty, 4);
    }

    state.items.clear();
    rebuildEntityList(state, files.loader());
    EXPECT_TRUE(state.entities.empty());
}

TEST_F(Rebuild, AMissingFileGivesOneMessagePerRowAndTheRestIsStillBuilt)
{
    state.items = {item("gone.shp", 1, 1), item("a.shp", 1, 2, 0, 100), item("gone.shp", 1, 1, 300, 0),
                   item("s.shp", 1, 0)};
    const std::vector<std::string> problems = rebuildEntityList(state, files.loader());
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "layout 1: cannot read gone.shp: no such file");
    // The row of the present file keeps its instance number, so labels still match the items.
    const std::vector<Tags> tags = tagsOf(state.entities);
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[0].instance, 2);
    EXPECT_EQ(tags[1].instance, 0);
}

TEST_F(Rebuild, ReadsRealFilesAndNamesAMissingOne)
{
    TempFolder dir;
    const std::string sheet = dir.file("sheet.shp");
    ASSERT_EQ(saveShapeFile(rectangle(10, 10, 500, 400), sheet), "");
    state.items = {item(dir.file("missing.shp"), 1, 1), item(sheet, 1, 0)};
    const std::vector<std::string> problems = rebuildEntityList(state);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(dir.file("missing.shp")), std::string::npos);
    // The sheet is moved to the origin as the engine keeps it.
    const Extents box = extentsOfInstance(state.entities, 1, 0);
    EXPECT_DOUBLE_EQ(box.xmin, 0);
    EXPECT_DOUBLE_EQ(box.ymax, 400);
}

// Rebuilds the job's layouts from its item list and compares them with what the engine made.
void expectRebuildGivesTheEngineGeometry(NestingState& state)
{
    const std::vector<LayoutEntity> engine = state.entities;
    ASSERT_GT(engine.size(), 0u);
    EXPECT_TRUE(rebuildEntityList(state).empty());
    ASSERT_EQ(state.entities.size(), engine.size());
    for (size_t i = 0; i < engine.size(); ++i) {
        const LayoutEntity& a = engine[i];
        const LayoutEntity& b = state.entities[i];
        EXPECT_EQ(std::make_tuple(a.LayoutNo, a.Instance, a.PartIndex, a.SheetIndex, a.Qty),
                  std::make_tuple(b.LayoutNo, b.Instance, b.PartIndex, b.SheetIndex, b.Qty))
            << i;
        // Lines are their end points, arcs their centre, radius and angles, circles (equal
        // angles, whichever) their centre and radius.
        std::vector<std::pair<double, double>> fields{{a.X1, b.X1}, {a.Y1, b.Y1}, {a.X2, b.X2}, {a.Y2, b.Y2}};
        if (a.RAD != 0) fields = {{a.CX, b.CX}, {a.CY, b.CY}, {a.RAD, b.RAD}};
        if (a.RAD != 0 && (a.Nstart != a.Nend || b.Nstart != b.Nend)) {
            fields.emplace_back(a.Nstart, b.Nstart);
            fields.emplace_back(a.Nend, b.Nend);
        }
        for (auto [x, y] : fields) EXPECT_NEAR(x, y, 1e-6) << i;
    }
}

TEST(RebuildFromEngine, GivesBackTheEngineGeometryFromTheItemList)
{
    NestedJob job;
    expectRebuildGivesTheEngineGeometry(job.state());
}

TEST(RebuildFromEngine, GivesBackTheEngineGeometryOfSheetsTheEngineTurned)
{
    // A wide sheet is nested turned and turned back; the items must say how each part ended up.
    NestedJob job(500, 260);
    expectRebuildGivesTheEngineGeometry(job.state());
}

TEST(LayoutRange, FindsTheRunOfALayoutInEitherList)
{
    std::vector<LayoutItem> items;
    for (std::int32_t layoutNo : {1, 1, 1, 2, 2, 3}) items.push_back(item("x", layoutNo, 0));
    EXPECT_EQ(findItemRange(items, 1), std::make_pair(0, 2));
    EXPECT_EQ(findItemRange(items, 2), std::make_pair(3, 4));
    EXPECT_EQ(findItemRange(items, 3), std::make_pair(5, 5));
    EXPECT_EQ(findItemRange(items, 4), std::make_pair(-1, -1));
    EXPECT_EQ(findItemRange({}, 1), std::make_pair(-1, -1));

    std::vector<LayoutEntity> entities(5);
    for (size_t i = 0; i < entities.size(); ++i) entities[i].LayoutNo = i < 2 ? 1 : 2;
    EXPECT_EQ(findEntityRange(entities, 2), std::make_pair(2, 4));
    EXPECT_EQ(findEntityRange(entities, 0), std::make_pair(-1, -1));
}
