// dravenor-cli nest --parts-list and --parts-dir: a list nests to the same layouts as the same
// parts given one by one, other stock is named and left out, a bad list names its lines and
// nests nothing, and a folder's file names carry their quantities.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "cli/nest_job.h"
#include "cli_test_support.h"

using namespace dravenor::testing;
using dravenor::cli::Args;

namespace {

// A 400 x 300 sheet, plates, discs and ribs; every run has kerf 3 and material S235, 10 thick.
struct ListJob {
    TempFolder dir;
    bool folders = std::filesystem::create_directories(dir.file("parts")) &&
                   std::filesystem::create_directories(dir.file("lists"));
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 300));
    std::string plate = savedShape(dir, "parts/plate.shp", rectangle(0, 0, 150, 60));
    std::string disc = savedShape(dir, "parts/disc.shp", {arcEntity(35, 35, 35, 0, 360)});
    std::string rib = savedShape(dir, "parts/rib.shp", rectangle(0, 0, 180, 15));

    ToolRun nest(const Args& more, const std::string& json = "") const
    {
        Args args{"nest", "--kerf", "3", "--mat", "S235", "--thick", "10", "--sheet", sheet + ":3"};
        args.insert(args.end(), more.begin(), more.end());
        if (!json.empty()) args.insert(args.end(), {"--json", json});
        return runInProcess(args);
    }
    // The JSON result without its times.
    static std::string result(const std::string& json) { return timeless(TempFolder::read(json)); }
    static std::string timeless(const std::string& text)
    {
        return std::regex_replace(std::regex_replace(text, std::regex("\"seconds\": *[^,]*,"), ""),
                                  std::regex("\\[[^\\]]*Seconds\\]"), "");
    }
};

// The layouts a list gives are compared with the parts given one by one over the bench jobs
// (check_parts_lists.py); here, what the tool says of the rows of other stock it leaves out.
TEST(NestPartsList, RowsOfOtherStockAreNamedOnTheErrorStreamAndLeftOut)
{
    ListJob job;
    const std::string list = job.dir.write("lists/order.csv", "file;qty;Material;Thickness\r\n"
                                                              "../parts/disc.shp;5;s235;10,0\r\n"
                                                              "../parts/plate.shp;9;ALU;10\r\n"
                                                              "../parts/disc.shp;2;S235;8,5\r\n");
    const ToolRun byList = job.nest({"--parts-list", list}, job.dir.file("list.json"));
    ASSERT_EQ(byList.code, 0) << byList.err;
    const ToolRun byParts = job.nest({"--part", job.disc + ":5"}, job.dir.file("parts.json"));
    EXPECT_EQ(ListJob::result(job.dir.file("list.json")), ListJob::result(job.dir.file("parts.json")));
    EXPECT_EQ(byList.err, "dravenor-cli nest: " + list + " line 3 left out: material ALU, the job's is S235\n"
                          "dravenor-cli nest: " + list + " line 4 left out: thickness 8.5, the job's is 10\n");
}

TEST(NestPartsList, ListRowsKeepTheirRulesAfterThePartsGivenOneByOne)
{
    ListJob job;
    const std::string list = job.dir.write("lists/rules.csv", "file,qty,pri,orn,mirror\n"
                                                              "../parts/disc.shp,2,,step180,yes\n"
                                                              "../parts/rib.shp,0,4,No,\n");
    const dravenor::cli::NestJob parsed =
        dravenor::cli::parseNestJob({"--mat", "S235", "--part", job.plate + ":3", "--parts-list", list});
    ASSERT_EQ(parsed.state.parts.size(), 2u);
    const dravenor::PartEntry &plate = parsed.state.parts[0], &disc = parsed.state.parts[1];
    EXPECT_EQ(std::tuple(plate.FileName, plate.Mirror, disc.FileName, disc.Qty, disc.Remaining, disc.Orn, disc.Mirror),
              std::tuple(job.plate, false, job.disc, 2, 2, "step180", true));
    // A quantity of 0 leaves the row out, as it does on the command line.
    EXPECT_EQ(parsed.skippedRows, std::vector<std::string>{"part " + job.rib + " skipped: quantity 0"});
}

TEST(NestPartsList, ABadListNamesEveryBadLineAndNestsNothing)
{
    ListJob job;
    const std::string list = job.dir.write("order.csv", "file,qty,colour\nparts/plate.shp,x,\n");
    const ToolRun unknown = job.nest({"--parts-list", list});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, "dravenor-cli nest: " + list + " line 1: unknown column 'colour' (known: file, quantity, "
                           "priority, orientation, mirror, material, thickness)\n"
                           "dravenor-cli nest: 1 bad line in the parts lists: nothing nested\n");

    job.dir.write("order.csv", "file;qty\nparts/plate.shp;x\nparts/gone.shp;1\nparts/disc.shp;2\n");
    const ToolRun bad = job.nest({"--part", job.rib, "--parts-list", list});
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find(list + " line 2: quantity 'x' is not a whole number from 0 to 999999\n"), std::string::npos);
    EXPECT_NE(bad.err.find(list + " line 3: file 'parts/gone.shp' not found"), std::string::npos);
    EXPECT_NE(bad.err.find("2 bad lines in the parts lists: nothing nested"), std::string::npos);

    const ToolRun missing = job.nest({"--parts-list", job.dir.file("none.csv")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("none.csv"), std::string::npos);
}

TEST(NestPartsList, AFolderGivesEveryShapeFileWithTheQuantityOfItsName)
{
    ListJob job;
    TempFolder parts;
    savedShape(parts, "bracket_x4.shp", rectangle(0, 0, 60, 40));
    savedShape(parts, "lug.shp", rectangle(0, 0, 30, 30));
    parts.write("readme.txt", "not a part");
    const ToolRun byFolder = job.nest({"--parts-dir", parts.folder()}, job.dir.file("dir.json"));
    ASSERT_EQ(byFolder.code, 0) << byFolder.err;
    const ToolRun byParts = job.nest({"--part", parts.file("bracket_x4.shp") + ":4", "--part", parts.file("lug.shp")},
                                     job.dir.file("parts.json"));
    EXPECT_EQ(ListJob::timeless(byFolder.out), ListJob::timeless(byParts.out));
    EXPECT_EQ(ListJob::result(job.dir.file("dir.json")), ListJob::result(job.dir.file("parts.json")));

    TempFolder empty;
    const ToolRun none = job.nest({"--parts-dir", empty.folder()});
    EXPECT_EQ(none.code, 2);
    EXPECT_NE(none.err.find("holds no drawing (.dxf) or shape file (.shp)"), std::string::npos);
}

} // namespace
