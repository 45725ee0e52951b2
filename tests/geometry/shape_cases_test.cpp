// Shapes as profiles to cut: for each case of tests/data/geometry/shape_cases.txt, and for the
// flattened curves and full-turn angles made here, every measure, the chord form and the lines
// that close its gaps, pinned by a golden file.
#include <gtest/gtest.h>

#include <cmath>

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

using testing::goldenNumbers;

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
        text += "chord form from, to, last chord" +
                goldenNumbers({first.X1, first.Y1, last.X2, last.Y2, std::hypot(last.X2 - last.X1, last.Y2 - last.Y1)}) +
                "\n";
    }
    for (const ShapeEntity& line : missingLines(shape)) text += "closed by " + testing::goldenEntity(line) + "\n";
    return text;
}

TEST(ShapeCases, MeasuresChordFormsAndClosingLinesMatchTheGoldenFile)
{
    testing::Sections results;
    const std::string cases = testing::TempFolder::read(testing::testDataPath("shape_cases.txt"));
    for (const auto& [title, text] : testing::splitSections(cases)) {
        Shape shape;
        const ShapeReadReport report = parseShapeText(text, shape);
        EXPECT_EQ(report.nonNumericFields + report.leftoverFields, 0) << title;
        // A title may end with the gap tolerance in brackets.
        const std::size_t bracket = title.rfind('[');
        const double tolerance = bracket == std::string::npos ? kEndsMeetAsDrawn : leadingNumber(title.substr(bracket + 1));
        results.push_back({title, measured(shape, tolerance)});
    }
    // Angles of a full turn, which a shape file would reduce, and curves flattened into many lines.
    const struct {
        const char* name;
        Shape shape;
        double tolerance;
    } made[] = {
        {"circle 0 to 360", {testing::arcEntity(50, 50, 25, 0, 360)}, kEndsMeetAsDrawn},
        {"arc 270 to 360", {testing::arcEntity(0, 0, 10, 270, 360)}, kEndsMeetAsDrawn},
        {"dense disc, lines shorter than the tolerance [5]", testing::denseDisc(), 5},
        {"offcut, gaps wider than the tolerance [0.25]", testing::tracedOffcut(), 0.25},
        {"offcut, gaps closed between short lines [2.5]", testing::tracedOffcut(), 2.5},
    };
    for (const auto& c : made) results.push_back({c.name, measured(c.shape, c.tolerance)});
    testing::expectGolden("geometry/shape_cases.txt", testing::joinSections(results));
}

} // namespace
} // namespace dravenor
