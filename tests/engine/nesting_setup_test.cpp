#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/kerf_scale.h"
#include "engine/run_texts.h"
#include "engine_job.h"

using namespace dravenor;
using namespace dravenor::testing;

TEST(RunTexts, NiceKerfAndElapsedTime)
{
    // A whole kerf stays; the fraction goes to fives of its first digits, at least 0.01.
    for (const auto& [kerf, nice] : std::vector<std::pair<double, double>>{
             {0.0625, 0.06}, {1.234, 1.25}, {0.3, 0.3}, {3, 3}, {6.25, 6.25}, {2.0001, 2.01}})
        EXPECT_DOUBLE_EQ(niceKerf(kerf), nice) << kerf;
    // At most two decimals and no leading zero.
    for (const auto& [seconds, text] : std::vector<std::pair<double, std::string>>{
             {0.5, ".5"}, {5, "5."}, {12.345, "12.35"}, {0.25, ".25"}})
        EXPECT_EQ(formatElapsed(seconds), text) << seconds;
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

TEST(KerfAndScale, KerfGrowsToCapTheSheetRasterAndGiveTheSmallestPartTwoCells)
{
    struct Case {
        double sheetW, sheetH, partW, partH, kerf, actKerf;
    };
    // One cell per kerf; the cap of about 1600 cells across the largest sheet (no kerf starts
    // at 0.0625: 1000 / 1600 = 0.625 -> 0.6); the smallest part two cells across (1.2 / 2).
    for (const Case& c : std::vector<Case>{{1000, 500, 100, 50, 3, 3},
                                           {10000, 10000, 500, 500, 3, 6.25},
                                           {1000, 1000, 100, 100, 0, 0.6},
                                           {1000, 500, 100, 1.2, 3, 0.6}}) {
        EngineJob job;
        job.sheet(job.rectangleFile("s.shp", c.sheetW, c.sheetH), 1);
        job.part(job.rectangleFile("p.shp", c.partW, c.partH), 1).kerf(c.kerf);
        const KerfScale plan = planKerfAndScale(job.state);
        EXPECT_DOUBLE_EQ(plan.actKerf, c.actKerf) << c.sheetW << " " << c.partH << " " << c.kerf;
        EXPECT_EQ(plan.smallPartRule, c.partH == 1.2);
    }
    // An absurdly small kerf cannot make the raster larger.
    EngineJob tiny;
    tiny.sheet(tiny.rectangleFile("s.shp", 3000, 1500), 1).part(tiny.rectangleFile("p.shp", 100, 100), 1).kerf(1e-9);
    EXPECT_LE(planKerfAndScale(tiny.state).largestSheetCells(), 1601);
}
