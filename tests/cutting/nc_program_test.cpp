// NC programs: the whole program of a small layout against a golden file, then what each post
// setting changes, read from the program's lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "cut_layouts.h"
#include "cutting/nc_export.h"
#include "cutting/nc_program.h"
#include "job/files.h"

namespace dravenor::cutting {
namespace {

using test::circle;
using test::joined;
using test::layoutOf;
using test::rectangle;

NestingState washerLayout()
{
    return layoutOf(200, 100, {{"washer (big).shp", joined(circle(50, 50, 30), circle(50, 50, 10))},
                               {"plate.shp", rectangle(120, 20, 50, 40)}});
}

const CutTable& table()
{
    static const CutTable t{{"S235", 10, 3, 1500, 0.8, 6, 3, 1}};
    return t;
}

std::string programWith(const PostSettings& post, const NestingState& state = washerLayout())
{
    const NcSetup setup = ncSetupFrom(state, "washers.nst", table(), "cutting.dat", post);
    EXPECT_TRUE(setup.ok()) << setup.error;
    const CutPlanResult r = planLayoutCut(state, 1, setup.cut);
    EXPECT_TRUE(r.plan) << r.error;
    return r.plan ? ncProgramText(*r.plan, setup.cut, setup.post, setup.info) : "";
}

int count(const std::string& text, const std::string& pattern)
{
    const std::regex re(pattern, std::regex::multiline);
    return static_cast<int>(std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

TEST(NcProgram, SmallLayoutMatchesGoldenFile)
{
    const std::string program = programWith(PostSettings{});
    const std::string golden = std::string(DRAVENOR_TEST_DATA) + "/golden/cutting/washer-layout.nc";
    if (std::getenv("DRAVENOR_UPDATE_GOLDEN")) ASSERT_EQ(writeFileAtomically(golden, program), "");
    const FileText expected = readWholeFile(golden);
    ASSERT_TRUE(expected.bytes) << expected.error;
    EXPECT_EQ(program, *expected.bytes);
}

struct PostCase {
    const char* name;
    void (*change)(PostSettings&);
    const char* present; // a pattern the program must hold
    const char* absent;  // and one it must not
};

class PostSettingCases : public ::testing::TestWithParam<PostCase> {};

TEST_P(PostSettingCases, ChangeTheProgram)
{
    PostSettings post;
    GetParam().change(post);
    const std::string program = programWith(post);
    EXPECT_GT(count(program, GetParam().present), 0) << program;
    if (*GetParam().absent) EXPECT_EQ(count(program, GetParam().absent), 0) << program;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PostSettingCases,
    ::testing::Values(
        PostCase{"line_numbers", [](PostSettings& p) { p.lineNumbers = true; p.lineNumberStep = 5; }, "^N15 ", "^G0"},
        PostCase{"semicolon", [](PostSettings& p) { p.comments = CommentStyle::Semicolon; }, "^; part 1 washer \\[big\\]|^; part 1 washer \\(big\\)", "^\\("},
        PostCase{"no_comments", [](PostSettings& p) { p.comments = CommentStyle::None; }, "^G21", "^\\(|^;"},
        PostCase{"arcs_as_lines", [](PostSettings& p) { p.arcsAsLines = true; }, "^G1 X", "^G[23] "},
        PostCase{"torch_words", [](PostSettings& p) { p.torchOn = "M7"; p.torchOff = "M9"; }, "^M7\r$", "^M3\r$"},
        PostCase{"decimals", [](PostSettings& p) { p.decimals = 1; }, "^G0 X[0-9]+(\\.[0-9])? Y[0-9]+(\\.[0-9])?\r$", "\\.[0-9]{2}"},
        PostCase{"controller", [](PostSettings& p) { p.controllerCompensation = true; }, "^G41\r$", ""},
        PostCase{"start_end", [](PostSettings& p) { p.startLines = {"G64 P0.1"}; p.endLines = {"M30"}; }, "^G64 P0.1\r$", "^M2\r$"}),
    [](const ::testing::TestParamInfo<PostCase>& info) { return std::string(info.param.name); });

TEST(NcProgram, InchJobsUseG20AndInchFeeds)
{
    NestingState state = washerLayout();
    state.drawingUnit = DrawingUnit::Inch;
    for (LayoutEntity& e : state.entities) {
        e.X1 /= 25.4, e.Y1 /= 25.4, e.X2 /= 25.4, e.Y2 /= 25.4, e.CX /= 25.4, e.CY /= 25.4, e.RAD /= 25.4;
    }
    state.details.Kerf = 3 / 25.4;
    const std::string program = programWith(PostSettings{}, state);
    EXPECT_EQ(count(program, "^G20\r$"), 1);
    EXPECT_EQ(count(program, "^G21"), 0);
    EXPECT_EQ(count(program, " F59\\.055\r$"), 3) << program; // 1500 mm/min in inches, once per cut
}

TEST(NcExport, NoRowForTheMaterialNamesItAndWritesNothing)
{
    NestingState state = washerLayout();
    state.details.Thick = 11;
    const NcSetup setup = ncSetupFrom(state, "washers.nst", table(), "/work/cutting.dat", PostSettings{});
    EXPECT_NE(setup.error.find("\"S235\" at thickness 11"), std::string::npos) << setup.error;
    EXPECT_NE(setup.error.find("/work/cutting.dat"), std::string::npos);
}

TEST(NcExport, AnUnwritableProgramIsNamedInTheError)
{
    const NcSetup setup = ncSetupFrom(washerLayout(), "washers.nst", table(), "cutting.dat", PostSettings{});
    const std::string path = "/nonexistent-folder-for-dravenor/layout-1.nc";
    const NcResult result = writeLayoutProgram(washerLayout(), 1, setup, path);
    EXPECT_NE(result.error.find(path), std::string::npos) << result.error;
}

} // namespace
} // namespace dravenor::cutting
