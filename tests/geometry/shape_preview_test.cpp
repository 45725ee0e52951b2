// The preview of a shape: the fitted view, the grid, the entities with a highlighted range, point
// marks and dimensions, each drawing pinned line for line by a golden file.
#include <gtest/gtest.h>

#include "geometry/golden_file.h"
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

TEST(ShapePreview, DrawingsMatchTheGoldenFile)
{
    testing::Sections results;
    RecordingSurface s;
    s.setScale({0, 0, 440, 440});
    // Files the drawing made since the last one under the name and starts a fresh one.
    const auto drawn = [&](const std::string& name) {
        results.push_back({name, testing::goldenDrawing(s)});
        s = RecordingSurface();
        s.setScale({0, 0, 440, 440});
    };
    fitViewToShape(s, Extents{5, 20, 15, 320});
    drawn("view of a tall thin shape: square, of the larger side");
    s.line(0, 0, 1, 1, Black);
    EXPECT_TRUE(previewShapeFile(testing::testDataPath("offset_square.shp"), s, colouredBy(Blue)));
    drawn("shape file drawn upside down where it lies, what was drawn before cleared");
    drawGrid(s, "Auto", 200, 400, true);
    drawn("auto grid: a tenth of the larger size");
    drawGrid(s, "Auto", 40, 30, true);
    drawGrid(s, "Auto", 50, 30, true);
    drawn("auto grid needs a spacing of 5, the mirror height counts");
    drawGrid(s, "No", 200, 400, true);
    drawGrid(s, "4", 200, 400, true);
    drawn("no grid, and none finer than 5");
    drawGrid(s, "100", 200, 400, true);
    drawn("fixed grid with labels");
    s.setScale({-30, 0, 100, 100});
    drawGrid(s, "25", 50, 80, false);
    drawn("fixed grid covering a view left of the origin, no labels");
    const Shape square = testing::rectangle(0, 0, 10, 10);
    drawShape(square, s, colouredBy(Navy, 2, 3), 10);
    drawn("entities 2 to 3 highlighted red, drawn last");
    drawShape(square, s, colouredBy(Navy, 3, 2), 10);
    drawn("highlight range given backwards");
    drawShape(square, s, colouredBy(Navy), 10);
    drawn("no highlight");
    drawShape({arcEntity(0, 0, 10, 90, 360)}, s, colouredBy(Black), 0);
    drawn("arc to 360 ends at 0");
    drawShape({arcEntity(0, 0, 10, 0, 360), arcEntity(0, 0, 10, 360, 360), arcEntity(0, 0, 10, 45, 45)}, s,
              colouredBy(Black), 0);
    drawn("circles: angles 0 and 360, 360 and 360, 45 and 45");
    const Shape wrapped{arcEntity(5, 5, 5, 370, 90)};
    drawShape(wrapped, s, colouredBy(Black), 20);
    EXPECT_EQ(wrapped[0].Nstart, 370);
    drawn("arc from 370 brought into range on a copy");
    PreviewOptions marked;
    marked.showPoints = marked.showDimensions = true;
    s.setScale({0, 0, 300, 300});
    drawShape({lineEntity(0, 0, 3, 4), arcEntity(0, 0, 10, 0, 90), arcEntity(100, 0, 7.125, 45, 45),
               arcEntity(200, 0, 2, 0, 360)},
              s, marked, 50);
    drawn("point marks, lengths at the middle of lines and radii halfway along arcs");
    testing::expectGolden("geometry/preview.txt", testing::joinSections(results));
}

TEST(ShapePreview, RefusedViewsAndMissingFilesLeaveTheSurfaceEmpty)
{
    RecordingSurface surface;
    fitViewToShape(surface, Extents{3, 3, 3, 3});
    EXPECT_EQ(surface.refusedScales, 1);
    EXPECT_EQ(surface.toolTip(), "Xmax=0 Ymax=0"); // the tooltip still follows
    surface.line(0, 0, 1, 1, Black);
    EXPECT_FALSE(previewShapeFile(testing::testDataPath("nothing_here.shp"), surface, colouredBy(Blue)));
    EXPECT_TRUE(surface.lines.empty());
}

} // namespace
} // namespace dravenor
