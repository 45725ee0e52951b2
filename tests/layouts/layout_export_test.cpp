// Layouts saved as drawings and shape files by hand-made example (the engine's layouts are read
// back in engine_layouts_test), what goes wrong, the layout list and the names proposed for files.
#include <gtest/gtest.h>

#include <filesystem>

#include "geometry/shape_file.h"
#include "golden.h"
#include "layout_helpers.h"
#include "layouts/layout_export.h"
#include "layouts/layout_list.h"
#include "support/text_match.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

const std::string kTemplates = DRAVENOR_RESOURCE_DIR;

} // namespace

// A hand-made layout: a 20 x 40 rectangle and a half disc on its flat side, both turned a
// quarter, on a 300 x 200 sheet.
class HandMadeLayout : public ::testing::Test {
protected:
    HandMadeLayout()
    {
        state_.sheets.push_back({sheet_, 1, 0, 0, 0});
        state_.parts = {{rect_, 1, 0, "", 0, 0}, {halfDisc_, 1, 0, "", 0, 0}};
        state_.items = {layoutItem(rect_, 1, 1, 100, 50, 90), layoutItem(halfDisc_, 1, 2, 200, 100, 90),
                        layoutItem(sheet_, 1, 0)};
    }

    std::string drawing(bool names)
    {
        DxfTemplates templates;
        EXPECT_EQ(readDxfTemplates(kTemplates, templates), "");
        const LayoutDrawing made = layoutDxfDrawing(state_, 1, templates, {names, 4});
        EXPECT_TRUE(made.ok()) << made.error;
        return made.text;
    }

    TempFolder folder_;
    std::string rect_ = folder_.write("rect.shp", shapeToFileText(rectangle(0, 0, 20, 40)));
    std::string halfDisc_ = folder_.write("halfdisc.shp", shapeToFileText({lineEntity(0, 0, 20, 0), arcEntity(10, 0, 10, 0, 180)}));
    std::string sheet_ = folder_.write("sheet.shp", shapeToFileText(rectangle(0, 0, 300, 200)));
    NestingState state_;
};

// The golden drawing holds the rectangle as 40 x 20 from (100, 50) named "rect" at (120, 60), the
// half disc with its flat side on the right (line x = 210, arc about (210, 110) from 90 to 270)
// named at (205, 110), then the sheet where it lies.
TEST_F(HandMadeLayout, PartsAreTurnedCounterClockwiseAndPlacedAtTheirCorner)
{
    expectGolden(drawing(true), "hand-made-layout.dxf");
    const std::string plain = drawing(false);
    EXPECT_EQ(plain.find("TEXT\r\n"), std::string::npos);
    EXPECT_NE(plain.find("ARC\r\n"), std::string::npos);
}

TEST_F(HandMadeLayout, FailuresNameTheirCauseAndWriteNothing)
{
    TempFolder empty;
    const std::string out = folder_.file("out.dxf");
    EXPECT_TRUE(contains(saveLayoutAsDxf(state_, 1, out, empty.folder(), {}), "dxf.hd"));
    EXPECT_TRUE(contains(saveLayoutAsDxf(state_, 7, out, kTemplates, {}), "no layout 7"));
    EXPECT_TRUE(contains(saveLayoutByExtension(state_, 1, folder_.file("layout.txt"), kTemplates, {}), ".dxf"));
    EXPECT_TRUE(contains(saveLayoutAsShapeFile(state_, 99, folder_.file("layout.shp")), "no layout 99"));
    folder_.write("halfdisc.shp", "");
    EXPECT_TRUE(contains(saveLayoutAsDxf(state_, 1, out, kTemplates, {}), halfDisc_)) << "an empty shape file";
    EXPECT_EQ(folder_.entries(), (std::vector<std::string>{"halfdisc.shp", "rect.shp", "sheet.shp"}));

    // A missing shape file leaves the previous drawing as it was.
    std::filesystem::remove(halfDisc_);
    const std::string target = folder_.write("old.dxf", "previous drawing");
    const std::string message = saveLayoutAsDxf(state_, 1, target, kTemplates, {});
    EXPECT_TRUE(contains(message, halfDisc_) && contains(message, target)) << message;
    EXPECT_EQ(TempFolder::read(target), "previous drawing");
}

TEST(LayoutList, OneLinePerLayoutWithTheHighestNumberAndTheQuantityAndFileNamesFromIt)
{
    NestingState state;
    const std::int32_t qtys[] = {2, 1, 4};
    for (std::int32_t layoutNo = 1; layoutNo <= 3; ++layoutNo)
        for (const int instance : {1, 2, 0})
            appendShape(state.entities, rectangle(0, 0, 1, 1), layoutNo, 1, 0, instance, 0, qtys[layoutNo - 1]);
    EXPECT_EQ(layoutListEntries(state), (std::vector<std::string>{"1/3  [QTY 2]", "2/3  [QTY 1]", "3/3  [QTY 4]"}));
    EXPECT_TRUE(layoutListEntries(NestingState{}).empty());
    EXPECT_EQ(layoutNumberOfEntry("12/15  [QTY 3]"), 12);
    EXPECT_EQ(layoutNumberOfEntry("7"), 7);
    EXPECT_EQ(layoutNumberOfEntry(""), 0);
    EXPECT_EQ(proposedLayoutFileName("/home/ann/jobs/plates.nst", "2/5  [QTY 3]"), "plates-2-5  [QTY 3]");
    EXPECT_EQ(proposedLayoutFileName("C:\\Jobs\\Frame.NST", "12/12  [QTY 1]"), "Frame-12-12  [QTY 1]");
}
