// The cut table and the post file: round trips, the shipped files, and damaged input named by
// file and line.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "cutting/cut_table.h"
#include "cutting/nc_export.h"
#include "cutting/post_settings.h"
#include "cutting/ruling_kerf.h"
#include "job/files.h"

namespace dravenor::cutting {
namespace {

TEST(CutTable, ShippedTableHasTheExampleAndBenchMaterial)
{
    std::vector<std::string> errors;
    const CutTable table = readCutTableFile(std::string(DRAVENOR_RESOURCE_DIR) + "/cutting.dat", errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    const std::optional<CutData> row = cutDataFor(table, "s235", 10);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->kerf, 3);
    EXPECT_GT(row->feed, 0);
    EXPECT_FALSE(cutDataFor(table, "S235", 11));
}

TEST(CutTable, SavedTableReadsBackEqualAndSorted)
{
    const CutTable table{{"SS", 6, 2, 2000, 0.6, 5, 3, 1, 1.5, 3}, {"AL", 10, 2.5, 1500, 0.8, 6, 3, 1.25}, {"AL", 3, 1.5, 4000, 0.3, 4, 2, 0.5}};
    const std::string path = (std::filesystem::temp_directory_path() / "dravenor-cut-table-test.dat").string();
    ASSERT_EQ(saveCutTableFile(table, path), "");
    std::vector<std::string> errors;
    const CutTable back = readCutTableFile(path, errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(back, (CutTable{table[2], table[1], table[0]}));
    // Eight fields for a row without microjoints of its own, ten with them.
    const std::string text = *readWholeFile(path).bytes;
    EXPECT_EQ(text.substr(0, 47), "\"AL\",\"3\",\"1.5\",\"4000\",\"0.3\",\"4\",\"2\",\"0.5\"\r\n\"AL\"");
    EXPECT_TRUE(text.ends_with("\"SS\",\"6\",\"2\",\"2000\",\"0.6\",\"5\",\"3\",\"1\",\"1.5\",\"3\"\r\n")) << text;
    deleteFile(path);
}

TEST(CutTable, GridEditsReadAsTheFileDoes)
{
    const CutTable table{{"S235", 10, 3, 1500, 0.8, 6, 3, 1}};
    TextGrid grid = cutTableGrid(table);
    EXPECT_EQ(grid.rows(), 3); // titles, one row, the empty entry row
    std::vector<std::string> errors;
    EXPECT_EQ(cutTableFromGrid(grid, errors), table);
    grid.setText(2, 1, "al");
    errors.clear();
    cutTableFromGrid(grid, errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("row 2: ", 0), 0u);
}

// The cut table's kerf rules a run: it replaces the kerf entered, and Deep Nesting's spacing is
// never left below it; without a row (or a row without a kerf) nothing changes.
TEST(CutTable, ARowsMicrojointsRuleOverThePostFiles)
{
    const CutTable table{{"S235", 10, 3, 1500, 0.8, 6, 3, 1, 1.5, 3}, {"S235", 12, 3, 1300, 1, 7, 3, 1}};
    PostSettings post;
    post.jointWidth = 2;
    post.joints = 2;
    for (const auto& [thick, width, joints] : {std::tuple{10.0, 1.5, 3}, std::tuple{12.0, 2.0, 2}}) {
        NestingState state;
        state.details.Mat = "S235";
        state.details.Thick = thick;
        const NcSetup setup = ncSetupFrom(state, "job", table, "cutting.dat", post);
        EXPECT_EQ(std::pair(setup.cut.jointWidth, setup.cut.joints), std::pair(width, joints)) << thick;
    }
}

TEST(CutTable, ItsKerfRulesTheNestingOfItsMaterial)
{
    const CutTable table{{"S235", 10, 3, 1500, 0.8, 6, 3, 1}, {"S235", 12, 0, 1300, 1, 7, 3, 1}};
    struct Case {
        const char* mat;
        double thick, entered, spacing;
        DrawingUnit unit;
        double kerf, spacingAfter;
        std::vector<std::string> notes;
    };
    const std::string kerfNote = "Kerf 3 from the cut table cutting.dat for s235 10 (2.5 entered)";
    for (const Case& c : std::vector<Case>{
             {"s235", 10, 2.5, -1, DrawingUnit::Millimetre, 3, -1, {kerfNote}},
             {"S235", 10, 3, 5, DrawingUnit::Millimetre, 3, 5, {}},
             {"S235", 10, 3, 2, DrawingUnit::Millimetre, 3, 3,
              {"Deep Nesting's spacing 2 raised to the kerf 3: parts closer together cannot be cut"}},
             {"S235", 11, 2.5, 1, DrawingUnit::Millimetre, 2.5, 1, {}},
             {"S235", 12, 2.5, 1, DrawingUnit::Millimetre, 2.5, 1, {}},
             {"S235", 10, 3.0 / 25.4, -1, DrawingUnit::Inch, 3.0 / 25.4, -1, {}}}) {
        BasicDetails details;
        details.Mat = c.mat;
        details.Thick = c.thick;
        details.Kerf = c.entered;
        DeepSettings deep;
        deep.spacing = c.spacing;
        EXPECT_EQ(applyTableKerf(table, "/work/cutting.dat", details, deep, c.unit), c.notes) << c.thick;
        EXPECT_EQ(std::pair(details.Kerf, deep.spacing), std::pair(c.kerf, c.spacingAfter)) << c.thick;
    }
}

TEST(PostFile, ShippedFileIsTheDefaults)
{
    std::vector<std::string> errors;
    const PostSettings shipped = readPostFile(std::string(DRAVENOR_RESOURCE_DIR) + "/post.cfg", errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(shipped, PostSettings{});
}

TEST(PostFile, WrittenSettingsReadBackEqual)
{
    // Every setting away from its default.
    const PostSettings s{.startLines = {"G17", "G64 P0.05"}, .endLines = {"G0 X0 Y0", "M30"}, .torchOn = "M7", .torchOff = "M9",
                         .comments = CommentStyle::Semicolon, .lineNumbers = true, .lineNumberStep = 5, .decimals = 4,
                         .arcsAsLines = true, .arcTolerance = 0.02, .controllerCompensation = true, .arcLeadIn = false,
                         .startCorner = StartCorner::TopRight, .remnantEdgeStart = true, .rapidSpeed = 35000,
                         .commonLine = true, .skeletonCut = 400, .jointWidth = 1.5, .joints = 3, .jointEvery = 250,
                         .jointHoles = true, .jointWord = "M62 P1"};
    std::vector<std::string> errors;
    EXPECT_EQ(parsePostText(postFileText(s), "post.cfg", errors), s);
    EXPECT_TRUE(errors.empty());
}

// A damaged line of either file is the one error, named with the file and its line, and left out.
TEST(CuttingFiles, ADamagedLineIsNamedWithFileAndLine)
{
    const struct {
        bool cutTable; // else the post file
        const char* text;
        const char* says;
    } cases[] = {
        {true, "\"S235\",\"12\",\"3\"", "expected 8 fields"},
        {true, "\"S235\",\"12\",\"3\",\"fast\",\"1\",\"6\",\"3\",\"1\"", "Feed \"fast\""},
        {true, "\"S235\",\"12\",\"-3\",\"900\",\"1\",\"6\",\"3\",\"1\"", "Kerf"},
        {true, "\"S235\",\"12\",\"3\",\"0\",\"1\",\"6\",\"3\",\"1\"", "Feed must be above 0"},
        {true, "\"\",\"12\",\"3\",\"900\",\"1\",\"6\",\"3\",\"1\"", "material is empty"},
        {true, "\"STAINLESS\",\"12\",\"3\",\"900\",\"1\",\"6\",\"3\",\"1\"", "at most 6"},
        {false, "torch = M3", "unknown key \"torch\""},
        {false, "decimals = 2.5", "whole number"},
        {false, "decimals = 9", "whole number from 0 to 6"},
        {false, "arcs = splines", "arcs or lines"},
        {false, "rapid_speed = fast", "rapid_speed"},
        {false, "torch_on =", "needs a program word"},
        {false, "just words", "expected key = value"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> errors;
        if (c.cutTable)
            EXPECT_EQ(parseCutTableText(std::string("\"S235\",\"10\",\"3\",\"1500\",\"0.8\",\"6\",\"3\",\"1\"\r\n\r\n") + c.text + "\r\n",
                                        "cutting.dat", errors).size(), 1u);
        else
            parsePostText(std::string("# a machine\ndecimals = 3\n") + c.text + "\n", "my.cfg", errors);
        ASSERT_EQ(errors.size(), 1u) << c.text;
        EXPECT_TRUE(errors[0].starts_with(c.cutTable ? "cutting.dat line 3: " : "my.cfg line 3: ")) << errors[0];
        EXPECT_NE(errors[0].find(c.says), std::string::npos) << errors[0];
    }
}

} // namespace
} // namespace dravenor::cutting
