// NC programs: the whole program of a small layout against a golden file, what each post setting
// changes, read from the program's lines, the cut numbers the comments share with the cut plan
// drawing, and the names the programs are written under.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "cut_layouts.h"
#include "cutting/cut_plan_drawing.h"
#include "cutting/nc_export.h"
#include "cutting/nc_program.h"
#include "job/files.h"
#include "support/recording_surface.h"

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
        {{.comments = CommentStyle::Semicolon}, "^; cut 1: part 1 washer \\(big\\)\\.shp, hole\r$", "^\\("},
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

TEST(NcProgram, EveryCutIsCommentedWithTheNumberTheCutPlanDrawingShowsAtItsPierce)
{
    // A washer with a disc in its hole, a plate with two holes, and the remnant's cut last.
    NestingState state = layoutOf(1000, 400, {{"washer.shp", joined(circle(50, 50, 40), circle(50, 50, 25))},
                                             {"disc.shp", circle(50, 50, 12)},
                                             {"plate.shp", joined(rectangle(110, 10, 80, 60), joined(circle(130, 40, 8), circle(170, 40, 8)))}});
    CutSettings settings;
    settings.remnants = RemnantMarks{3, RemnantSettings{}, {}};
    const CutPlanResult planned = planLayoutCut(state, 1, settings);
    ASSERT_TRUE(planned.plan) << planned.error;
    const CutPlan& plan = *planned.plan;
    ASSERT_EQ(plan.contours.size(), 7u);
    ASSERT_EQ(plan.contours.back().part, 0); // the remnant's cut

    testing::RecordingSurface surface;
    surface.setScale({0, 0, 1000, 400});
    drawCutPlan(plan, surface, 400);
    // The label drawn nearest each pierce, as the drawing puts it beside the pierce.
    auto drawnAt = [&](Vec2 pierce) {
        const testing::RecordedText* nearest = nullptr;
        for (const testing::RecordedText& t : surface.texts)
            if (!nearest || distance({t.x, 400 - t.y}, pierce) < distance({nearest->x, 400 - nearest->y}, pierce)) nearest = &t;
        return nearest ? nearest->text : "";
    };
    // Each comment names the cut whose pierce the next rapid goes to.
    const std::string program = ncProgramText(plan, settings, PostSettings{}, {"job.nst", "S235", 10, 1, false});
    const std::regex cut("\\(cut ([0-9]+): ([^)]*)\\)\r\nG0 X([-0-9.]+) Y([-0-9.]+)\r\n");
    std::vector<std::string> comments;
    for (auto m = std::sregex_iterator(program.begin(), program.end(), cut); m != std::sregex_iterator(); ++m) {
        const Vec2 pierce{std::stod((*m)[3]), std::stod((*m)[4])};
        EXPECT_EQ(drawnAt(pierce), (*m)[1].str()) << (*m)[2];
        comments.push_back((*m)[2]);
    }
    EXPECT_EQ(surface.texts.size(), 7u);
    EXPECT_EQ(comments, (std::vector<std::string>{"part 2 disc.shp, outline", "part 1 washer.shp, hole",
                                                  "part 1 washer.shp, outline", "part 3 plate.shp, hole",
                                                  "part 3 plate.shp, hole", "part 3 plate.shp, outline",
                                                  comments.back()}));
    EXPECT_EQ(comments.back().rfind("remnant cut, keeps remnant ", 0), 0u) << comments.back();
}

TEST(NcExport, ProgramsAreNamedAfterTheJobFileOrLayoutNAloneForAJobNotSaved)
{
    const struct {
        const char* jobFile;
        int layoutNo;
        const char* name;
    } cases[] = {
        {"/home/ann/jobs/plates.nst", 2, "plates-layout-2.nc"},
        {"C:\\Jobs\\Frame.NST", 12, "Frame-layout-12.nc"},
        {"frames v2.nst", 1, "frames v2-layout-1.nc"},
        {"/jobs/brackets", 3, "brackets-layout-3.nc"},
        {"/jobs/a.nst.nst", 1, "a.nst-layout-1.nc"},
        {"", 7, "layout-7.nc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(layoutProgramName(c.jobFile, c.layoutNo), c.name) << c.jobFile;
        EXPECT_EQ(layoutProgramPath("/out", c.jobFile, c.layoutNo), std::string("/out/") + c.name);
        EXPECT_EQ(layoutProgramPath("/out/", c.jobFile, c.layoutNo), std::string("/out/") + c.name);
    }
}

TEST(NcExport, WhatAnExportSaysNamesTheFolderAndEveryFile)
{
    const struct {
        std::vector<std::string> paths;
        const char* text;
    } cases[] = {
        {{"/home/ann/nc/plates-layout-1.nc"}, "NC program written to /home/ann/nc:\nplates-layout-1.nc"},
        {{"/nc/j-layout-1.nc", "/nc/j-layout-2.nc", "/nc/j-layout-4.nc"},
         "3 NC programs written to /nc:\nj-layout-1.nc\nj-layout-2.nc\nj-layout-4.nc"},
        {{"/layout-1.nc"}, "NC program written to /:\nlayout-1.nc"},
        {{"layout-1.nc"}, "NC program written to .:\nlayout-1.nc"},
        {{}, "No NC program written"},
    };
    for (const auto& c : cases) EXPECT_EQ(programsWrittenText(c.paths), c.text);
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
