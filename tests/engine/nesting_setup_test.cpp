#include <gtest/gtest.h>

#include <cmath>

#include "engine/kerf_scale.h"
#include "engine/nesting_checks.h"
#include "engine/nesting_driver.h"
#include "engine/run_texts.h"
#include "engine/shape_area.h"
#include "engine_job.h"

using namespace dravenor;
using namespace dravenor::testing;

TEST(NiceKerf, RoundsTheFractionToFivesOfItsFirstDigits)
{
    EXPECT_DOUBLE_EQ(niceKerf(0.0625), 0.06);
    EXPECT_DOUBLE_EQ(niceKerf(1.234), 1.25);
    EXPECT_DOUBLE_EQ(niceKerf(0.3), 0.3);
    EXPECT_DOUBLE_EQ(niceKerf(3), 3) << "a whole kerf stays";
    EXPECT_DOUBLE_EQ(niceKerf(6.25), 6.25);
    EXPECT_DOUBLE_EQ(niceKerf(2.0001), 2.01) << "the fraction is at least 0.01";
}

TEST(FormatElapsed, ShowsAtMostTwoDecimalsAndNoLeadingZero)
{
    EXPECT_EQ(formatElapsed(0.5), ".5");
    EXPECT_EQ(formatElapsed(5), "5.");
    EXPECT_EQ(formatElapsed(12.345), "12.35");
    EXPECT_EQ(formatElapsed(0.25), ".25");
}

TEST(RunTexts, TitleAndEndStatusReadAsTheWindowShowsThem)
{
    EXPECT_EQ(progressTitle(1, 16, false, 0, 0), "Nesting Progress : 6%  | Ov. Yield : NA | Layouts : NA");
    EXPECT_EQ(progressTitle(8, 16, true, 0.8123456, 3), "Nesting Progress : 50%  | Ov. Yield : 81.235% | Layouts : 3");
    EXPECT_EQ(progressTitle(1, 1, true, 0.5, 1), "Nesting Progress : 100%  | Ov. Yield : 50% | Layouts : 1");
    EXPECT_EQ(endStatusText(EndStatus::Full, 0.5), "Full Optimization Done# [.5 Seconds]");
    EXPECT_EQ(endStatusText(EndStatus::Partial, 12.345), "Partial Optimization Done# [12.35 Seconds]");
    EXPECT_EQ(endStatusText(EndStatus::Failed, 5), "Optimization Failed# [5. Seconds]");
}

TEST(KerfAndScale, OneCellPerKerfForOrdinaryJobs)
{
    EngineJob job;
    job.sheet(job.rectangleFile("s.shp", 1000, 500), 1).part(job.rectangleFile("p.shp", 100, 50), 1).kerf(3);
    const KerfScale plan = planKerfAndScale(job.state);
    EXPECT_EQ(plan.actKerf, 3);
    EXPECT_DOUBLE_EQ(plan.scale, 1.0 / 3);
    EXPECT_EQ(plan.largestSheetArea, 500000);
    EXPECT_EQ(plan.smallestPartSide, 50);
}

TEST(KerfAndScale, TheCapHoldsTheLargestSheetToAbout1600Cells)
{
    EngineJob job;
    job.sheet(job.rectangleFile("s.shp", 10000, 10000), 1).part(job.rectangleFile("p.shp", 500, 500), 1).kerf(3);
    KerfScale plan = planKerfAndScale(job.state);
    EXPECT_DOUBLE_EQ(plan.actKerf, 6.25);
    EXPECT_DOUBLE_EQ(plan.largestSheetCells(), 1600);

    // No kerf: 0.0625, then the cap for a 1000 x 1000 sheet: 1000 / 1600 = 0.625 -> 0.6.
    EngineJob zero;
    zero.sheet(zero.rectangleFile("s.shp", 1000, 1000), 1).part(zero.rectangleFile("p.shp", 100, 100), 1).kerf(0);
    plan = planKerfAndScale(zero.state);
    EXPECT_DOUBLE_EQ(plan.actKerf, 0.6);

    // An absurdly small kerf cannot make the raster larger.
    EngineJob tiny;
    tiny.sheet(tiny.rectangleFile("s.shp", 3000, 1500), 1).part(tiny.rectangleFile("p.shp", 100, 100), 1).kerf(1e-9);
    plan = planKerfAndScale(tiny.state);
    EXPECT_LE(plan.largestSheetCells(), 1601);
}

TEST(KerfAndScale, TheSmallestPartGetsTwoCellsAcross)
{
    EngineJob job;
    job.sheet(job.rectangleFile("s.shp", 1000, 500), 1).part(job.rectangleFile("p.shp", 100, 1.2), 1).kerf(3);
    const KerfScale plan = planKerfAndScale(job.state);
    EXPECT_TRUE(plan.smallPartRule);
    EXPECT_DOUBLE_EQ(plan.scale, 2 / 1.2);
    EXPECT_DOUBLE_EQ(plan.actKerf, 0.6);
    EXPECT_EQ(plan.smallestPartFile, job.state.parts[0].FileName);
}

TEST(ShapeArea, RectanglesAtTheOriginAreExact)
{
    EXPECT_TRUE(isOriginRectangle({{0, 0, 10, 0}, {10, 0, 10, 5}, {10, 5, 0, 5}, {0, 5, 0, 0}}));
    EXPECT_FALSE(isOriginRectangle({{0, 0, 10, 0}, {10, 0, 10, 5}, {10, 5, 0, 5}})) << "three segments";
    EXPECT_FALSE(isOriginRectangle({{0, 0, 10, 0}, {10, 0, 10, 5}, {10, 5, 1, 5}, {1, 5, 0, 0}})) << "a slanted side";
    EXPECT_FALSE(isOriginRectangle({{0, 0, 10, 0}, {10, 0, 10, 5}, {10, 5, 0, 6}, {0, 6, 0, 0}}));
    EXPECT_EQ(roundedBoxArea({{0, 0, 10.5, 0}, {10.5, 0, 10.5, 5.5}, {10.5, 5.5, 0, 0}}), 10 * 6);
}

TEST(Checks, MissingFilesAndEmptyListsGiveTheProgramsMessages)
{
    EngineJob job;
    const std::string sheet = job.rectangleFile("s.shp", 100, 100);
    job.sheet(sheet, 1).part("/no/such/part.shp", 1);
    EXPECT_EQ(missingFileMessage(job.state), std::optional<std::string>("/no/such/part.shp not found"));
    job.state.parts.clear();
    EXPECT_EQ(missingFileMessage(job.state), std::nullopt);
    EXPECT_EQ(emptyListMessage(job.state), std::optional<std::string>("No valid CutPieces(s) specified"));
    job.state.sheets.clear();
    EXPECT_EQ(emptyListMessage(job.state), std::optional<std::string>("No valid sheet(s) specified"));
}

TEST(Checks, ShapesThatCannotBeNestedAreNamedWithTheReason)
{
    EngineJob job;
    const std::string sheet = job.rectangleFile("s.shp", 100, 100);
    const std::string open = job.shapeFile("open.shp", {lineEntity(0, 0, 10, 0), lineEntity(10, 0, 10, 10)});
    const std::string flat = job.shapeFile("flat.shp", {lineEntity(0, 0, 10, 0), lineEntity(10, 0, 0, 0)});
    const std::string empty = job.shapeFile("empty.shp", {});
    job.sheet(sheet, 1);

    auto problemWithPart = [&](const std::string& part) {
        NestingState s = job.state;
        s.parts.push_back({part, 1, 0, "", 0, 1});
        return shapeProblemMessage(s).value_or("");
    };
    EXPECT_EQ(problemWithPart(sheet), "");
    EXPECT_NE(problemWithPart(open).find(open + ": the outline is not closed"), std::string::npos);
    EXPECT_EQ(problemWithPart(flat), flat + ": the outline encloses no area");
    EXPECT_EQ(problemWithPart(empty), empty + ": holds no entity");
    // Ends a little apart (well within half a kerf) count as closed.
    job.state.details.Kerf = 3;
    const std::string gap = job.shapeFile("gap.shp", {lineEntity(0, 0, 10, 0), lineEntity(10, 0, 10, 10),
                                                      lineEntity(10, 10, 0, 10), lineEntity(0, 10, 0, 0.01)});
    EXPECT_EQ(problemWithPart(gap), "");
}

TEST(Checks, APartTooSmallBesideTheSheetIsRefusedBeforeTheRasterExplodes)
{
    EngineJob job;
    job.sheet(job.rectangleFile("s.shp", 3000, 1500), 1).part(job.rectangleFile("speck.shp", 0.01, 0.01), 1).kerf(3);
    const std::string message = rasterSizeMessage(job.state).value_or("");
    EXPECT_NE(message.find("speck.shp: too small beside"), std::string::npos) << message;
    job.state.parts[0].FileName = job.rectangleFile("washer.shp", 5, 5);
    EXPECT_EQ(rasterSizeMessage(job.state), std::nullopt);
}
