// Separation with one or more tries a pass: where the sheet has room it ends free of collisions
// (checked pair by pair on the outlines, apart from the tracker), and where it has not it ends on
// the arrangement of least loss with the tracker's record matching that arrangement.
#include <gtest/gtest.h>

#include <atomic>

#include "deep/collision_exact.h"
#include "deep/collision_tracker.h"
#include "deep/deep_job.h"
#include "deep/deep_shapes.h"
#include "deep/placement_search.h"
#include "deep/separator.h"
#include "engine/engine_job.h"

using namespace dravenor;
using namespace dravenor::testing;
namespace dd = dravenor::deep;

namespace {

struct Case {
    const char* name;
    double sheetWidth, sheetHeight;
    int triesPerPass;
    bool separable;
};

class Separation : public ::testing::TestWithParam<Case> {};

int collidingPairs(const dd::Arrangement& a)
{
    int pairs = 0;
    for (int i = 0; i < a.itemCount(); ++i)
        for (int j = i + 1; j < a.itemCount(); ++j) {
            const dd::Placement &p = a.placement(i), &q = a.placement(j);
            pairs += dd::regionsCollide(a.orientation(i, p.orient).spacing, {p.x, p.y}, a.orientation(j, q.orient).spacing,
                                        {q.x, q.y})
                         ? 1
                         : 0;
        }
    return pairs;
}

TEST_P(Separation, EndsFreeOfCollisionsOrOnItsLeastLossWithAMatchingRecord)
{
    const Case& c = GetParam();
    EngineJob files;
    files.kerf(1)
        .sheet(files.rectangleFile("sheet.shp", c.sheetWidth, c.sheetHeight), 1)
        .part(files.shapeFile("slot.shp", slot(70, 16)), 6, 0, "step90")
        .part(files.shapeFile("l.shp", lShape(50, 40, 12)), 6, 0, "step90")
        .part(files.shapeFile("frame.shp", frame(44, 26)), 4, 0, "step90");
    const dd::DeepJob job = dd::buildDeepJob(files.state, {2, 0}, [] { return false; });
    for (int seed = 1; seed <= 3; ++seed) {
        dd::Random random(static_cast<std::uint64_t>(seed));
        dd::Arrangement a(job);
        const int bin = a.addBin(0);
        for (int item = 0; item < a.itemCount(); ++item) a.place(item, *dd::randomPlacement(a, item, bin, random));
        dd::CollisionTracker tracker;
        tracker.reset(a);
        const std::atomic<bool> stop{false};
        std::atomic<std::int64_t> counter{0};
        dd::Budget budget(200, dd::Budget::Clock::now(), dd::Budget::Clock::time_point::max(), stop, counter);
        DeepWork work;
        dd::Separator separator(a, tracker, random, budget, work);
        dd::SeparationSettings settings;
        settings.triesPerPass = c.triesPerPass;
        const bool done = separator.separate(settings);

        EXPECT_EQ(done, c.separable) << "seed " << seed;
        for (int item = 0; item < a.itemCount(); ++item) ASSERT_TRUE(a.placement(item).placed()) << "item " << item;
        dd::CollisionTracker fresh;
        fresh.reset(a);
        EXPECT_NEAR(tracker.totalLoss(), fresh.totalLoss(), 1e-6 * std::max(1.0, fresh.totalLoss())) << "seed " << seed;
        if (c.separable) {
            EXPECT_EQ(collidingPairs(a), 0) << "seed " << seed;
            EXPECT_TRUE(fresh.feasible()) << "seed " << seed;
        } else {
            EXPECT_GT(fresh.totalLoss(), 0) << "seed " << seed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TriesAPass, Separation,
                         ::testing::Values(Case{"RoomOneTry", 260, 180, 1, true}, Case{"RoomTwoTries", 260, 180, 2, true},
                                           Case{"RoomThreeTries", 260, 180, 3, true},
                                           Case{"CrowdedOneTry", 120, 100, 1, false},
                                           Case{"CrowdedTwoTries", 120, 100, 2, false}),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
