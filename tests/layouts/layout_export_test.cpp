// Layouts saved as drawings and shape files, and every layout of a real nested job, on a square
// sheet and on a wide one the engine nests turned with every part: sound by the vector check,
// saved as a drawing (built from the item rows) and a shape file (from the entity list) that read
// back as the engine's entities, and rebuilt from the item rows as the engine made it. Then a hand-made layout against
// a golden drawing, failures, the layout list and the names proposed for files.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/engine_job.h"
#include "engine/nesting_driver.h"
#include "geometry/dxf_export_check.h"
#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "job/files.h"
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

// A small real job: rectangles and discs nested by the engine on 300 x 300 sheets (or sheets of
// the size given), so the layouts have several parts, arcs and more than one layout.
Shape disc(double radius)
{
    return {arcEntity(radius, radius, radius, 0, 360)};
}

class NestedJob {
public:
    explicit NestedJob(double sheetWidth = 300, double sheetHeight = 300)
    {
        job.kerf(3)
            .sheet(job.rectangleFile("sheet.shp", sheetWidth, sheetHeight), 3)
            .part(job.rectangleFile("plate.shp", 120, 70), 6)
            .part(job.shapeFile("disc.shp", disc(40)), 4)
            .part(job.rectangleFile("strip.shp", 250, 30), 2);
        SilentProgress silent;
        const RunResult result = optimise(job.state, NestingMode::Free, silent);
        EXPECT_EQ(result.status, EndStatus::Full);
    }
    NestingState& state() { return job.state; }

private:
    EngineJob job;
};

ShapeEntity geometryOf(const LayoutEntity& e)
{
    return {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
}

// A record as dxf_check.py prints it: type, numbers and, for a TEXT, its text.
CheckedEntity expectedOf(const ShapeEntity& e)
{
    switch (entityKind(e)) {
    case EntityKindCode::Line: return {"LINE", "", {e.X1, e.Y1, e.X2, e.Y2}, {}};
    case EntityKindCode::Circle: return {"CIRCLE", "", {e.CX, e.CY, e.RAD}, {}};
    case EntityKindCode::Arc: break;
    }
    return {"ARC", "", {e.CX, e.CY, e.RAD, e.Nstart, e.Nend}, {}};
}

// The records the drawing of a layout must hold: each instance's entities, then (with names) a
// TEXT at the centre of that instance's box, the sheet last without a text.
std::vector<CheckedEntity> expectedDrawing(const NestingState& state, int layoutNo, const LayoutDxfOptions& options)
{
    std::vector<CheckedEntity> records;
    const auto [first, last] = findEntityRange(state.entities, layoutNo);
    Shape instance;
    for (int i = first; i <= last; ++i) {
        const LayoutEntity& e = state.entities[static_cast<size_t>(i)];
        records.push_back(expectedOf(geometryOf(e)));
        instance.push_back(geometryOf(e));
        if (i < last && state.entities[static_cast<size_t>(i + 1)].Instance == e.Instance) continue;
        if (options.partNames && e.Instance != 0) {
            const Extents box = shapeExtents(instance);
            const std::string name = fileNameOnly(state.part(e.PartIndex).FileName);
            records.push_back({"TEXT",
                               "",
                               {(box.xmin + box.xmax) / 2, (box.ymin + box.ymax) / 2, options.textHeight},
                               name.substr(0, name.size() - 4)});
        }
        instance.clear();
    }
    return records;
}

void expectSameRecords(const std::vector<CheckedEntity>& got, const std::vector<CheckedEntity>& want)
{
    ASSERT_EQ(got.size(), want.size());
    std::set<std::string> handles;
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i) + " " + want[i].type);
        ASSERT_EQ(got[i].type, want[i].type);
        ASSERT_EQ(got[i].values.size(), want[i].values.size());
        for (size_t k = 0; k < want[i].values.size(); ++k) {
            // Angles compare on the circle (359.9999999 and 0 are the same direction).
            const double d = std::fabs(got[i].values[k] - want[i].values[k]);
            const double gap =
                want[i].type == "ARC" && k >= 3 ? std::min(std::fmod(d, 360.0), 360 - std::fmod(d, 360.0)) : d;
            EXPECT_LT(gap, 1e-6) << "value " << k << ": got " << got[i].values[k] << ", want " << want[i].values[k];
        }
        EXPECT_EQ(got[i].text, want[i].text);
        EXPECT_TRUE(got[i].handle.empty() || handles.insert(got[i].handle).second) << "repeated " << got[i].handle;
    }
}

// The shape file holds the stored entities only: no header, no names, no end mark.
void expectShapeFileReadsBack(const NestingState& state, int layoutNo, const std::string& path)
{
    ASSERT_EQ(saveLayoutByExtension(state, layoutNo, path, "/no/templates/needed", {true, 5}), "");
    EXPECT_TRUE(TempFolder::read(path).starts_with("\"") && !contains(TempFolder::read(path), "TEXT"));
    Shape shape;
    ASSERT_TRUE(readShapeFile(path, shape).readable);
    std::vector<CheckedEntity> back;
    for (const ShapeEntity& e : shape) back.push_back(expectedOf(e));
    expectSameRecords(back, expectedDrawing(state, layoutNo, {}));
}

} // namespace

TEST(EngineLayouts, AreSoundSavedAndRebuiltAsTheEngineMadeThem)
{
    const std::string python = pythonWithEzdxf();
    for (const auto& [width, height] : {std::pair{300, 300}, {500, 260}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        NestedJob nested(width, height);
        const NestingState& state = nested.state();
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
            if (python.empty()) continue;
            // Names on the turned job's drawings, at the centres of the turned parts.
            const LayoutDxfOptions options{width == 500, 2.75};
            const std::string dxf = folder.file("layout.dxf");
            ASSERT_EQ(saveLayoutAsDxf(state, layoutNo, dxf, kTemplates, options), "");
            const DxfCheck check = checkDxf(python, dxf);
            EXPECT_EQ(check.version, "AC1009");
            EXPECT_TRUE(check.problems.empty()) << check.problems.front();
            expectSameRecords(check.entities, expectedDrawing(state, layoutNo, options));
        }
    }
    EXPECT_EQ(defaultLayoutTextHeight(NestingState{}, 99), 1);
    if (python.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed: drawings not read back";
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
