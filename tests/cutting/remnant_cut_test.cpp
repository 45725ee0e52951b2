// The cut that parts a kept remnant off: last, straight across the whole 1000 x 500 plate, the
// torch half the kerf toward the one part (lines worked out by hand), counted in the time and
// named in the program.
#include <gtest/gtest.h>

#include "cut_layouts.h"
#include "cutting/cut_plan.h"
#include "cutting/nc_program.h"

namespace dravenor::cutting {
namespace {

using test::layoutOf;
using test::rectangle;

struct RemnantCutCase {
    const char* label;   // the program's comment; "" for no cut
    Shape part;
    bool acrossX;        // the cut runs along y at x = line, else along x at y = line
    double line;         // where the torch runs
    bool controller = false, edgeStart = false;
    double kerf = 3;
};

const RemnantCutCase kCases[] = {
    {"remnant cut, keeps remnant 687 x 500", rectangle(10, 10, 300, 400), true, 311.5},
    {"remnant cut, keeps remnant 387 x 1000", rectangle(50, 10, 900, 100), false, 111.5},
    {"remnant cut, keeps remnant 687 x 500", rectangle(690, 50, 300, 400), true, 688.5},
    {"remnant cut, keeps remnant 387 x 1000", rectangle(50, 390, 900, 100), false, 388.5, false, true},
    // The controller offsets the drawn cut line itself, to the left of travel.
    {"remnant cut, keeps remnant 687 x 500", rectangle(10, 10, 300, 400), true, 313, true},
    // A cut table kerf of 8 beside a cut line 3 from the part would cut into it.
    {"", rectangle(10, 10, 300, 400), true, 0, false, false, 8},
};

CutSettings settingsFor(const RemnantCutCase& c)
{
    CutSettings s;
    s.kerf = c.kerf;
    s.compensate = s.arcLeadIn = !c.controller;
    s.remnantEdgeStart = c.edgeStart;
    s.remnants = RemnantMarks{3, RemnantSettings{}, {}};
    return s;
}

TEST(RemnantCuts, RunStraightAcrossThePlateLastAndClearOfTheParts)
{
    for (const RemnantCutCase& c : kCases) {
        const CutPlanResult r = planLayoutCut(layoutOf(1000, 500, {{"part.shp", c.part}}), 1, settingsFor(c));
        ASSERT_TRUE(r.plan) << r.error;
        const CutContour& cut = r.plan->contours.back();
        if (!*c.label) {
            EXPECT_NE(cut.part, 0);
            EXPECT_NE(r.plan->warnings.back().find("remnant"), std::string::npos);
            continue;
        }
        EXPECT_EQ(cut.label, c.label);
        ASSERT_EQ(cut.cut.size(), 1u);
        const PathPiece& l = cut.cut.front();
        const Vec2 d = unit(l.b - l.a), left = leftOf(d);
        EXPECT_EQ(c.acrossX ? l.a.x + l.b.x : l.a.y + l.b.y, 2 * c.line) << c.label;
        EXPECT_EQ(c.acrossX ? l.a.y + l.b.y : l.a.x + l.b.x, c.acrossX ? 500 : 1000) << "edge to edge";
        EXPECT_EQ(std::abs(c.acrossX ? d.y : d.x), 1);
        EXPECT_NEAR(distance(cut.pierce, l.a - d * (c.edgeStart ? 0 : 5)), 0, 1e-9);
        EXPECT_NEAR(distance(cut.leadOut.back().b, l.b + d * 3), 0, 1e-9);
        if (c.controller) {
            EXPECT_LT(c.acrossX ? left.x : left.y, 0) << "the torch must fall on the part's side";
        }
    }
}

TEST(RemnantCuts, CountInTheTimeAndTheProgramNamesThemWithTheStockId)
{
    const NestingState state = layoutOf(1000, 500, {{"part.shp", rectangle(10, 10, 300, 400)}});
    CutSettings with = settingsFor(kCases[0]), without = with;
    with.remnants->ids = {0, 17};
    without.remnants.reset();
    const CutPlanResult r = planLayoutCut(state, 1, with), plain = planLayoutCut(state, 1, without);
    ASSERT_TRUE(r.plan && plain.plan);
    // 500 across the plate, 5 in, 3 out, one pierce more, and the rapid to it.
    const double rapid = distance(contourEnd(plain.plan->contours.back()), r.plan->contours.back().pierce);
    EXPECT_NEAR(r.plan->seconds - plain.plan->seconds, 508 / with.feed * 60 + with.pierceDelay + rapid / with.rapidSpeed * 60, 1e-9);
    const std::string program = ncProgramText(*r.plan, with, PostSettings{}, {"job.nst", "S235", 10, 1, false});
    EXPECT_NE(program.find("(remnant cut, keeps remnant 17: 687 x 500)\r\nG0 X311.5 Y"), std::string::npos);
    EXPECT_NE(program.find("G1 X311.5 Y500\r\nG1 X311.5 Y503\r\nM5\r\nM2\r\n"), std::string::npos) << program;
}

} // namespace
} // namespace dravenor::cutting
