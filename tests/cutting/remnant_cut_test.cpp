// The cut that parts a kept remnant off: last in the plan, straight across the whole plate on the
// remnant's cut line, half the kerf toward the parts, counted in the time and named in the program.
// The expected lines are worked out by hand from one rectangular part on a 1000 x 500 plate with
// a kerf of 3 (the remnant's cut lies the kerf beyond the part).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "cut_layouts.h"
#include "cutting/cut_plan.h"
#include "cutting/nc_program.h"
#include "geometry/primitives.h"

namespace dravenor::cutting {
namespace {

using test::layoutOf;
using test::rectangle;

struct RemnantCutCase {
    const char* name;
    Shape part;
    bool acrossX;        // the cut runs along y at x = line, else along x at y = line
    double line;         // where the torch runs
    const char* label;   // the program's comment
    bool controller = false;
    bool edgeStart = false;
};

const RemnantCutCase kCases[] = {
    {"parts on the left leave the remnant on the right", rectangle(10, 10, 300, 400), true, 311.5,
     "remnant cut, keeps remnant 687 x 500"},
    {"parts at the bottom leave the remnant on top", rectangle(50, 10, 900, 100), false, 111.5,
     "remnant cut, keeps remnant 387 x 1000"},
    {"parts on the right leave the remnant on the left", rectangle(690, 50, 300, 400), true, 688.5,
     "remnant cut, keeps remnant 687 x 500"},
    {"parts on top leave the remnant below", rectangle(50, 390, 900, 100), false, 388.5,
     "remnant cut, keeps remnant 387 x 1000"},
    {"the controller offsets the drawn line itself", rectangle(10, 10, 300, 400), true, 313,
     "remnant cut, keeps remnant 687 x 500", true},
    {"an edge start fires on the plate's edge", rectangle(50, 10, 900, 100), false, 111.5,
     "remnant cut, keeps remnant 387 x 1000", false, true},
};

CutSettings settingsFor(const RemnantCutCase& c)
{
    CutSettings s;
    s.kerf = 3;
    s.leadIn = 5;
    s.leadOut = 3;
    s.compensate = !c.controller;
    s.arcLeadIn = !c.controller;
    s.remnantEdgeStart = c.edgeStart;
    s.remnants = RemnantMarks{3, RemnantSettings{}, {}};
    return s;
}

class RemnantCuts : public ::testing::TestWithParam<RemnantCutCase> {};

TEST_P(RemnantCuts, RunStraightAcrossThePlateLastAndClearOfTheParts)
{
    const RemnantCutCase& c = GetParam();
    const NestingState state = layoutOf(1000, 500, {{"part.shp", c.part}});
    const CutSettings s = settingsFor(c);
    const CutPlanResult r = planLayoutCut(state, 1, s);
    ASSERT_TRUE(r.plan) << r.error;
    const CutPlan& plan = *r.plan;
    ASSERT_EQ(plan.contours.size(), 2u);
    const CutContour& cut = plan.contours.back();
    EXPECT_EQ(cut.part, 0);
    EXPECT_EQ(cut.label, c.label);
    ASSERT_EQ(cut.cut.size(), 1u);
    const PathPiece& line = cut.cut.front();
    EXPECT_FALSE(line.arc);
    // On the line, from one edge of the plate to the other.
    const double span = c.acrossX ? 500 : 1000;
    const double a = c.acrossX ? line.a.y : line.a.x, b = c.acrossX ? line.b.y : line.b.x;
    EXPECT_DOUBLE_EQ(std::min(a, b), 0);
    EXPECT_DOUBLE_EQ(std::max(a, b), span);
    for (Vec2 p : {line.a, line.b}) EXPECT_DOUBLE_EQ(c.acrossX ? p.x : p.y, c.line);
    // Lead-in and lead-out straight on, beyond the edges; an edge start pierces on the edge.
    const Vec2 d = unit(line.b - line.a);
    if (c.edgeStart) {
        EXPECT_TRUE(cut.leadIn.empty());
        EXPECT_NEAR(distance(cut.pierce, line.a), 0, 1e-12);
    } else {
        ASSERT_EQ(cut.leadIn.size(), 1u);
        EXPECT_NEAR(distance(cut.pierce, line.a - d * 5), 0, 1e-9);
    }
    ASSERT_EQ(cut.leadOut.size(), 1u);
    EXPECT_NEAR(distance(cut.leadOut.front().b, line.b + d * 3), 0, 1e-9);
    // The torch centre keeps half the kerf from the part (the controller adds its half kerf on
    // the part's side: to the left of travel).
    const Extents box = shapeExtents(c.part);
    const double lo = c.acrossX ? box.xmin : box.ymin, hi = c.acrossX ? box.xmax : box.ymax;
    const double torch = c.controller ? c.line + (c.acrossX ? leftOf(d).x : leftOf(d).y) * 1.5 : c.line;
    EXPECT_GE(std::min(std::fabs(torch - lo), std::fabs(torch - hi)), 1.5 - 1e-9);
    if (c.controller) {
        EXPECT_LT(std::fabs(torch - (lo + hi) / 2), std::fabs(c.line - (lo + hi) / 2));
    }
}

INSTANTIATE_TEST_SUITE_P(Cutting, RemnantCuts, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(RemnantCuts, CountInTheTimeAndTheProgramNamesThemWithTheStockId)
{
    const NestingState state = layoutOf(1000, 500, {{"part.shp", rectangle(10, 10, 300, 400)}});
    CutSettings with = settingsFor(kCases[0]);
    with.remnants->ids = {0, 17};
    with.feed = 1200;
    with.pierceDelay = 0.5;
    CutSettings without = with;
    without.remnants.reset();
    const CutPlanResult r = planLayoutCut(state, 1, with), plain = planLayoutCut(state, 1, without);
    ASSERT_TRUE(r.plan && plain.plan);
    ASSERT_EQ(plain.plan->contours.size(), 1u);
    // 500 across the plate, 5 in, 3 out, one pierce more, and the rapid to it.
    EXPECT_NEAR(r.plan->cutLength - plain.plan->cutLength, 508, 1e-9);
    EXPECT_EQ(r.plan->pierces, plain.plan->pierces + 1);
    const double rapid = distance(contourEnd(plain.plan->contours.back()), r.plan->contours.back().pierce);
    EXPECT_NEAR(r.plan->rapidLength - plain.plan->rapidLength, rapid, 1e-9);
    EXPECT_NEAR(r.plan->seconds - plain.plan->seconds, 508.0 / 1200 * 60 + 0.5 + rapid / with.rapidSpeed * 60, 1e-9);

    NcJobInfo info{"job.nst", "S235", 10, 1, false};
    const std::string program = ncProgramText(*r.plan, with, PostSettings{}, info);
    const size_t at = program.find("(remnant cut, keeps remnant 17: 687 x 500)\r\n");
    ASSERT_NE(at, std::string::npos);
    // A rapid to the pierce, the torch on, the pierce delay, the cut, the torch off, the end.
    const std::string rest = program.substr(at);
    const size_t rapidAt = rest.find("G0 X311.5 Y"), on = rest.find("M3"), delay = rest.find("G4 P0.5"),
                 off = rest.find("M5"), end = rest.find("M2");
    EXPECT_TRUE(rapidAt < on && on < delay && delay < off && off < end) << rest;
}

TEST(RemnantCuts, NoneWhereTheRemnantIsScrapOrTheKerfDoesNotFitBesideTheParts)
{
    const NestingState state = layoutOf(1000, 500, {{"part.shp", rectangle(10, 10, 300, 400)}});
    CutSettings scrap = settingsFor(kCases[0]);
    scrap.remnants->least.minWidth = 700;
    const CutPlanResult none = planLayoutCut(state, 1, scrap);
    ASSERT_TRUE(none.plan);
    EXPECT_EQ(none.plan->contours.size(), 1u);
    EXPECT_TRUE(none.plan->warnings.empty());

    // A cut table kerf of 8 beside a cut line 3 from the part: the torch would cut into it.
    CutSettings wide = settingsFor(kCases[0]);
    wide.kerf = 8;
    wide.leadIn = 0;
    const NestingState spaced = layoutOf(1000, 500, {{"part.shp", rectangle(10, 10, 300, 400)}}, 3);
    const CutPlanResult refused = planLayoutCut(spaced, 1, wide);
    ASSERT_TRUE(refused.plan) << refused.error;
    for (const CutContour& c : refused.plan->contours) EXPECT_NE(c.part, 0);
    ASSERT_FALSE(refused.plan->warnings.empty());
    EXPECT_NE(refused.plan->warnings.back().find("remnant"), std::string::npos) << refused.plan->warnings.back();
}

} // namespace
} // namespace dravenor::cutting
