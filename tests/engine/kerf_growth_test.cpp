// Part rasters grown by half the kerf, judged on the true shapes (arcs as arcs): every cell that
// comes within the growth of the part is occupied, none lies much farther, also where the cells
// are narrower than the kerf and the rasters start before the part's box. Whole runs keeping the
// kerf are the driver tests'.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/kerf_growth.h"
#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "raster_test_support.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Distance from a point to the square of cell (i, j).
double toCell(double x, double y, int i, int j)
{
    return std::hypot(std::max(0.0, std::fabs(x - i) - 0.5), std::max(0.0, std::fabs(y - j) - 0.5));
}

} // namespace

TEST(GrownPartRaster, HoldsEveryCellWithinTheGrowthOfTheTruePartAndNoneFarOff)
{
    // Half a kerf of one cell; of a kerf the sheet size made larger than the cells; and of a kerf
    // three cells wide where the smallest part made the cells narrow.
    for (const double growth : {0.5, 0.37, 1.6})
        for (const double angle : {0.0, 37.5})
            for (const auto& [name, original] : awkwardParts()) {
                SCOPED_TRACE(std::string(name) + " growth " + std::to_string(growth) + " at " + std::to_string(angle));
                // The raster from the turned chords, the shape turned and re-chorded as a layout places it.
                Outline outline = shapeToSegments(original);
                turnOutline(outline, angle);
                Shape shape = original;
                rotateShape(shape, angle);
                const Extents box = outlineBox(shapeToSegments(shape));
                const int shift = partShiftCells(growth);
                moveShape(shape, shift - box.xmin, shift - box.ymin);
                bool tooSmall = true;
                const Raster raster = grownPartRaster(outline, growth, tooSmall);
                EXPECT_FALSE(tooSmall);

                // Sampled every 0.02 cells: a cell nearer than the growth less that to some point
                // on the outline must be held.
                for (const Points& entity : pointsOn(shape, 50))
                    for (const auto& [x, y] : entity)
                        for (int j = static_cast<int>(std::floor(y - growth)); j <= std::ceil(y + growth); ++j)
                            for (int i = static_cast<int>(std::floor(x - growth)); i <= std::ceil(x + growth); ++i)
                                if (toCell(x, y, i, j) < growth - 0.02) {
                                    ASSERT_TRUE(i >= 0 && j >= 0 && i <= raster.W() && j <= raster.H())
                                        << "cell " << i << "," << j << " beyond the raster";
                                    ASSERT_TRUE(raster.test(i, j)) << "cell " << i << "," << j << " near " << x << "," << y;
                                }
                // The cell's square comes within the growth (and three sags of the chords): its
                // centre within half a diagonal more.
                double sag = 0;
                for (const Segment& s : outline) sag = std::max(sag, s.sag);
                const std::vector<Points> truth = pointsOn(shape, 0);
                for (const auto& [i, j] : occupiedCells(raster))
                    if (!insideTrue(truth, i, j))
                        ASSERT_LE(distanceToShape(shape, i, j), growth + 3 * sag + 0.7072) << "far cell " << i << "," << j;
                for (int j = 0; j <= raster.H(); ++j)
                    for (int i = 0; i <= raster.W(); ++i)
                        if (insideTrue(truth, i, j)) ASSERT_TRUE(raster.test(i, j)) << "inside cell " << i << "," << j;
            }
}

TEST(GrownPartRaster, ShiftOnlyWhereTheGrowthPassesHalfACell)
{
    EXPECT_EQ(partGrowthCells(3, 1 / 3.0), 0.5);
    EXPECT_EQ(partGrowthCells(0, 1), 0);
    EXPECT_EQ(partGrowthCells(2, 0.25), 0.25);
    for (const auto& [growth, shift] : {std::pair{0.0, 0}, {0.37, 0}, {0.5, 0}, {0.5 + 1e-9, 0}, {0.51, 1},
                                        {1.5, 1}, {1.6, 2}, {3.2, 3}})
        EXPECT_EQ(partShiftCells(growth), shift) << growth;
    // A rectangle 10.3 cells wide grown by half a cell: cells 0 to 11, so copies side by side
    // stand 12 cells apart, 1.7 cells between them; its height of exactly 5 cells keeps 0 to 5.
    bool tooSmall = true;
    const Raster r = grownPartRaster(rectangleOutline(10.3, 5), 0.5, tooSmall);
    EXPECT_EQ(r.W(), 11);
    EXPECT_EQ(r.H(), 5);
    EXPECT_EQ(r.countOccupied(), 12 * 6);
}
