// The cut that parts a kept remnant off: last, straight across the 1000 x 500 plate from beyond one
// edge to beyond the other, the torch half the kerf toward the part (worked out by hand), in the time.
#include <gtest/gtest.h>

#include "cut_layouts.h"
#include "cutting/cut_plan.h"
#include "cutting/nc_program.h"

namespace dravenor::cutting {
namespace {

TEST(RemnantCuts, RunStraightAcrossThePlateLastAndClearOfTheParts)
{
    const struct {
        const char* comment;  // "" for no cut
        Shape part;
        const char* moves;    // the program from the rapid to the pierce on, torch on, delay, off
        bool controller = false, edgeStart = false;
        double kerf = 3;
    } cases[] = {
        {"keeps remnant 17: 687 x 500", test::rectangle(10, 10, 300, 400), "X311.5 Y-5|X311.5 Y0 F1000|X311.5 Y500|X311.5 Y503"},
        {"keeps remnant 17: 387 x 1000", test::rectangle(50, 390, 900, 100), "X0 Y388.5|X1000 Y388.5 F1000|X1003 Y388.5",
         false, true},
        // The controller's offset to the left of travel falls on the part's side.
        {"keeps remnant 17: 687 x 500", test::rectangle(10, 10, 300, 400), "X313 Y-5|X313 Y0 F1000|X313 Y500|X313 Y503", true},
        // A cut table's kerf of 8 beside a cut line 3 from the part would cut into it.
        {"", test::rectangle(10, 10, 300, 400), "", false, false, 8},
    };
    for (const auto& c : cases) {
        CutSettings s;
        s.kerf = c.kerf;
        s.compensate = s.arcLeadIn = !c.controller;
        s.remnantEdgeStart = c.edgeStart;
        s.remnants = RemnantMarks{3, RemnantSettings{}, {0, 17}};
        const CutPlanResult r = planLayoutCut(test::layoutOf(1000, 500, {{"part.shp", c.part}}), 1, s);
        ASSERT_TRUE(r.plan) << r.error;
        const std::string program = ncProgramText(*r.plan, s, PostSettings{}, {"job.nst", "S235", 10, 1, false});
        // After the part's outline, the second cut.
        const size_t at = program.find(std::string("(cut 2: remnant cut, ") + c.comment + ")\r\nG0 ");
        if (!*c.comment) {
            EXPECT_EQ(at, std::string::npos);
            EXPECT_NE(r.plan->warnings.back().find("remnant"), std::string::npos);
            continue;
        }
        ASSERT_NE(at, std::string::npos) << c.comment;
        // The pierce beyond the edge (or on it), straight across the plate, the lead-out beyond it.
        std::string moves = c.moves;
        moves = "G0 " + moves.replace(moves.find('|'), 1, "\r\nM3\r\nG4 P0.5\r\nG1 ");
        for (size_t bar; (bar = moves.find('|')) != std::string::npos;) moves.replace(bar, 1, "\r\nG1 ");
        EXPECT_EQ(program.substr(program.find("\r\n", at) + 2), moves + "\r\nM5\r\nM2\r\n");
        // The time counts it: 500 or 1000 across, 5 in, 3 out, a pierce, the rapid to it.
        CutPlan without = *r.plan;
        without.contours.pop_back();
        measurePlan(without, s);
        const CutContour& cut = r.plan->contours.back();
        const double length = pathLength(cut.leadIn) + pathLength(cut.cut) + pathLength(cut.leadOut);
        EXPECT_NEAR(r.plan->seconds - without.seconds,
                    length / s.feed * 60 + s.pierceDelay + cut.rapidBefore / s.rapidSpeed * 60, 1e-9);
        EXPECT_NEAR(length, pathLength(cut.cut) + (c.edgeStart ? 3 : 8), 1e-9);
    }
}

} // namespace
} // namespace dravenor::cutting
