// Shapes as profiles to cut. For each case of tests/data/geometry/shape_cases.txt, and for the
// flattened curves and full-turn angles made here, every measure, the chord form and the lines
// that close its gaps are pinned by a golden file. Arcs leave no gap between their own chords,
// the grid search for gaps appends exactly what the full scan appends, and shapes move and turn
// about their extents. Exact distances between lines, arcs and circles: hand-worked cases, then
// random pairs against dense sampling of their points.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "geometry/entity_distance.h"
#include "geometry/golden_file.h"
#include "geometry/outline_closing.h"
#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"
#include "job/number_format.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::goldenNumbers;
using testing::lineEntity;
using testing::pointsAlong;

std::string measured(const Shape& shape, double tolerance)
{
    const ShapeMeasure m = measureShape(shape, tolerance);
    EXPECT_EQ(m.enclosedArea, enclosedArea(shape, tolerance));
    const Extents& box = m.extents;
    std::string text = "entities, lines, arcs, circles, chords" +
                       goldenNumbers({double(m.entities), double(m.lines), double(m.arcs), double(m.circles),
                                      double(m.chords)}) +
                       "\nclosed outlines, open ends, degenerate" +
                       goldenNumbers({double(m.closedOutlines), double(m.openEnds), double(m.degenerate)}) +
                       (m.closed ? ", closed" : ", open") + "\narea" + goldenNumbers({m.enclosedArea}) + ", extents" +
                       goldenNumbers({box.xmin, box.ymin, box.xmax, box.ymax}) + "\n";
    const SegmentList chords = shapeToSegments(shape);
    std::size_t counted = 0;
    for (const ShapeEntity& e : shape) counted += segmentCount(e);
    EXPECT_EQ(counted, chords.size());
    if (!chords.empty()) {
        const Segment &first = chords.front(), &last = chords.back();
        const double lastChord = std::hypot(last.X2 - last.X1, last.Y2 - last.Y1);
        text += "chord form from, to, last" + goldenNumbers({first.X1, first.Y1, last.X2, last.Y2, lastChord}) + "\n";
    }
    for (const ShapeEntity& line : missingLines(shape)) text += "closed by " + testing::goldenEntity(line) + "\n";
    return text;
}

TEST(ShapeCases, MeasuresChordFormsAndClosingLinesMatchTheGoldenFile)
{
    testing::Sections results;
    const std::string cases = testing::TempFolder::read(testing::testDataPath("shape_cases.txt"));
    for (const auto& [title, text] : testing::splitSections(cases)) {
        SCOPED_TRACE(title);
        Shape shape;
        const ShapeReadReport report = parseShapeText(text, shape);
        EXPECT_EQ(report.nonNumericFields + report.leftoverFields, 0) << title;
        // A title may end with the gap tolerance in brackets.
        const std::size_t bracket = title.rfind('[');
        const double tolerance =
            bracket == std::string::npos ? kEndsMeetAsDrawn : leadingNumber(title.substr(bracket + 1));
        results.push_back({title, measured(shape, tolerance)});
    }
    // Angles of a full turn, which a shape file would reduce, and curves flattened into many lines.
    const struct { const char* name; Shape shape; double tolerance; } made[] = {
        {"circle 0 to 360", {arcEntity(50, 50, 25, 0, 360)}, kEndsMeetAsDrawn},
        {"arc 270 to 360", {arcEntity(0, 0, 10, 270, 360)}, kEndsMeetAsDrawn},
        {"dense disc, lines shorter than the tolerance [5]", testing::denseDisc(), 5},
        {"offcut, gaps wider than the tolerance [0.25]", testing::tracedOffcut(), 0.25},
        {"offcut, gaps closed between short lines [2.5]", testing::tracedOffcut(), 2.5},
    };
    for (const auto& c : made) results.push_back({c.name, measured(c.shape, c.tolerance)});
    testing::expectGolden("geometry/shape_cases.txt", testing::joinSections(results));
}

TEST(MovingShapes, NormalisingMovesTheBoxToTheOriginAndTurningIsAboutItsCentre)
{
    Shape moved{lineEntity(-5, 3, 20, 3), arcEntity(0, 10, 5, 0, 0)};
    normaliseShape(moved);
    EXPECT_TRUE(moved[0].X1 == 0 && moved[0].Y1 == 0 && moved[0].X2 == 25 && moved[1].CX == 5 && moved[1].CY == 7);

    // Extents (0,0)-(20,10), centre (10,5): the circle centre (15,5) goes to (10,10). Fields a
    // line or an arc does not use become zero; arc angles are reduced once.
    ShapeEntity line = lineEntity(0, 0, 20, 10), arc = arcEntity(15, 5, 2, 300, 30);
    line.Nstart = 33;
    arc.X1 = 99;
    Shape shape{line, arc};
    rotateShape(shape, 90);
    EXPECT_EQ(testing::goldenEntity(shape[0]) + " | " + testing::goldenEntity(shape[1]),
              "LINE 15 -5 5 15 0 0 0 0 0 | ARC 0 0 0 0 10 10 2 30 120");
    rotateShape(shape, -180);
    EXPECT_EQ(shape[1].Nstart, -150); // turning backwards is not reduced
}

TEST(Angles, PolarAngleAndNormalisedAngles)
{
    EXPECT_NEAR(polarAngle(0, 0, -1, 1), 3 * kPi / 4, 1e-12);
    EXPECT_NEAR(polarAngle(0, 0, 1, -1), 7 * kPi / 4, 1e-12);
    EXPECT_EQ((std::vector<double>{polarAngle(2, 2, 2, 5), polarAngle(2, 2, -1, 2), polarAngle(2, 2, 2, -1), polarAngle(3, 4, 3, 4)}),
              (std::vector<double>{kPi / 2, kPi, 4.712388980384685, 0}));
    const std::pair<double, double> cases[] = {{360, 360}, {720, 360}, {0, 0},      {370, 10},
                                               {-10, 350}, {-360, 0},  {-730, 350}, {1090.5, 10.5}};
    for (auto [in, out] : cases) EXPECT_EQ(normaliseAngle(in), out) << in;
    EXPECT_LE(normaliseAngle(1e300), 360); // ends at once
}

TEST(ShapeToSegments, LinesStayOneSegmentAndDamagedAnglesStillEnd)
{
    SegmentList segments{{1, 2, 3, 4}};
    appendShapeSegments({lineEntity(0, 0, 10, 0), lineEntity(10, 5, 2, 7)}, segments);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_TRUE(segments[0].X1 == 1 && segments[2].X1 == 10 && segments[2].Y2 == 7);
    // An arc sweeps at most a few turns, in a few chords.
    EXPECT_FALSE(shapeToSegments({arcEntity(0, 0, 1, 1e300, 0), arcEntity(0, 0, 1, 0, -1e200)}).empty());
    EXPECT_LE(shapeToSegments({arcEntity(0, 0, 1, 0, 9e8)}).size(), 3700u);

    const SegmentList square = loadShapeSegments(testing::testDataPath("offset_square.shp")); // not moved
    ASSERT_EQ(square.size(), 4u);
    EXPECT_TRUE(square[0].X1 == -5 && square[0].Y1 == 10);
    EXPECT_TRUE(loadShapeSegments(testing::testDataPath("offset_square.txt")).empty() &&
                loadShapeSegments(testing::testDataPath("no_such_file.shp")).empty());
}

TEST(CloseOutlines, ChordsOfOneArcJoinExactlySoNoGapIsLeftToClose)
{
    // A start recomputed from the angle could land a rounding step from the previous chord's end
    // (sweeps of 32, 64, 128 and 256 degrees most often), and closing added a near-zero line there.
    std::mt19937 random(3);
    std::uniform_real_distribution<double> angle(0, 360), radius(0.5, 500);
    for (int n = 0; n < 2000; ++n) {
        const double s = angle(random), sweep = n < 400 ? 32 << (n % 4) : angle(random);
        const SegmentList chords = shapeToSegments({arcEntity(0, 0, radius(random), s, s + sweep)});
        for (std::size_t k = 1; k < chords.size(); ++k)
            ASSERT_TRUE(chords[k].X1 == chords[k - 1].X2 && chords[k].Y1 == chords[k - 1].Y2) << "arc " << n;
    }
}

// Returns how many segments the full scan appended.
std::size_t expectGridMatchesFullScan(const SegmentList& input, const std::string& what)
{
    SegmentList scanned = input, gridded = input;
    closeOutlinesByFullScan(scanned);
    EXPECT_TRUE(closeOutlinesByGrid(gridded)) << what;
    const auto same = [](const Segment& a, const Segment& b) {
        return a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2;
    };
    EXPECT_TRUE(std::equal(scanned.begin(), scanned.end(), gridded.begin(), gridded.end(), same))
        << what << ": " << gridded.size() << " segments against " << scanned.size();
    return scanned.size() - input.size();
}

TEST(CloseOutlinesGrid, MatchesTheFullScanOnLatticesAndJitteredOutlinesWithArcs)
{
    // Ends on a 0.1 lattice: many ties, touching ends, level and plumb gaps.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> lattice(0, 60);
    std::size_t total = 0;
    for (int trial = 0; trial < 60; ++trial) {
        SegmentList input;
        for (int n = 0; n < 120; ++n)
            input.push_back({lattice(random) * 0.1, lattice(random) * 0.1, lattice(random) * 0.1, lattice(random) * 0.1});
        total += expectGridMatchesFullScan(input, "lattice trial " + std::to_string(trial));
    }
    EXPECT_GT(total, 100u); // the inputs do have gaps to close

    random.seed(5);
    std::uniform_real_distribution<double> jitter(-0.8, 0.8), place(-200, 200), radius(1, 30), angle(0, 360);
    total = 0;
    for (int trial = 0; trial < 40; ++trial) {
        Shape shape;
        for (int polygon = 0; polygon < 6; ++polygon) {
            const double x = place(random), y = place(random);
            const double corners[][2] = {{0, 0}, {30, 0}, {30, 20}, {0, 20}};
            for (int c = 0; c < 4; ++c) {
                const auto &a = corners[c], &b = corners[(c + 1) % 4];
                shape.push_back(lineEntity(x + a[0], y + a[1], x + b[0] + jitter(random), y + b[1] + jitter(random)));
            }
        }
        for (int arc = 0; arc < 4; ++arc) {
            const double cx = place(random), cy = place(random), r = radius(random), s = angle(random);
            shape.push_back(arcEntity(cx, cy, r, s, angle(random)));
            shape.push_back(lineEntity(cx + r * std::cos(s * kPi / 180) + jitter(random),
                                       cy + r * std::sin(s * kPi / 180) + jitter(random), cx, cy));
        }
        total += expectGridMatchesFullScan(shapeToSegments(shape), "jittered trial " + std::to_string(trial));
    }
    EXPECT_GT(total, 400u);

    SegmentList far{{0, 0, 1, 1}, {2e9, 0, 2e9, 1}};
    EXPECT_FALSE(closeOutlinesByGrid(far));
    EXPECT_EQ(far.size(), 2u);
    SegmentList broken{{0, 0, 1, 1}, {std::numeric_limits<double>::quiet_NaN(), 0, 1.3, 1.4}};
    EXPECT_FALSE(closeOutlinesByGrid(broken));
}

struct DistanceCase { const char* what; ShapeEntity a, b; double expected; };

TEST(EntityDistance, HandWorkedPairs)
{
    const double r2 = std::sqrt(2.0);
    const DistanceCase cases[] = {
        {"parallel lines 3 apart", lineEntity(0, 0, 10, 0), lineEntity(0, 3, 10, 3), 3},
        {"lines end to end", lineEntity(0, 0, 10, 0), lineEntity(13, 4, 20, 4), 5},
        {"crossing lines", lineEntity(0, 0, 10, 10), lineEntity(0, 10, 10, 0), 0},
        {"collinear lines 2.9 apart", lineEntity(0, 0, 10, 0), lineEntity(12.9, 0, 20, 0), 2.9},
        {"line touching a circle", lineEntity(-20, 10, 20, 10), arcEntity(0, 0, 10, 0, 0), 0},
        {"line above a circle", lineEntity(-20, 13, 20, 13), arcEntity(0, 0, 10, 0, 0), 3},
        {"line through a circle", lineEntity(-20, 1, 20, 1), arcEntity(0, 0, 10, 0, 0), 0},
        {"short line inside a circle", lineEntity(-2, 0, 2, 0), arcEntity(0, 0, 10, 0, 0), 8},
        {"line above the lower half only", lineEntity(-20, 13, 20, 13), arcEntity(0, 0, 10, 180, 360), 13},
        {"line beside an arc's end", lineEntity(13, -5, 13, 5), arcEntity(0, 0, 10, 90, 270), std::sqrt(194.0)},
        {"circles 3 apart", arcEntity(0, 0, 10, 0, 0), arcEntity(23, 0, 10, 0, 0), 3},
        {"circles 2.9 apart", arcEntity(0, 0, 10, 0, 0), arcEntity(22.9, 0, 10, 0, 0), 2.9},
        {"crossing circles", arcEntity(0, 0, 10, 0, 0), arcEntity(15, 0, 10, 0, 0), 0},
        {"circle within a circle", arcEntity(0, 0, 10, 0, 0), arcEntity(2, 0, 5, 0, 0), 3},
        {"concentric arcs facing", arcEntity(0, 0, 10, 0, 90), arcEntity(0, 0, 13, 45, 135), 3},
        {"concentric arcs apart", arcEntity(0, 0, 10, 0, 90), arcEntity(0, 0, 10, 180, 270), 10 * r2},
        {"arcs turned away", arcEntity(0, 0, 10, 90, 270), arcEntity(30, 0, 10, 270, 90), 30},
        {"negative radius mirrors", arcEntity(0, 0, -10, 180, 360), lineEntity(-20, 13, 20, 13), 3},
    };
    for (const DistanceCase& c : cases) {
        EXPECT_NEAR(entityDistance(c.a, c.b), c.expected, 1e-9) << c.what;
        EXPECT_NEAR(entityDistance(c.b, c.a), c.expected, 1e-9) << c.what << " (swapped)";
    }
}

ShapeEntity randomEntity(std::mt19937& random)
{
    std::uniform_real_distribution<double> place(-30, 30), size(0.5, 20), angle(0, 360);
    std::uniform_int_distribution<int> kind(0, 2);
    switch (kind(random)) {
    case 0: return lineEntity(place(random), place(random), place(random), place(random));
    case 1: return arcEntity(place(random), place(random), size(random), 0, 0);
    default: return arcEntity(place(random), place(random), size(random), angle(random), angle(random));
    }
}

// The least distance over many points of one entity can only lie above the exact one, and by
// no more than half the spacing of the points; a point's distance is checked the same way.
TEST(EntityDistance, AgreesWithDenseSamplingOnRandomPairs)
{
    std::mt19937 random(7);
    constexpr int kPoints = 4000;
    for (int trial = 0; trial < 300; ++trial) {
        const ShapeEntity a = randomEntity(random), b = randomEntity(random);
        const double exact = entityDistance(a, b);
        double sampled = 1e300;
        for (const auto& [x, y] : pointsAlong(a, kPoints)) sampled = std::min(sampled, pointEntityDistance(x, y, b));
        const double step = 2 * M_PI * 30 / kPoints + 90.0 / kPoints;
        EXPECT_GE(sampled, exact - 1e-9) << "trial " << trial;
        EXPECT_LE(sampled, exact + step) << "trial " << trial;

        const auto [px, py] = pointsAlong(a, 7)[3];
        double pointSampled = 1e300;
        for (const auto& [x, y] : pointsAlong(b, kPoints)) pointSampled = std::min(pointSampled, std::hypot(x - px, y - py));
        const double pointExact = pointEntityDistance(px, py, b);
        EXPECT_GE(pointSampled, pointExact - 1e-9) << "trial " << trial;
        EXPECT_LE(pointSampled, pointExact + step) << "trial " << trial;
    }
}

TEST(EntityDistance, ArcBoxesAreExact)
{
    const Extents quarter = entityExtents(arcEntity(0, 0, 10, 0, 90));
    EXPECT_EQ(goldenNumbers({quarter.xmin, quarter.ymin, quarter.xmax, quarter.ymax}), " 0 0 10 10");
}

} // namespace
} // namespace dravenor
