// dravenor-cli check-layout: layout files placed as the layout editor draws them, saved jobs as
// the main window opens them; one line per fault, a summary, and exit codes 0 / 1 / 2.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_support.h"
#include "geometry/shape_builders.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// A 500 x 300 sheet and a 100 x 20 plate beside a layout file written with relative names.
struct LayoutFolder {
    TempFolder dir;
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 500, 300));
    std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 100, 20));

    std::string layout(const std::string& lines) const { return dir.write("test.lay", lines); }
};

} // namespace

TEST(CheckLayoutFile, SoundLayoutPassesWithPartsTurnedAsTheDrawingTurnsThem)
{
    LayoutFolder f;
    // The first plate stands upright (20 x 100 from the origin), the second lies against it.
    const ToolRun run = runInProcess({"check-layout", f.layout("\"sheet.shp\",0,0,0,1\r\n\"plate.shp\",0,0,90,1\r\n"
                                                             "\"plate.shp\",\"20\",\"0\",\"0\",\"1\"\r\n")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "1 layout checked: no overlaps, every part on its sheet\n");

    // Lying flat, the first plate runs through the second.
    const ToolRun flat = runInProcess({"check-layout", f.layout("\"sheet.shp\",0,0,0,1\r\n\"plate.shp\",0,0,0,1\r\n"
                                                              "\"plate.shp\",20,0,0,1\r\n")});
    EXPECT_EQ(flat.code, 1);
    EXPECT_EQ(flat.out, "layout 1: parts 1 (plate.shp) and 2 (plate.shp) overlap\n"
                        "1 layout checked: 1 overlap, every part on its sheet\n");
}

TEST(CheckLayoutFile, EveryFaultIsListedAndTheToleranceDecidesWhatCounts)
{
    LayoutFolder f;
    const std::string path = f.layout("\"sheet.shp\",0,0,0,1\n\"plate.shp\",0,0,0,1\n\"plate.shp\",99,0,0,1\n"
                                      "\"plate.shp\",0,100,0,1\n\"plate.shp\",450,100,0,1\n");
    const ToolRun run = runInProcess({"check-layout", path});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "layout 1: part 4 (plate.shp) leaves the sheet\n"
                       "layout 1: parts 1 (plate.shp) and 2 (plate.shp) overlap\n"
                       "1 layout checked: 1 overlap, 1 part outside the sheet\n");
    const ToolRun lenient = runInProcess({"check-layout", path, "--tolerance", "60"});
    EXPECT_EQ(lenient.code, 0) << lenient.out;
}

TEST(CheckLayoutFile, TheSheetIsPlacedAtItsOwnPosition)
{
    LayoutFolder f;
    const ToolRun run = runInProcess({"check-layout", f.layout("\"sheet.shp\",200,0,0,1\n\"plate.shp\",0,0,0,1\n")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(contains(run.out, "1 layout checked: no overlaps, 1 part outside the sheet")) << run.out;
}

TEST(CheckLayoutJob, AnEngineLayoutOfASavedJobIsSound)
{
    TempFolder dir;
    const std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 250));
    const std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 150, 60));
    const std::string disc = savedShape(dir, "disc.shp", {arcEntity(35, 35, 35, 0, 360)});
    const std::string nst = dir.file("job.nst");
    const ToolRun nest = runInProcess({"nest", "--kerf", "3", "--sheet", sheet + ":4", "--part", plate + ":7", "--part",
                                       disc + ":6", "--save", nst});
    ASSERT_EQ(nest.code, 0) << nest.err;
    const ToolRun run = runInProcess({"check-layout", nst});
    EXPECT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_TRUE(contains(run.out, "layouts checked: no overlaps, every part on its sheet")) << run.out;

    // Without one of its shapes a layout cannot be judged.
    std::filesystem::remove(plate);
    const ToolRun lacking = runInProcess({"check-layout", nst});
    EXPECT_EQ(lacking.code, 2);
    EXPECT_TRUE(contains(lacking.err, plate + " not found")) << lacking.err;
}

TEST(CheckLayoutErrors, FilesThatCannotBeCheckedGiveExitCodeTwoAndTheirName)
{
    LayoutFolder f;
    const ToolRun missing = runInProcess({"check-layout", f.dir.file("none.lay")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(contains(missing.err, f.dir.file("none.lay") + " not found")) << missing.err;

    const ToolRun noShape = runInProcess({"check-layout", f.layout("\"sheet.shp\",0,0,0,1\n\"gone.shp\",0,0,0,1\n")});
    EXPECT_EQ(noShape.code, 2);
    EXPECT_TRUE(contains(noShape.err, "gone.shp not found")) << noShape.err;

    const ToolRun empty = runInProcess({"check-layout", f.dir.write("empty.lay", "")});
    EXPECT_EQ(empty.code, 2);
    EXPECT_TRUE(contains(empty.err, "empty.lay")) << empty.err;

    EXPECT_EQ(runInProcess({"check-layout", f.sheet}).code, 2);
    EXPECT_EQ(runInProcess({"check-layout", f.layout("\"sheet.shp\",0,0,0,1\n"), "--tolerance", "-1"}).code, 2);
    EXPECT_EQ(runInProcess({"check-layout", f.dir.file("none.nst")}).code, 2);
}
