// Cut plans of small layouts: what is cut before what, where the torch pierces, refusals of
// parts closer than the kerf, and the time estimate worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cut_layouts.h"
#include "cutting/common_lines.h"
#include "cutting/cut_plan.h"
#include "cutting/kerf_offset.h"
#include "cutting/part_contours.h"
#include "support/text_match.h"

namespace dravenor::cutting {
namespace {

using test::circle;
using test::joined;
using test::layoutOf;
using test::rectangle;
using testing::contains;

CutSettings settings()
{
    return {.kerf = 3, .leadIn = 5, .leadOut = 3, .overcut = 1, .feed = 1200, .pierceDelay = 0.5, .rapidSpeed = 12000, .remnants = {}};
}

// A plate with two holes; a small part sits in the first hole; a third part beside it.
NestingState nestedLayout()
{
    return layoutOf(500, 300,
                    {{"beside.shp", rectangle(300, 50, 100, 100)},
                     {"frame.shp", joined(rectangle(20, 20, 250, 250),
                                          joined(rectangle(40, 40, 120, 120), circle(215, 215, 20)))},
                     {"inner.shp", rectangle(60, 60, 50, 50)}});
}

TEST(CutPlan, HolesBeforeTheirOutlineAndGuestsBeforeTheirHole)
{
    const CutPlanResult r = planLayoutCut(nestedLayout(), 1, settings());
    ASSERT_TRUE(r.plan) << r.error;
    const std::vector<CutContour>& cuts = r.plan->contours;
    ASSERT_EQ(cuts.size(), 5u); // beside, inner, two holes and the outline of frame
    auto indexOf = [&](int part, bool hole, int nth = 0) {
        for (size_t i = 0; i < cuts.size(); ++i)
            if (cuts[i].part == part && cuts[i].hole == hole && nth-- == 0) return static_cast<int>(i);
        return -1;
    };
    const int frameOutline = indexOf(2, false);
    EXPECT_LT(indexOf(2, true, 0), frameOutline);
    EXPECT_LT(indexOf(2, true, 1), frameOutline);
    // The square hole holds part 3: part 3 comes before it.
    const auto squareHole = std::find_if(cuts.begin(), cuts.end(), [](const CutContour& c) {
        return c.part == 2 && c.hole && std::abs(pathLength(c.cut) - 4 * 117) < 1e-6;
    });
    ASSERT_NE(squareHole, cuts.end());
    EXPECT_LT(indexOf(3, false), squareHole - cuts.begin());
    EXPECT_TRUE(r.plan->warnings.empty());
}

TEST(CutPlan, PiercesInWasteAndLeadsKeepHalfTheKerf)
{
    const NestingState state = nestedLayout();
    const CutPlanResult r = planLayoutCut(state, 1, settings());
    ASSERT_TRUE(r.plan);
    std::vector<PiecePath> outlines;
    for (int part = 1; part <= 3; ++part) {
        Shape s;
        for (const LayoutEntity& e : state.entities)
            if (e.Instance == part) s.push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
        for (const Contour& c : partContours(s, 0.01).contours) outlines.push_back(c.path);
    }
    std::vector<const PiecePath*> all;
    for (const PiecePath& p : outlines) all.push_back(&p);
    auto least = [&](Vec2 q) { return distanceToPaths(q, all); };
    for (const CutContour& c : r.plan->contours) {
        EXPECT_GE(least(c.pierce), 1.5 - 1e-6);
        EXPECT_GT(pathLength(c.leadIn), 0) << "every contour here has room for a lead-in";
        for (const PiecePath* lead : {&c.leadIn, &c.leadOut})
            for (const PathPiece& p : *lead)
                for (double t = 0; t <= 1; t += 0.125) EXPECT_GE(least(pointAt(p, t)), 1.5 - 5e-3);
        // The lead-in ends where the closed path starts, and the path closes.
        EXPECT_LT(distance(c.leadIn.back().b, c.cut.front().a), 1e-9);
        EXPECT_LT(distance(c.cut.front().a, c.cut.back().b), 1e-9);
        EXPECT_NEAR(pathLength(c.overcut), 1, 1e-9);
    }
}

TEST(CutPlan, TimeIsCutOverFeedPlusPiercesPlusRapids)
{
    const CutPlanResult r = planLayoutCut(nestedLayout(), 1, settings());
    ASSERT_TRUE(r.plan);
    const CutPlan& p = *r.plan;
    double cut = 0, rapid = 0;
    Vec2 at = p.home;
    for (const CutContour& c : p.contours) {
        rapid += distance(at, c.pierce);
        cut += pathLength(c.leadIn) + pathLength(c.cut) + pathLength(c.overcut) + pathLength(c.leadOut);
        at = c.leadOut.empty() ? c.overcut.back().b : c.leadOut.back().b;
    }
    EXPECT_NEAR(p.cutLength, cut, 1e-9);
    EXPECT_NEAR(p.rapidLength, rapid, 1e-9);
    EXPECT_EQ(p.pierces, 5);
    EXPECT_NEAR(p.seconds, cut / 1200 * 60 + 5 * 0.5 + rapid / 12000 * 60, 1e-9);
}

// The rapid travel of the same contours cut part after part in the layout's own order.
double rapidsInListedOrder(const CutPlan& plan)
{
    std::vector<CutContour> listed = plan.contours;
    std::stable_sort(listed.begin(), listed.end(), [](const CutContour& a, const CutContour& b) { return a.part < b.part; });
    return rapidTravel(plan.home, listed);
}

TEST(CutPlan, RapidsNoLongerThanTheLayoutsOwnOrder)
{
    // Parts listed in a zigzag across the sheet: the plan must need less than half their travel.
    std::vector<test::PlacedShape> parts;
    for (int i = 0; i < 12; ++i) {
        const double x = (i % 2 ? 900 : 20) + (i / 2) * 10, y = 20 + (i / 2) * 80;
        parts.push_back({"p" + std::to_string(i) + ".shp", rectangle(x, y, 60, 60)});
    }
    const CutPlanResult r = planLayoutCut(layoutOf(1000, 500, parts), 1, settings());
    ASSERT_TRUE(r.plan);
    EXPECT_LT(r.plan->rapidLength, 0.5 * rapidsInListedOrder(*r.plan));
}

TEST(CutPlan, ALargeLayoutIsCutWholeWithShorterRapidsThanItsOwnOrder)
{
    const CutPlanResult r = planLayoutCut(test::manyPartsLayout(2000), 1, settings());
    ASSERT_TRUE(r.plan) << r.error;
    // 2000 outlines and the holes of the 667 plates, each once.
    EXPECT_EQ(r.plan->pierces, 2000 + 667);
    std::vector<int> outlines(2001, 0);
    for (const CutContour& c : r.plan->contours)
        if (!c.hole) ++outlines.at(static_cast<size_t>(c.part));
    EXPECT_EQ(std::count(outlines.begin() + 1, outlines.end(), 1), 2000);
    EXPECT_LE(r.plan->rapidLength, rapidsInListedOrder(*r.plan));
    EXPECT_TRUE(r.plan->warnings.empty());
}

TEST(CutPlan, PartsCloserThanTheKerfAreRefusedByName)
{
    for (const double gap : {2.0, 3.0}) { // exactly the kerf apart is fine
        const NestingState state =
            layoutOf(300, 200, {{"left.shp", rectangle(10, 10, 100, 100)}, {"right.shp", rectangle(110 + gap, 10, 50, 50)}});
        const CutPlanResult r = planLayoutCut(state, 1, settings());
        EXPECT_EQ(!r.plan, gap < 3);
        EXPECT_TRUE(r.plan || (contains(r.error, "left.shp") && contains(r.error, "right.shp"))) << r.error;
    }
}

TEST(CutPlan, AHoleTooSmallForTheKerfIsNamedAndNotCut)
{
    const NestingState state = layoutOf(200, 200, {{"pin.shp", joined(rectangle(20, 20, 50, 50), circle(45, 45, 1))}});
    const CutPlanResult r = planLayoutCut(state, 1, settings());
    ASSERT_TRUE(r.plan);
    ASSERT_EQ(r.plan->contours.size(), 1u);
    EXPECT_FALSE(r.plan->contours[0].hole);
    ASSERT_EQ(r.plan->warnings.size(), 1u);
    EXPECT_TRUE(contains(r.plan->warnings[0], "pin.shp") && contains(r.plan->warnings[0], "too small")) << r.plan->warnings[0];
}

TEST(CutPlan, NoRoomAtTheSheetEdgeMovesTheStart)
{
    // The part touches the sheet's left and bottom edges: leads must start elsewhere.
    const CutPlanResult r = planLayoutCut(layoutOf(200, 200, {{"corner.shp", rectangle(0, 0, 80, 80)}}), 1, settings());
    ASSERT_TRUE(r.plan);
    const CutContour& c = r.plan->contours.at(0);
    EXPECT_GT(c.pierce.x, 80 + 1.5 - 1e-9 - 10);
    EXPECT_TRUE(c.pierce.x > 81.5 - 1e-9 || c.pierce.y > 81.5 - 1e-9);
    EXPECT_GT(pathLength(c.leadIn), 0);
}

TEST(CutPlan, ControllerCompensationCutsTheDrawnOutline)
{
    CutSettings s = settings();
    s.compensate = false;
    s.arcLeadIn = false;
    const CutPlanResult r = planLayoutCut(layoutOf(200, 200, {{"plate.shp", rectangle(50, 50, 40, 30)}}), 1, s);
    ASSERT_TRUE(r.plan);
    EXPECT_NEAR(pathLength(r.plan->contours.at(0).cut), 140, 1e-9);
}

double cutPathLength(const CutPlan& plan)
{
    double total = 0;
    for (const CutContour& c : plan.contours) total += pathLength(c.cut);
    return total;
}

TEST(CutPlan, CommonLinesCutSharedEdgesOnceAndStartInTheirKerf)
{
    // Three 100 x 50 plates in a row, the middle one with a hole: two 50-long edges the gap apart.
    const struct {
        double gap;
        bool compensate;
        bool shared;
    } cases[] = {{3, true, true}, {3.008, true, true}, {3.02, true, false}, {3, false, false}};
    for (const auto& c : cases) {
        const NestingState state =
            layoutOf(500, 200, {{"a.shp", rectangle(20, 20, 100, 50)},
                                {"b.shp", joined(rectangle(120 + c.gap, 20, 100, 50), circle(170 + c.gap, 45, 10))},
                                {"c.shp", rectangle(220 + 2 * c.gap, 20, 100, 50)}});
        CutSettings s = settings();
        s.compensate = c.compensate;
        const CutPlanResult alone = planLayoutCut(state, 1, s);
        s.commonLine = true;
        const CutPlanResult r = planLayoutCut(state, 1, s);
        ASSERT_TRUE(r.plan && alone.plan) << r.error;
        const CutPlan& p = *r.plan;
        const std::string which = "gap " + std::to_string(c.gap) + (c.compensate ? "" : ", controller");
        EXPECT_EQ(p.warnings.size(), c.compensate ? 0u : 1u) << which;
        if (!c.shared) {
            EXPECT_EQ(std::pair(p.pierces, p.kerfStarts), std::pair(4, 0)) << which;
            EXPECT_NEAR(p.cutLength, alone.plan->cutLength, 1e-9) << which;
            continue;
        }
        // One pierce for the hole and one for the first outline; the other two start in a kerf.
        EXPECT_EQ(std::pair(p.pierces, p.kerfStarts), std::pair(2, 2)) << which;
        EXPECT_NEAR(pathLength(p.commonCuts), 100, 1e-9) << which;
        EXPECT_NEAR(cutPathLength(p), cutPathLength(*alone.plan) - 100, 1e-9) << which;
        EXPECT_LT(p.seconds, alone.plan->seconds) << which;
        EXPECT_TRUE(p.contours.front().hole) << which;
        for (size_t i = 0; i < p.contours.size(); ++i) {
            if (!p.contours[i].inKerf) continue;
            double least = 1e9;
            for (size_t j = 0; j < i; ++j)
                for (const PathPiece& q : p.contours[j].cut) least = std::min(least, distanceToPiece(p.contours[i].pierce, q));
            EXPECT_LE(least, kCommonLineTolerance) << which << ": cut " << i + 1 << " does not start on an earlier cut";
        }
    }
}

TEST(CutPlan, SkeletonCutUpRunsAroundPartsAndStartsWithoutPierce)
{
    // 1000 x 500 in pieces of 400 at most: lines at x = 333.3 and 666.7 and at y = 250; the part
    // (300..400 x 200..300) breaks the first and the last, each 1.5 off its outline.
    CutSettings s = settings();
    s.skeletonPiece = 400;
    const CutPlanResult r = planLayoutCut(layoutOf(1000, 500, {{"p.shp", rectangle(300, 200, 100, 100)}}), 1, s);
    ASSERT_TRUE(r.plan) << r.error;
    double length = 0;
    int cutUps = 0;
    for (const CutContour& c : r.plan->contours)
        if (c.label == "skeleton cut-up") {
            ++cutUps;
            EXPECT_TRUE(c.inKerf);
            length += pathLength(c.cut);
        }
    EXPECT_EQ(cutUps, 5);
    EXPECT_NEAR(length, (198.5 + 198.5) + 500 + (298.5 + 598.5), 0.01); // the ends on the plate's edge 0.001 inside
    EXPECT_EQ(std::pair(r.plan->pierces, r.plan->kerfStarts), std::pair(1, 5));
}

TEST(CutPlan, MicrojointsLeaveTheirWidthOnStraightStretchesOfOutlinesOnly)
{
    // A 200 x 100 plate with a hole: two joints of 1.5 on its outline, mid-edge, none in the hole.
    CutSettings s = settings();
    const NestingState state = layoutOf(400, 300, {{"p.shp", joined(rectangle(50, 50, 200, 100), circle(150, 100, 20))}});
    const CutPlanResult plain = planLayoutCut(state, 1, s);
    s.jointWidth = 1.5;
    s.joints = 2;
    const CutPlanResult r = planLayoutCut(state, 1, s);
    ASSERT_TRUE(r.plan && plain.plan);
    const CutContour& outline = r.plan->contours.back();
    ASSERT_FALSE(outline.hole);
    ASSERT_EQ(outline.rest.size(), 2u);
    EXPECT_TRUE(r.plan->contours.front().rest.empty()) << "the hole";
    Vec2 stop = outline.cut.back().b;
    for (const PiecePath& stretch : outline.rest) {
        EXPECT_NEAR(distance(stop, stretch.front().a), 1.5 + 3, 1e-9);
        // Mid-edge: both ends on one straight piece, far from its corners.
        EXPECT_FALSE(stretch.front().arc);
        EXPECT_GT(pieceLength(stretch.front()), 40);
        stop = stretch.back().b;
    }
    EXPECT_NEAR(r.plan->cutLength, plain.plan->cutLength - 2 * 4.5, 1e-9);
    EXPECT_EQ(r.plan->pierces, plain.plan->pierces + 2);
}

} // namespace
} // namespace dravenor::cutting
