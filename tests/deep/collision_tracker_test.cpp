// The search's measure of a place agrees with the record the tracker keeps of the same
// arrangement: every colliding neighbour counted once, with its pair's weight, whether the poles
// prove the collision or only the edges do; and a bound below the loss gives infinity at once.
#include <gtest/gtest.h>

#include <algorithm>

#include "deep/collision_exact.h"
#include "deep/collision_tracker.h"
#include "deep/deep_job.h"
#include "deep/deep_shapes.h"
#include "deep/placement_search.h"
#include "engine/engine_job.h"

using namespace dravenor;
using namespace dravenor::testing;
namespace dd = dravenor::deep;

namespace {

TEST(CollisionTracker, ThePlaceMeasureAgreesWithTheRecordedCollisions)
{
    EngineJob files;
    files.kerf(1)
        .sheet(files.rectangleFile("sheet.shp", 260, 180), 1)
        .part(files.shapeFile("slot.shp", slot(70, 16)), 6, 0, "step90")
        .part(files.shapeFile("l.shp", lShape(50, 40, 12)), 6, 0, "step90")
        .part(files.shapeFile("frame.shp", frame(44, 26)), 4, 0, "step90");
    NestingState state = files.state;
    const dd::DeepJob job = dd::buildDeepJob(state, {2, 0}, [] { return false; });
    dd::Random random(11);
    int provedByPoles = 0, foundByEdges = 0;
    for (int trial = 0; trial < 30; ++trial) {
        dd::Arrangement a(job);
        const int bin = a.addBin(0);
        for (int item = 0; item < a.itemCount(); ++item) a.place(item, *dd::randomPlacement(a, item, bin, random));
        dd::CollisionTracker tracker;
        tracker.reset(a);
        // Weights above 1 on the pairs that collide, as after a few passes of a separation.
        for (int pass = 0; pass < trial % 4; ++pass) tracker.updateWeights();
        for (int item = 0; item < a.itemCount(); ++item) {
            const dd::Placement& p = a.placement(item);
            const double recorded = tracker.weightedLoss(item);
            const double measured = dd::weightedLossAt(a, tracker, item, p, dd::kInfinity);
            EXPECT_NEAR(measured, recorded, 1e-5 * std::max(recorded, 1.0)) << "trial " << trial << " item " << item;
            if (recorded > 0) {
                EXPECT_EQ(dd::weightedLossAt(a, tracker, item, p, recorded / 2), dd::kInfinity);
            }
            for (int other = item + 1; other < a.itemCount(); ++other) {
                const dd::Placement& o = a.placement(other);
                const dd::Region& ri = a.orientation(item, p.orient).spacing;
                const dd::Region& ro = a.orientation(other, o.orient).spacing;
                if (!dd::regionsCollide(ri, {p.x, p.y}, ro, {o.x, o.y})) continue;
                ++(dd::polesOverlap(ri, {p.x, p.y}, ro, {o.x, o.y}) ? provedByPoles : foundByEdges);
            }
        }
    }
    // Both kinds of collision were met often enough to mean something.
    EXPECT_GT(provedByPoles, 100);
    EXPECT_GT(foundByEdges, 20);
}

} // namespace
