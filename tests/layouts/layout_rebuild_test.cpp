// The entity list rebuilt from the item list, and the ranges of a layout in either list.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "geometry/shape_file.h"
#include "layout_helpers.h"
#include "layouts/layout_range.h"
#include "layouts/layout_rebuild.h"
#include "support/temp_folder.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Shapes served from memory, counting how often each file is asked for.
struct CountingLoader {
    std::map<std::string, Shape> files{{"a.shp", rectangle(0, 0, 100, 50)},
                                       {"b.shp", {arcEntity(20, 20, 20, 0, 360)}},
                                       {"s.shp", rectangle(0, 0, 1000, 500)}};
    std::map<std::string, int> reads;

    ShapeLoader loader()
    {
        return [this](const std::string& path, Shape& shape) {
            ++reads[path];
            ShapeReadReport report;
            const auto it = files.find(path);
            report.readable = it != files.end();
            if (!report.readable) {
                report.error = "cannot read " + path + ": no such file";
                return report;
            }
            shape = it->second;
            normaliseShape(shape);
            return report;
        };
    }
};

// Each instance in entity order as "layout part instance qty angle: box (entities)".
std::vector<std::string> instancesOf(const std::vector<LayoutEntity>& entities)
{
    const auto rounded = [](double v) { return std::round(v * 1e6) / 1e6 + 0.0; };
    std::vector<std::string> instances;
    Shape shape;
    for (size_t i = 0; i < entities.size(); ++i) {
        const LayoutEntity& e = entities[i];
        shape.push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
        if (i + 1 < entities.size() && entities[i + 1].LayoutNo == e.LayoutNo && entities[i + 1].Instance == e.Instance)
            continue;
        const Extents box = shapeExtents(shape);
        std::ostringstream text;
        text << e.LayoutNo << ' ' << e.PartIndex << ' ' << e.Instance << ' ' << e.Qty << ' ' << e.Angle << ": "
             << rounded(box.xmin) << ',' << rounded(box.ymin) << ' ' << rounded(box.xmax) << ',' << rounded(box.ymax)
             << " (" << shape.size() << ')';
        instances.push_back(text.str());
        shape.clear();
    }
    return instances;
}

} // namespace

TEST(Rebuild, PlacesEachRowsShapeTurnedAtItsCornerWithTheSheetLastReadingEachFileOnce)
{
    using Texts = std::vector<std::string>;
    const std::string sheet = "0,0 1000,500 (4)";
    const struct {
        const char* name;
        std::vector<LayoutItem> items;
        Texts instances, problems;
    } cases[] = {
        {"two layouts",
         {layoutItem("a.shp", 1, 1), layoutItem("a.shp", 1, 1, 200, 100), layoutItem("s.shp", 1, 0),
          layoutItem("b.shp", 2, 2, 10, 10), layoutItem("a.shp", 2, 1, 300, 0), layoutItem("s.shp", 2, 0)},
         {"1 1 1 1 0: 0,0 100,50 (4)", "1 1 2 1 0: 200,100 300,150 (4)", "1 0 0 1 0: " + sheet,
          "2 2 1 1 0: 10,10 50,50 (1)", "2 1 2 1 0: 300,0 400,50 (4)", "2 0 0 1 0: " + sheet},
         {}},
        {"turned, angles brought into one turn",
         {layoutItem("a.shp", 1, 1, 40, 30, 450), layoutItem("a.shp", 1, 1, 0, 300, -90), layoutItem("s.shp", 1, 0)},
         {"1 1 1 1 90: 40,30 90,130 (4)", "1 1 2 1 270: 0,300 50,400 (4)", "1 0 0 1 0: " + sheet},
         {}},
        {"a sheet alone", {layoutItem("s.shp", 1, 0, 0, 0, 0, 4)}, {"1 0 0 4 0: " + sheet}, {}},
        {"nothing", {}, {}, {}},
        // The row of the present file keeps its instance number, so labels still match the items.
        {"missing files",
         {layoutItem("gone.shp", 1, 1), layoutItem("a.shp", 1, 2, 0, 100), layoutItem("gone.shp", 1, 1, 300, 0),
          layoutItem("s.shp", 1, 0)},
         {"1 2 2 1 0: 0,100 100,150 (4)", "1 0 0 1 0: " + sheet},
         Texts(2, "layout 1: cannot read gone.shp: no such file")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CountingLoader files;
        NestingState state;
        state.items = c.items;
        state.entities.push_back(LayoutEntity{}); // a stale list is replaced, not extended
        EXPECT_EQ(rebuildEntityList(state, files.loader()), c.problems);
        EXPECT_EQ(instancesOf(state.entities), c.instances);
        for (const auto& [file, reads] : files.reads) EXPECT_EQ(reads, 1) << file;
        for (const LayoutItem& item : state.items) EXPECT_EQ(item.Angle, std::fmod(item.Angle + 360, 360));
    }
}

TEST(Rebuild, ReadsRealFilesMovesTheSheetToTheOriginAndNamesAMissingFile)
{
    TempFolder dir;
    const std::string sheet = dir.file("sheet.shp");
    ASSERT_EQ(saveShapeFile(rectangle(10, 10, 500, 400), sheet), "");
    NestingState state;
    state.items = {layoutItem(dir.file("missing.shp"), 1, 1), layoutItem(sheet, 1, 0)};
    const std::vector<std::string> problems = rebuildEntityList(state);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(dir.file("missing.shp")), std::string::npos);
    EXPECT_EQ(instancesOf(state.entities), std::vector<std::string>{"1 0 0 1 0: 0,0 500,400 (4)"});
}

TEST(LayoutRange, FindsTheRunOfALayoutInEitherList)
{
    std::vector<LayoutItem> items;
    for (std::int32_t layoutNo : {1, 1, 1, 2, 2, 3}) items.push_back(layoutItem("x", layoutNo, 0));
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
