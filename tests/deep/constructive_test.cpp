// A first arrangement places every part that has room: on a long strip the free room lies beyond
// the parts already placed, far from the low corners a crowded start offers first.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "deep/budget.h"
#include "deep/constructive.h"
#include "deep/deep_job.h"
#include "deep/deep_shapes.h"
#include "engine/engine_job.h"

using namespace dravenor;
using namespace dravenor::testing;
namespace dd = dravenor::deep;

namespace {

TEST(FirstArrangement, PlacesEveryPartAStripHasRoomFor)
{
    EngineJob files;
    files.kerf(1)
        .sheet(files.rectangleFile("strip.shp", 6000, 150), 1)
        .part(files.shapeFile("l.shp", lShape(50, 40, 12)), 90, 0, "step90")
        .part(files.rectangleFile("a.shp", 30, 20), 90, 0, "step90");
    NestingState state = files.state;
    const dd::DeepJob job = dd::buildDeepJob(state, {2, 0}, [] { return false; });
    const std::atomic<bool> stop{false};
    std::atomic<std::int64_t> passes{0};
    const dd::Budget budget(0, dd::Budget::Clock::now(), dd::Budget::Clock::time_point::max(), stop, passes);
    for (const dd::FillWay way : {dd::FillWay::AlongFirst, dd::FillWay::AcrossFirst}) {
        dd::Random random(5);
        dd::Arrangement a(job);
        dd::construct(a, dd::placingOrder(job, 0, random), way, random, budget);
        ASSERT_EQ(a.binCount(), 1);
        int placed = 0;
        for (int item = 0; item < a.itemCount(); ++item) {
            if (!a.placement(item).placed()) continue;
            ++placed;
            // Placed free of the others and inside the strip.
            const dd::Placement p = a.placement(item);
            a.lift(item);
            EXPECT_TRUE(a.fits(item, p)) << item;
            a.place(item, p);
        }
        EXPECT_EQ(placed, a.itemCount()) << (way == dd::FillWay::AlongFirst ? "along" : "across");
        // Filled along the strip, packed from its start rather than strewn along it: the parts'
        // area fills 920 mm of it. (Across first lays the first row along the whole strip.)
        if (way == dd::FillWay::AlongFirst) {
            EXPECT_LT(a.usedEnd(0), 1500);
        }
    }
}

} // namespace
