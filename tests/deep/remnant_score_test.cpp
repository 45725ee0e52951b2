// Deep Nesting keeps the remnant in mind: of two arrangements that use the same sheets as far, the
// one leaving the larger remnant (then the one closer to a rectangle, then the larger remnants of
// the other sheets) is the better; fewer sheets or a shorter used length always come first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deep/bin_remnant.h"
#include "deep/deep_run.h"
#include "deep/deep_shapes.h"
#include "deep/solution_score.h"
#include "engine/engine_job.h"

using namespace dravenor;
using namespace dravenor::testing;
namespace dd = dravenor::deep;

namespace {

// Where the 100 x 100 squares lie: the sheet (bin) and the corner of each.
struct Square {
    int bin;
    double x, y;
};

enum class Winner { First, Second, Neither };

struct ScoreCase {
    const char* name;
    bool holedSheet;  // a 100 x 60 hole at (800, 420) of the 1000 x 500 sheet
    std::vector<Square> first, second;
    Winner winner;
};

// Four squares, spacing 2, on 1000 x 500 sheets (used length along x).
const std::vector<Square> kRowAtBottom{{0, 0, 0}, {0, 110, 0}, {0, 220, 0}, {0, 330, 0}};
const std::vector<Square> kRowAtTop{{0, 0, 400}, {0, 110, 400}, {0, 220, 400}, {0, 330, 400}};
// The same used length, one square lifted into the middle: the remnant above the row shrinks.
const std::vector<Square> kRowOneLifted{{0, 0, 0}, {0, 110, 200}, {0, 220, 0}, {0, 330, 0}};
// Shorter (two columns) but across the whole width: the remnant beside it is a little smaller.
const std::vector<Square> kTwoColumnsAcross{{0, 0, 0}, {0, 0, 400}, {0, 110, 0}, {0, 110, 400}};

const ScoreCase kCases[] = {
    {"a lifted square leaves a smaller remnant at the same length", false, kRowAtBottom, kRowOneLifted, Winner::First},
    {"the same remnant on the other side is neither better", false, kRowAtBottom, kRowAtTop, Winner::Neither},
    {"a remnant holding the sheet's hole is worth less", true, kRowAtBottom, kRowAtTop, Winner::Second},
    {"a shorter used length wins over a larger remnant", false, kTwoColumnsAcross, kRowAtBottom, Winner::First},
    {"fewer sheets win over larger remnants", false, kRowOneLifted,
     {{0, 0, 0}, {0, 110, 0}, {1, 0, 0}, {1, 110, 0}}, Winner::First},
    {"the other sheets' remnants break a tie of the least used sheet", false,
     {{0, 0, 0}, {0, 110, 0}, {0, 220, 0}, {1, 0, 0}}, {{0, 0, 0}, {0, 110, 300}, {0, 220, 0}, {1, 0, 0}}, Winner::First},
};

class RemnantScores : public ::testing::TestWithParam<ScoreCase> {};

dd::Score scoreOfSquares(const dd::DeepJob& job, const std::vector<Square>& squares)
{
    dd::Arrangement a(job);
    dd::Solution s;
    int bins = 0;
    for (const Square& q : squares) bins = std::max(bins, q.bin + 1);
    s.bins.assign(static_cast<std::size_t>(bins), dd::Bin{0, dd::kInfinity});
    for (const Square& q : squares) s.items.push_back(dd::Placement{q.bin, 0, q.x, q.y});
    a.load(s);
    return dd::scoreOf(a);
}

TEST_P(RemnantScores, TheLargerRemnantWinsOnlyAmongEqualSheets)
{
    const ScoreCase& c = GetParam();
    EngineJob files;
    Shape sheet = rectangle(0, 0, 1000, 500);
    if (c.holedSheet) append(sheet, rectangle(800, 420, 100, 60));
    files.kerf(2).sheet(files.shapeFile("sheet.shp", sheet), 2).part(files.rectangleFile("square.shp", 100, 100), 4, 0, "No");
    NestingState state = files.state;
    const dd::DeepJob job = dd::buildDeepJob(state, {2, 0}, [] { return false; });
    ASSERT_EQ(job.items.size(), 4u);
    const dd::Score first = scoreOfSquares(job, c.first), second = scoreOfSquares(job, c.second);
    EXPECT_EQ(first.betterThan(second), c.winner == Winner::First);
    EXPECT_EQ(second.betterThan(first), c.winner == Winner::Second);
    EXPECT_FALSE(first.betterThan(first));
}

INSTANTIATE_TEST_SUITE_P(Deep, RemnantScores, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return caseName(info.param.name); });

TEST(RemnantScores, TheMeasureIsTheSheetBeyondTheFarthestCut)
{
    // Checked against areas worked out by hand: the used box 0..400 x 0..100 with a clearance of
    // 5 leaves 395 x 1000 above it and 595 x 500 beside it.
    EngineJob files;
    Shape sheet = rectangle(0, 0, 1000, 500);
    append(sheet, rectangle(100, 300, 50, 40));
    files.kerf(2).sheet(files.shapeFile("sheet.shp", sheet), 1).part(files.rectangleFile("p.shp", 10, 10), 1, 0, "No");
    NestingState state = files.state;
    const dd::DeepJob job = dd::buildDeepJob(state, {2, 0}, [] { return false; });
    ASSERT_EQ(job.sheets.size(), 1u);
    const dd::SheetType& s = job.sheets[0];
    const dd::RemnantMeasure above = dd::remnantBeyond(s, dd::Box{0, 0, 400, 100}, 5);
    // The hole lies above the parts: 395 x 1000 less its 50 x 40.
    EXPECT_NEAR(above.area, 395 * 1000 - 2000, 60);
    EXPECT_NEAR(above.rectangularity, 1 - 2000.0 / (395 * 1000), 2e-4);
    // Parts reaching the top leave the side: 595 x 500, and the hole is not in it.
    const dd::RemnantMeasure beside = dd::remnantBeyond(s, dd::Box{0, 0, 400, 500}, 5);
    EXPECT_NEAR(beside.area, 595 * 500, 60);
    EXPECT_NEAR(beside.rectangularity, 1, 1e-3);
    // No parts: the whole free space.
    EXPECT_NEAR(dd::remnantBeyond(s, dd::Box{}, 5).area, 1000 * 500 - 2000, 100);
}

} // namespace
