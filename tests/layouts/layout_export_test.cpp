#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "layouts/layout_items.h"
#include "geometry/dxf_export_check.h"
#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "layouts/layout_export.h"
#include "layouts/layout_list.h"
#include "layouts/layout_range.h"
#include "nested_job.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

const std::string kTemplates = DRAVENOR_RESOURCE_DIR;

// What one exported record should read back as: its type, its numbers as dxf_check.py prints them
// and, for a TEXT, its text.
struct Expected {
    std::string type;
    std::vector<double> values;
    std::string text;
};

Expected expectedOf(const LayoutEntity& e)
{
    const ShapeEntity s{e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
    switch (entityKind(s)) {
    case EntityKindCode::Line: return {"LINE", {e.X1, e.Y1, e.X2, e.Y2}, {}};
    case EntityKindCode::Circle: return {"CIRCLE", {e.CX, e.CY, e.RAD}, {}};
    case EntityKindCode::Arc: break;
    }
    return {"ARC", {e.CX, e.CY, e.RAD, e.Nstart, e.Nend}, {}};
}

// Angles compare on the circle (359.9999999 and 0 are the same direction).
double angleGap(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360 - d);
}

void expectSameRecord(const CheckedEntity& got, const Expected& want, size_t at)
{
    SCOPED_TRACE("record " + std::to_string(at) + " " + want.type);
    ASSERT_EQ(got.type, want.type);
    ASSERT_EQ(got.values.size(), want.values.size());
    for (size_t k = 0; k < want.values.size(); ++k) {
        const bool angle = want.type == "ARC" && k >= 3;
        const double gap = angle ? angleGap(got.values[k], want.values[k]) : std::fabs(got.values[k] - want.values[k]);
        EXPECT_LT(gap, 1e-6) << "value " << k << ": got " << got.values[k] << ", want " << want.values[k];
    }
    EXPECT_EQ(got.text, want.text);
}

// The records the drawing of a layout must hold, taken from the engine's entity list: each
// instance's entities, then (with names) a TEXT at the centre of that instance's box, and the
// sheet's entities last without a text.
std::vector<Expected> expectedDrawing(const NestingState& state, int layoutNo, bool names, double height)
{
    std::vector<Expected> records;
    const auto [first, last] = findEntityRange(state.entities, layoutNo);
    for (int i = first; i <= last; ++i) {
        const LayoutEntity& e = state.entities[static_cast<size_t>(i)];
        records.push_back(expectedOf(e));
        const bool instanceEnds = i == last || state.entities[static_cast<size_t>(i + 1)].Instance != e.Instance;
        if (!names || e.Instance == 0 || !instanceEnds) continue;
        Shape instance;
        for (int j = first; j <= i; ++j) {
            const LayoutEntity& p = state.entities[static_cast<size_t>(j)];
            if (p.Instance == e.Instance) instance.push_back({p.X1, p.Y1, p.X2, p.Y2, p.CX, p.CY, p.RAD, p.Nstart, p.Nend});
        }
        const Extents ext = shapeExtents(instance);
        std::string text = fileNameOnly(state.part(e.PartIndex).FileName);
        text.resize(text.size() - 4);
        records.push_back({"TEXT", {(ext.xmin + ext.xmax) / 2, (ext.ymin + ext.ymax) / 2, height}, text});
    }
    return records;
}

class LayoutDxfReadBack : public ::testing::Test {
protected:
    void SetUp() override
    {
        python_ = pythonWithEzdxf();
        if (python_.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
    }

    // Saves the layout, reads it back and compares it record by record with the entity list.
    void expectLayoutReadsBack(const NestingState& state, int layoutNo, const LayoutDxfOptions& options)
    {
        SCOPED_TRACE("layout " + std::to_string(layoutNo));
        const std::string path = folder_.file("layout-" + std::to_string(layoutNo) + ".dxf");
        ASSERT_EQ(saveLayoutAsDxf(state, layoutNo, path, kTemplates, options), "");
        const DxfCheck check = checkDxf(python_, path);
        EXPECT_EQ(check.version, "AC1009");
        EXPECT_TRUE(check.problems.empty()) << check.problems.front();
        const std::vector<Expected> want = expectedDrawing(state, layoutNo, options.partNames, options.textHeight);
        ASSERT_EQ(check.entities.size(), want.size());
        std::set<std::string> handles;
        for (size_t i = 0; i < want.size(); ++i) {
            expectSameRecord(check.entities[i], want[i], i);
            EXPECT_TRUE(handles.insert(check.entities[i].handle).second) << "repeated handle " << check.entities[i].handle;
        }
    }

    std::string python_;
    TempFolder folder_;
};

} // namespace

TEST_F(LayoutDxfReadBack, EveryLayoutOfATurnedSheetMatchesItsEntities)
{
    NestedJob nested(500, 260); // wider than high: the engine turns the sheet and every part with it
    const NestingState& state = nested.state();
    bool turned = false;
    for (const LayoutItem& item : state.items) turned = turned || (item.PartIndex != 0 && item.Angle != 0);
    EXPECT_TRUE(turned) << "the job should place some parts turned";
    for (const std::string& entry : layoutListEntries(state)) expectLayoutReadsBack(state, layoutNumberOfEntry(entry), {});
}

TEST_F(LayoutDxfReadBack, EveryLayoutOfASeveralLayoutJobMatchesItsEntities)
{
    NestedJob nested;
    const std::vector<std::string> layouts = layoutListEntries(nested.state());
    ASSERT_GE(layouts.size(), 2u);
    for (const std::string& entry : layouts) expectLayoutReadsBack(nested.state(), layoutNumberOfEntry(entry), {});
}

TEST_F(LayoutDxfReadBack, PartNamesSitAtTheCentresOfThePartBoxes)
{
    NestedJob nested;
    LayoutDxfOptions options;
    options.partNames = true;
    options.textHeight = 2.75;
    for (const std::string& entry : layoutListEntries(nested.state()))
        expectLayoutReadsBack(nested.state(), layoutNumberOfEntry(entry), options);
}

// Hand-made layouts whose drawing is worked out on paper.
class HandMadeLayout : public ::testing::Test {
protected:
    HandMadeLayout()
    {
        // 20 wide, 40 high: turned a quarter it is 40 by 20.
        rect_ = folder_.write("rect.shp", shapeToFileText(rectangle(0, 0, 20, 40)));
        // A half disc on its flat side: the line (0,0)-(20,0) and the arc about (10,0) from 0 to 180.
        halfDisc_ = folder_.write("halfdisc.shp", shapeToFileText({lineEntity(0, 0, 20, 0), arcEntity(10, 0, 10, 0, 180)}));
        sheet_ = folder_.write("sheet.shp", shapeToFileText(rectangle(0, 0, 300, 200)));
        state_.sheets.push_back({sheet_, 1, 0, 0, 0});
        state_.parts.push_back({rect_, 1, 0, "", 0, 0});
        state_.parts.push_back({halfDisc_, 1, 0, "", 0, 0});
        item(rect_, 100, 50, 90, 1);
        item(halfDisc_, 200, 100, 90, 2);
        item(sheet_, 0, 0, 0, 0);
    }

    void item(const std::string& name, double x, double y, double angle, std::int32_t partIndex)
    {
        state_.items.push_back(layoutItem(name, 1, partIndex, x, y, angle));
    }

    std::string drawing(bool names)
    {
        DxfTemplates templates;
        EXPECT_EQ(readDxfTemplates(kTemplates, templates), "");
        LayoutDxfOptions options;
        options.partNames = names;
        options.textHeight = 4;
        const LayoutDrawing made = layoutDxfDrawing(state_, 1, templates, options);
        EXPECT_TRUE(made.ok()) << made.error;
        return made.text;
    }

    TempFolder folder_;
    std::string rect_, halfDisc_, sheet_;
    NestingState state_;
};

TEST_F(HandMadeLayout, PartsAreTurnedCounterClockwiseAndPlacedAtTheirCorner)
{
    const std::string python = pythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
    const std::string path = folder_.write("layout.dxf", drawing(true));
    const DxfCheck check = checkDxf(python, path);
    EXPECT_TRUE(check.problems.empty()) << check.problems.front();
    const std::vector<Expected> want{
        // The rectangle turned a quarter: 40 by 20 from (100, 50).
        {"LINE", {140, 50, 140, 70}, {}},
        {"LINE", {140, 70, 100, 70}, {}},
        {"LINE", {100, 70, 100, 50}, {}},
        {"LINE", {100, 50, 140, 50}, {}},
        {"TEXT", {120, 60, 4}, "rect"},
        // The half disc turned a quarter: flat side on the right, bulge to the left.
        {"LINE", {210, 100, 210, 120}, {}},
        {"ARC", {210, 110, 10, 90, 270}, {}},
        {"TEXT", {205, 110, 4}, "halfdisc"},
        // The sheet last, where it lies, without a name.
        {"LINE", {0, 0, 300, 0}, {}},
        {"LINE", {300, 0, 300, 200}, {}},
        {"LINE", {300, 200, 0, 200}, {}},
        {"LINE", {0, 200, 0, 0}, {}},
    };
    ASSERT_EQ(check.entities.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) expectSameRecord(check.entities[i], want[i], i);
}

TEST_F(HandMadeLayout, WithoutNamesNoTextIsWritten)
{
    const std::string text = drawing(false);
    EXPECT_EQ(text.find("TEXT\r\n"), std::string::npos);
    EXPECT_NE(text.find("ARC\r\n"), std::string::npos);
}

TEST_F(HandMadeLayout, FailuresNameTheirCauseAndWriteNothing)
{
    TempFolder empty;
    const std::string out = folder_.file("out.dxf");
    EXPECT_TRUE(contains(saveLayoutAsDxf(state_, 1, out, empty.folder(), {}), "dxf.hd"));
    EXPECT_TRUE(contains(saveLayoutAsDxf(state_, 7, out, kTemplates, {}), "no layout 7"));
    folder_.write("halfdisc.shp", "");
    EXPECT_TRUE(contains(saveLayoutAsDxf(state_, 1, out, kTemplates, {}), halfDisc_)) << "an empty shape file";
    EXPECT_FALSE(std::filesystem::exists(out));

    std::filesystem::remove(halfDisc_);
    const std::string target = folder_.write("old.dxf", "previous drawing");
    const std::string message = saveLayoutAsDxf(state_, 1, target, kTemplates, {});
    EXPECT_TRUE(contains(message, halfDisc_)) << message;
    EXPECT_TRUE(contains(message, target)) << message;
    EXPECT_EQ(TempFolder::read(target), "previous drawing");
}

TEST(LayoutShapeFile, HoldsTheStoredEntitiesOnlyAndReadsBack)
{
    NestedJob nested;
    const NestingState& state = nested.state();
    TempFolder folder;
    const std::string path = folder.file("layout.SHP");
    ASSERT_EQ(saveLayoutByExtension(state, 2, path, "/no/templates/needed", {true, 5}), "");
    const std::string text = TempFolder::read(path);
    EXPECT_EQ(text.rfind("\"", 0), 0u) << "no header expected";
    EXPECT_EQ(text.find("TEXT"), std::string::npos);
    EXPECT_EQ(text.find("EOF"), std::string::npos);

    Shape back;
    ASSERT_TRUE(readShapeFile(path, back).readable);
    const auto [first, last] = findEntityRange(state.entities, 2);
    ASSERT_EQ(back.size(), static_cast<size_t>(last - first + 1));
    for (size_t i = 0; i < back.size(); ++i) {
        const LayoutEntity& e = state.entities[static_cast<size_t>(first) + i];
        const double want[9] = {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
        const double got[9] = {back[i].X1, back[i].Y1, back[i].X2, back[i].Y2, back[i].CX,
                               back[i].CY, back[i].RAD, back[i].Nstart, back[i].Nend};
        for (int k = 0; k < 9; ++k) EXPECT_NEAR(got[k], want[k], 1e-9) << "entity " << i << " field " << k;
    }
}

TEST(LayoutShapeFile, OtherFileTypesAndUnknownLayoutsAreRefused)
{
    NestedJob nested;
    TempFolder folder;
    const std::string text = folder.file("layout.txt");
    EXPECT_NE(saveLayoutByExtension(nested.state(), 1, text, kTemplates, {}).find(".dxf"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(text));
    const std::string shp = folder.file("layout.shp");
    EXPECT_NE(saveLayoutAsShapeFile(nested.state(), 99, shp).find("no layout 99"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(shp));
}

TEST(ProposedLayoutFileName, JobNameAndLayoutLineWithoutSlashes)
{
    EXPECT_EQ(proposedLayoutFileName("/home/ann/jobs/plates.nst", "2/5  [QTY 3]"), "plates-2-5  [QTY 3]");
    EXPECT_EQ(proposedLayoutFileName("C:\\Jobs\\Frame.NST", "12/12  [QTY 1]"), "Frame-12-12  [QTY 1]");
    EXPECT_EQ(proposedLayoutFileName("a.nst", "1/1  [QTY 1]"), "a-1-1  [QTY 1]");
}

TEST(DefaultLayoutTextHeight, AHundredthOfTheSheetsLargerSide)
{
    NestedJob nested(500, 260);
    for (const std::string& entry : layoutListEntries(nested.state()))
        EXPECT_NEAR(defaultLayoutTextHeight(nested.state(), layoutNumberOfEntry(entry)), 5, 1e-9) << entry;
    EXPECT_EQ(defaultLayoutTextHeight(nested.state(), 99), 1);
}
