// Every layout of a real nested job, on a square sheet and on a wide one the engine nests turned
// with every part: sound by the vector check, saved as a shape file that reads back as the
// engine's entities, and rebuilt from the item rows as the engine made it (the drawings of nested
// jobs are read back with ezdxf by check_bench_jobs.py). Then a hand-made layout against a golden
// drawing, failures, the layout list and the names proposed for files.
#include <algorithm>

#include "engine/engine_job.h"
#include "engine/nesting_driver.h"
#include "geometry/shape_file.h"
#include "layout_helpers.h"
#include "layouts/layout_export.h"
#include "layouts/layout_geometry_check.h"
#include "layouts/layout_list.h"
#include "layouts/layout_range.h"
#include "layouts/layout_rebuild.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

const std::string kTemplates = DRAVENOR_RESOURCE_DIR;

// The shape file holds the layout's entities in order (numbers to fifteen digits): no header, no
// names, no end mark.
void expectShapeFileReadsBack(const NestingState& state, int layoutNo, const std::string& path)
{
    ASSERT_EQ(saveLayoutByExtension(state, layoutNo, path, "/no/templates/needed", {true, 5}), "");
    EXPECT_TRUE(TempFolder::read(path).starts_with("\"") && !contains(TempFolder::read(path), "TEXT"));
    Shape shape;
    ASSERT_TRUE(readShapeFile(path, shape).readable);
    const auto [first, last] = findEntityRange(state.entities, layoutNo);
    ASSERT_EQ(std::ssize(shape), last - first + 1);
    for (size_t i = 0; i < shape.size(); ++i) {
        const LayoutEntity& e = state.entities[static_cast<size_t>(first) + i];
        const ShapeEntity& r = shape[i];
        const double want[] = {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
        const double got[] = {r.X1, r.Y1, r.X2, r.Y2, r.CX, r.CY, r.RAD, r.Nstart, r.Nend};
        for (size_t k = 0; k < 9; ++k) EXPECT_NEAR(got[k], want[k], 1e-6) << "entity " << i << ", field " << k;
    }
}

} // namespace

TEST(EngineLayouts, AreSoundSavedAndRebuiltAsTheEngineMadeThem)
{
    for (const auto& [width, height] : {std::pair{300, 300}, {500, 260}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        // Rectangles and discs nested for real: several parts, arcs and more than one layout.
        EngineJob job;
        job.kerf(3)
            .sheet(job.rectangleFile("sheet.shp", width, height), 3)
            .part(job.rectangleFile("plate.shp", 120, 70), 6)
            .part(job.shapeFile("disc.shp", {arcEntity(40, 40, 40, 0, 360)}), 4)
            .part(job.rectangleFile("strip.shp", 250, 30), 2);
        SilentProgress silent;
        ASSERT_EQ(optimise(job.state, NestingMode::Free, silent).status, EndStatus::Full);
        const NestingState& state = job.state;
        const std::vector<std::string> layouts = layoutListEntries(state);
        ASSERT_GE(layouts.size(), width == 300 ? 2u : 1u);
        EXPECT_TRUE(width == 300 ||
                    std::any_of(state.items.begin(), state.items.end(),
                                [](const LayoutItem& item) { return item.PartIndex != 0 && item.Angle != 0; }))
            << "the job should place some parts turned";
        const std::vector<LayoutFault> faults = checkLayouts(state);
        EXPECT_TRUE(faults.empty()) << faults.front().text;
        NestingState rebuilt = state;
        EXPECT_TRUE(rebuildEntityList(rebuilt).empty());
        expectSameEntities(state.entities, rebuilt.entities, false);
        TempFolder folder;
        for (const std::string& entry : layouts) {
            const int layoutNo = layoutNumberOfEntry(entry);
            SCOPED_TRACE("layout " + entry);
            expectShapeFileReadsBack(state, layoutNo, folder.file("layout.SHP"));
            EXPECT_NEAR(defaultLayoutTextHeight(state, layoutNo), std::max(width, height) / 100.0, 1e-9);
        }
    }
    EXPECT_EQ(defaultLayoutTextHeight(NestingState{}, 99), 1);
}

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
    std::string halfDisc_ =
        folder_.write("halfdisc.shp", shapeToFileText({lineEntity(0, 0, 20, 0), arcEntity(10, 0, 10, 0, 180)}));
    std::string sheet_ = folder_.write("sheet.shp", shapeToFileText(rectangle(0, 0, 300, 200)));
    NestingState state_;
};

// The golden drawing holds the rectangle as 40 x 20 from (100, 50) named "rect" at (120, 60), the
// half disc with its flat side on the right (line x = 210, arc about (210, 110) from 90 to 270)
// named at (205, 110), then the sheet where it lies.
TEST_F(HandMadeLayout, PartsAreTurnedCounterClockwiseAndPlacedAtTheirCorner)
{
    expectGolden("layouts/hand-made-layout.dxf", drawing(true));
    const std::string plain = drawing(false);
    EXPECT_TRUE(!contains(plain, "TEXT\r\n") && contains(plain, "ARC\r\n"));
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
    EXPECT_TRUE(contains(message, halfDisc_) && contains(message, target) && TempFolder::read(target) == "previous drawing")
        << message;
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
    EXPECT_EQ((std::vector<int>{layoutNumberOfEntry("12/15  [QTY 3]"), layoutNumberOfEntry("7"), layoutNumberOfEntry("")}),
              (std::vector<int>{12, 7, 0}));
    EXPECT_EQ(proposedLayoutFileName("/home/ann/jobs/plates.nst", "2/5  [QTY 3]") + "|" +
                  proposedLayoutFileName("C:\\Jobs\\Frame.NST", "12/12  [QTY 1]"),
              "plates-2-5  [QTY 3]|Frame-12-12  [QTY 1]");
}
