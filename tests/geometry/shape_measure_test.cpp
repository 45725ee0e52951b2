// Measuring shapes as profiles to cut: every measure of each case is pinned by a golden file, and
// the enclosed area is checked against its closed form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_measure.h"

namespace dravenor {
namespace {

using testing::append;
using testing::arcEntity;
using testing::lineEntity;
using testing::rectangle;
using testing::washer;

std::string measured(const ShapeMeasure& m)
{
    const Extents& box = m.extents;
    return "entities, lines, arcs, circles, chords" +
           testing::goldenNumbers({double(m.entities), double(m.lines), double(m.arcs), double(m.circles),
                                   double(m.chords)}) +
           "\nclosed outlines, open ends, degenerate" +
           testing::goldenNumbers({double(m.closedOutlines), double(m.openEnds), double(m.degenerate)}) +
           (m.closed ? ", closed" : ", open") + "\narea" + testing::goldenNumbers({m.enclosedArea}) + ", extents" +
           testing::goldenNumbers({box.xmin, box.ymin, box.xmax, box.ymax}) + "\n";
}

TEST(MeasureShape, CasesMatchTheGoldenFileAndTheirAreas)
{
    Shape reversed = rectangle(0, 0, 100, 50);
    std::swap(reversed[0].X1, reversed[0].X2);
    std::swap(reversed[0].Y1, reversed[0].Y2);
    std::reverse(reversed.begin(), reversed.end());
    Shape plate = rectangle(0, 0, 100, 50);
    plate.push_back(arcEntity(50, 25, 10, 0, 0));
    Shape nested = rectangle(0, 0, 100, 100);
    append(nested, rectangle(20, 20, 60, 60));
    append(nested, rectangle(40, 40, 20, 20));
    append(nested, rectangle(200, 0, 10, 10)); // a separate outline beside them
    // 100 x 60 with corners of radius 10 and a slot hole 30 long and 10 high with round ends.
    const Shape rounded{lineEntity(10, 0, 90, 0),   arcEntity(90, 10, 10, 270, 360), lineEntity(100, 10, 100, 50),
                        arcEntity(90, 50, 10, 0, 90), lineEntity(90, 60, 10, 60),   arcEntity(10, 50, 10, 90, 180),
                        lineEntity(0, 50, 0, 10),   arcEntity(10, 10, 10, 180, 270), lineEntity(30, 20, 60, 20),
                        arcEntity(60, 25, 5, 270, 90), lineEntity(60, 30, 30, 30),  arcEntity(30, 25, 5, 90, 270)};
    // A half-round notch the outline runs through against the arc's own direction.
    const Shape notched{lineEntity(0, 0, 100, 0),   lineEntity(100, 0, 100, 50), lineEntity(100, 50, 70, 50),
                        arcEntity(50, 50, 20, 180, 360), lineEntity(30, 50, 0, 50), lineEntity(0, 50, 0, 0)};
    Shape open = rectangle(0, 0, 100, 50);
    open.back() = lineEntity(200, 0, 300, 0);
    Shape branched = rectangle(0, 0, 10, 10);
    branched.push_back(lineEntity(0, 0, 10, 10));
    Shape tinyGap = rectangle(0, 0, 100, 50), gap = tinyGap;
    tinyGap[3].Y2 = 1e-8;
    gap[3].Y2 = 0.01;
    Shape stray = rectangle(0, 0, 100, 50);
    stray.push_back(lineEntity(-0.3, -0.1, -50, -50)); // 0.32 from a corner where two ends meet
    Shape degenerate = rectangle(0, 0, 10, 10);
    degenerate.insert(degenerate.begin() + 2, lineEntity(10, 10, 10, 10)); // zero length, at a corner
    degenerate.push_back(arcEntity(50, 50, -5, 0, 90));
    const double pi = kPi;
    const struct {
        const char* name;
        Shape shape;
        double tolerance, area, areaError;
    } cases[] = {
        {"rectangle in any order and direction", reversed, kEndsMeetAsDrawn, 5000, 1e-12},
        {"plate with a round hole", plate, kEndsMeetAsDrawn, 5000 - pi * 100, 1e-9},
        {"holes subtract and islands in holes add again", nested, kEndsMeetAsDrawn, 10000 - 3600 + 400 + 100, 1e-12},
        {"arcs chain with lines", rounded, kEndsMeetAsDrawn, 6000 - (4 - pi) * 100 - (300 + pi * 25), 1e-9},
        {"notched plate", notched, kEndsMeetAsDrawn, 5000 - pi * 20 * 20 / 2, 1e-9},
        {"washer OD40/ID18", washer(20, 20, 40, 18), kEndsMeetAsDrawn, pi * (20 * 20 - 9 * 9), 1e-9},
        {"washer OD60/ID26", washer(3000, 1500, 60, 26), kEndsMeetAsDrawn, pi * (30 * 30 - 13 * 13), 1e-9},
        {"disc 100", washer(50, 50, 100), kEndsMeetAsDrawn, pi * 50 * 50, 1e-9},
        {"open ends", open, kEndsMeetAsDrawn, 0, 0},
        {"branched", branched, kEndsMeetAsDrawn, 0, 0},
        {"gap of 1e-8 meets", tinyGap, kEndsMeetAsDrawn, 5000, 1e-6},
        {"gap of 0.01 is open", gap, kEndsMeetAsDrawn, 0, 0},
        {"gap of 0.01 within a tolerance of 0.05", gap, 0.05, 5000, 1e-3},
        {"dense disc, lines shorter than the tolerance", testing::denseDisc(), 5,
         1000 * 250000 * std::sin(pi / 1000), 0.002},
        {"offcut, gaps wider than the tolerance", testing::tracedOffcut(), 0.25, 0, 0},
        {"offcut, gaps closed between short lines", testing::tracedOffcut(), 2.5, 1800 * 600 + 900 * 600, 0.002},
        {"a short line never closes on itself", {lineEntity(0, 0, 1, 0)}, 5, 0, 0},
        {"a stray end is not joined to a corner", stray, 0.5, 5000, 0.002},
        {"degenerate entities are counted", degenerate, kEndsMeetAsDrawn, 100, 1e-12},
        {"nothing", {}, kEndsMeetAsDrawn, 0, 0},
    };
    testing::Sections results;
    for (const auto& c : cases) {
        const ShapeMeasure m = measureShape(c.shape, c.tolerance);
        EXPECT_NEAR(m.enclosedArea, c.area, c.area * c.areaError) << c.name;
        EXPECT_EQ(m.enclosedArea, enclosedArea(c.shape, c.tolerance)) << c.name;
        results.push_back({c.name, measured(m)});
    }
    testing::expectGolden("geometry/measure.txt", testing::joinSections(results));
}

} // namespace
} // namespace dravenor
