#include <gtest/gtest.h>

#include <cmath>

#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_preview.h"
#include "support/recording_surface.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::lineEntity;
using testing::RecordingSurface;

PreviewOptions colouredBy(int colour, int from = 0, int to = 0)
{
    PreviewOptions options;
    options.colour = colour;
    options.highlightFrom = from;
    options.highlightTo = to;
    return options;
}

TEST(FitViewToShape, SquareViewOfTheLargerSideWithTheSizesAsTooltip)
{
    RecordingSurface surface;
    fitViewToShape(surface, Extents{5, 20, 15, 320}); // tall and thin
    const ViewScale view = surface.scale();
    EXPECT_NEAR(view.width, 330, 1e-9);
    EXPECT_NEAR(view.height, 330, 1e-9);
    EXPECT_EQ(view.left, 5);
    EXPECT_EQ(view.top, 20);
    EXPECT_EQ(surface.toolTip(), "Xmax=10 Ymax=300");

    fitViewToShape(surface, Extents{3, 3, 3, 3}); // refused, the tooltip still follows
    EXPECT_EQ(surface.refusedScales, 1);
    EXPECT_EQ(surface.toolTip(), "Xmax=0 Ymax=0");
}

TEST(PreviewShape, DrawsTheShapeUpsideDownWhereItLies)
{
    RecordingSurface surface;
    surface.line(0, 0, 1, 1, Black);
    // Extents (-5,10)-(15,30): the mirror maps y onto 40 - y.
    EXPECT_TRUE(previewShapeFile(testing::testDataPath("offset_square.shp"), surface, colouredBy(Blue)));
    ASSERT_EQ(surface.lines.size(), 4u);
    EXPECT_EQ(surface.lines[0].y1, 30); // (-5, 10) is drawn at the bottom
    EXPECT_EQ(surface.lines[2].y1, 10); // (15, 30) at the top
    EXPECT_EQ(surface.scale().left, -5);
    EXPECT_EQ(surface.toolTip(), "Xmax=20 Ymax=20");

    EXPECT_FALSE(previewShapeFile(testing::testDataPath("nothing_here.shp"), surface, colouredBy(Blue)));
    EXPECT_TRUE(surface.lines.empty());
}

// Grid lines drawn for a grid text on a view 440 wide from the origin (a 400 x 200 shape).
RecordingSurface gridFor(const std::string& text, double mirror, double width)
{
    RecordingSurface surface;
    surface.setScale({0, 0, 440, 440});
    drawGrid(surface, text, mirror, width, true);
    return surface;
}

TEST(DrawGrid, AutoSpacingIsATenthOfTheLargerSizeAndNeedsFive)
{
    const RecordingSurface surface = gridFor("Auto", 200, 400);
    // Spacing 40: x = 0..440 and y = 200 - 40k within 0..440, twelve lines each, across the view.
    ASSERT_EQ(surface.countLines(LightGrey), 24);
    for (const auto& l : surface.lines) {
        const bool vertical = l.x1 == l.x2;
        EXPECT_EQ(std::fmod(vertical ? l.x1 : 200 - l.y1, 40), 0);
        EXPECT_EQ(vertical ? l.y2 - l.y1 : l.x2 - l.x1, 440);
    }
    EXPECT_TRUE(gridFor("Auto", 40, 30).lines.empty());  // spacing 4
    EXPECT_FALSE(gridFor("Auto", 50, 30).lines.empty()); // the mirror height counts: spacing 5
    EXPECT_TRUE(gridFor("No", 200, 400).lines.empty());
    EXPECT_TRUE(gridFor("4", 200, 400).lines.empty());
}

TEST(DrawGrid, FixedSpacingCoversTheViewAndLabels)
{
    RecordingSurface surface;
    surface.setScale({-30, 0, 100, 100});
    drawGrid(surface, "25", 50, 80, false);
    EXPECT_EQ(surface.countLines(LightGrey), 4 + 5); // x = -25..50, y = 50 - 25k for k = -2..2
    EXPECT_TRUE(surface.texts.empty());

    const RecordingSurface labelled = gridFor("100", 200, 400);
    for (const char* label : {"(0 , 0)", "100", "400", "-200"}) EXPECT_TRUE(labelled.findText(label)) << label;
    EXPECT_NEAR(labelled.findText("(0 , 0)")->y, 200 + labelled.textWidth("A") / 2, 1e-9);
}

TEST(DrawShape, HighlightedRangeIsRedDrawnLastAndMayBeBackwards)
{
    const Shape shape = testing::rectangle(0, 0, 10, 10);
    for (auto [from, to] : {std::pair{2, 3}, std::pair{3, 2}}) {
        RecordingSurface surface;
        drawShape(shape, surface, colouredBy(Navy, from, to), 10);
        ASSERT_EQ(surface.lines.size(), 4u);
        EXPECT_EQ(surface.countLines(Red), 2);
        EXPECT_EQ(surface.lines[2].colour, Red);
        EXPECT_EQ(surface.lines[2].x1, shape[1].X1); // entity 2 is the first red one
        EXPECT_EQ(surface.lines[2].y1, 10 - shape[1].Y1);
    }
    RecordingSurface none;
    drawShape(shape, none, colouredBy(Navy), 10);
    EXPECT_EQ(none.countLines(Navy), 4);
}

TEST(DrawShape, ArcAnglesAreBroughtIntoRangeOnACopy)
{
    RecordingSurface surface;
    drawShape({arcEntity(0, 0, 10, 90, 360)}, surface, colouredBy(Black), 0);
    EXPECT_EQ(surface.lines.size(), 136u); // 270 degrees, ending at 0
    EXPECT_NEAR(surface.lines.back().x2, 10, 1e-9);

    for (auto [s, e] : {std::pair{0.0, 360.0}, std::pair{360.0, 360.0}, std::pair{45.0, 45.0}}) {
        RecordingSurface circle;
        drawShape({arcEntity(0, 0, 10, s, e)}, circle, colouredBy(Black), 0);
        EXPECT_EQ(circle.lines.size(), 181u) << s << " to " << e;
    }

    const Shape shape{arcEntity(5, 5, 5, 370, 90)};
    RecordingSurface mirrored;
    drawShape(shape, mirrored, colouredBy(Black), 20);
    EXPECT_EQ(shape[0].Nstart, 370); // the caller's shape is left as it was
    ASSERT_EQ(mirrored.lines.size(), 41u);
    EXPECT_NEAR(mirrored.lines.back().x2, 5, 1e-9);
    EXPECT_NEAR(mirrored.lines.back().y2, 10, 1e-9);
}

TEST(DrawShape, PointMarksAndDimensions)
{
    RecordingSurface surface;
    surface.setScale({0, 0, 300, 300});
    PreviewOptions options;
    options.showPoints = true;
    options.showDimensions = true;
    drawShape({lineEntity(0, 0, 3, 4), arcEntity(0, 0, 10, 0, 90), arcEntity(100, 0, 7.125, 45, 45),
               arcEntity(200, 0, 2, 0, 360)},
              surface, options, 50);
    for (const char* mark : {"0.00,0.00", "3.00,4.00", "100.00,0.00"}) EXPECT_TRUE(surface.findText(mark)) << mark;
    EXPECT_EQ(surface.countLines(DarkGrey), 2 * 5); // a cross of two lines per point
    // Lengths at the middle of a line, radii halfway along the arc (circles at 0 or 180 degrees).
    const double diagonal = 10 * std::sin(kPi / 4);
    const std::tuple<const char*, double, double> labels[] = {
        {"5.00", 1.5, 48}, {"R=10.00", diagonal, 50 - diagonal}, {"R=7.13", 107.125, 50}, {"R=2.00", 198, 50}};
    for (const auto& [label, x, y] : labels) {
        ASSERT_TRUE(surface.findText(label)) << label;
        EXPECT_NEAR(surface.findText(label)->x, x, 1e-9) << label;
        EXPECT_NEAR(surface.findText(label)->y, y, 1e-9) << label;
    }
}

} // namespace
} // namespace dravenor
