// Of two arrangements that use the same sheets as far, the one leaving the larger remnant (then the
// squarer, then the larger remnants of the other sheets) is the better; fewer sheets or a shorter
// used length always come first. Four 100 x 100 squares, spacing 2, on 1000 x 500 sheets.
#include <gtest/gtest.h>

#include <vector>

#include "deep/solution_score.h"
#include "engine/engine_job.h"
#include "geometry/shape_builders.h"

using namespace dravenor;
using namespace dravenor::testing;
namespace dd = dravenor::deep;

namespace {

struct Square {
    int bin;
    double x, y;
};
using Squares = std::vector<Square>;

const Squares kRowAtBottom{{0, 0, 0}, {0, 110, 0}, {0, 220, 0}, {0, 330, 0}};
const Squares kRowAtTop{{0, 0, 400}, {0, 110, 400}, {0, 220, 400}, {0, 330, 400}};
const Squares kRowOneLifted{{0, 0, 0}, {0, 110, 200}, {0, 220, 0}, {0, 330, 0}};
// Shorter, but across the whole width: the remnant beside it is a little smaller.
const Squares kTwoColumnsAcross{{0, 0, 0}, {0, 0, 400}, {0, 110, 0}, {0, 110, 400}};

dd::Score scoreOf(const dd::DeepJob& job, const Squares& squares)
{
    dd::Arrangement a(job);
    dd::Solution s;
    for (const Square& q : squares) {
        s.bins.resize(std::max(s.bins.size(), static_cast<std::size_t>(q.bin + 1)), dd::Bin{0, dd::kInfinity});
        s.items.push_back(dd::Placement{q.bin, 0, q.x, q.y});
    }
    a.load(s);
    return dd::scoreOf(a);
}

TEST(RemnantScores, TheLargerRemnantWinsOnlyAmongEqualSheets)
{
    const struct {
        const char* name;
        bool holedSheet;  // a 100 x 60 hole at (800, 420)
        Squares first, second;
        int winner;       // 1 or 2; 0 for neither
    } cases[] = {
        {"a lifted square leaves a smaller remnant", false, kRowAtBottom, kRowOneLifted, 1},
        {"the same remnant on the other side", false, kRowAtBottom, kRowAtTop, 0},
        {"a remnant holding the sheet's hole", true, kRowAtBottom, kRowAtTop, 2},
        {"a shorter used length beats a larger remnant", false, kTwoColumnsAcross, kRowAtBottom, 1},
        {"fewer sheets beat larger remnants", false, kRowOneLifted, {{0, 0, 0}, {0, 110, 0}, {1, 0, 0}, {1, 110, 0}}, 1},
        {"the other sheet's remnant breaks the tie", false, {{0, 0, 0}, {0, 110, 0}, {0, 220, 0}, {1, 0, 0}},
         {{0, 0, 0}, {0, 110, 300}, {0, 220, 0}, {1, 0, 0}}, 1},
    };
    for (const auto& c : cases) {
        EngineJob files;
        Shape sheet = rectangle(0, 0, 1000, 500);
        if (c.holedSheet) append(sheet, rectangle(800, 420, 100, 60));
        files.kerf(2).sheet(files.shapeFile("sheet.shp", sheet), 2).part(files.rectangleFile("square.shp", 100, 100), 4, 0, "No");
        NestingState state = files.state;
        const dd::DeepJob job = dd::buildDeepJob(state, {2, 0}, [] { return false; });
        const dd::Score first = scoreOf(job, c.first), second = scoreOf(job, c.second);
        EXPECT_EQ(first.betterThan(second), c.winner == 1) << c.name;
        EXPECT_EQ(second.betterThan(first), c.winner == 2) << c.name;
    }
}

} // namespace
