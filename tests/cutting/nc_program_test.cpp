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
    if (std::getenv("DRAVENOR_UPDATE_GOLDEN")) { ASSERT_EQ(writeFileAtomically(golden, program), ""); }
    const FileText expected = readWholeFile(golden);
    ASSERT_TRUE(expected.bytes) << expected.error;
    EXPECT_EQ(program, *expected.bytes);
}

TEST(NcProgram, EachPostSettingChangesTheProgram)
{
    const struct {
        PostSettings post;
        const char* present; // a pattern the program must hold
        const char* absent;  // and one it must not (if any)
    } cases[] = {
        {{.lineNumbers = true, .lineNumberStep = 5}, "^N15 ", "^G0"},
        {{.comments = CommentStyle::Semicolon}, "^; part 1 washer \\[big\\]|^; part 1 washer \\(big\\)", "^\\("},
        {{.comments = CommentStyle::None}, "^G21", "^\\(|^;"},
        {{.arcsAsLines = true}, "^G1 X", "^G[23] "},
        {{.torchOn = "M7", .torchOff = "M9"}, "^M7\r$", "^M3\r$"},
        {{.decimals = 1}, "^G0 X[0-9]+(\\.[0-9])? Y[0-9]+(\\.[0-9])?\r$", "\\.[0-9]{2}"},
        {{.controllerCompensation = true}, "^G41\r$", nullptr},
        {{.startLines = {"G64 P0.1"}, .endLines = {"M30"}}, "^G64 P0.1\r$", "^M2\r$"},
    };
    for (const auto& c : cases) {
        const std::string program = programWith(c.post);
        EXPECT_GT(count(program, c.present), 0) << c.present << "\n" << program;
        if (c.absent) { EXPECT_EQ(count(program, c.absent), 0) << c.absent << "\n" << program; }
    }
}

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
