// Yields, cutting lengths and weights of layouts; the report's golden files show them for the
// hand-made job, these tests what the report does not.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/engine_job.h"
#include "engine/layout_summary.h"
#include "engine/nesting_driver.h"
#include "geometry/primitives.h"
#include "layouts/layout_metrics.h"
#include "layouts/report_test_job.h"

namespace dravenor {
namespace {

using testing::ReportTestJob;

TEST(LayoutMetricsFormulas, CuttingLengthWeightAndYield)
{
    // Every entity counts, holes too, arcs by their chords: a half arc is half the circle.
    Shape plate = testing::rectangle(0, 0, 200, 100);
    plate.push_back(testing::arcEntity(50, 50, 10, 0, 0));
    EXPECT_NEAR(cuttingLength(plate), 600 + 20 * kPi, 0.005);
    EXPECT_LT(cuttingLength(plate), 600 + 20 * kPi);
    EXPECT_DOUBLE_EQ(cuttingLength(Shape{}), 0);
    const double half = cuttingLength(Shape{testing::arcEntity(0, 0, 10, 0, 180)});
    EXPECT_NEAR(half * 2, cuttingLength(Shape{testing::arcEntity(0, 0, 10, 90, 90)}), 1e-9);
    EXPECT_NEAR(half, 10 * kPi, 0.002);

    // Density x thickness x area x count, without a change of unit.
    EXPECT_EQ(weightText(7.85e-6, 10, 20000, 1), "1.57");
    EXPECT_EQ(weightText(0.5, 1, 1, 1), "0.50");
    EXPECT_EQ(weightText(0, 10, 20000, 5), "0.00");
    EXPECT_EQ(weightText(2, 3, 1000, 0), "0.00");

    const std::pair<double, double> rounded[] = {{200.0 / 3, 66.667}, {15, 15}, {12.3454, 12.345}, {0, 0}};
    for (const auto& [percent, yield] : rounded) EXPECT_DOUBLE_EQ(roundedYield(percent), yield);
    // A range counts each layout with its quantity: 4000 / 24000, not the mean 20.
    const std::vector<LayoutSummary> layouts{
        {1, 1, "", 2, 2, 1500, 10000}, {2, 2, "", 1, 1, 1000, 4000}, {3, 2, "", 1, 0, 0, 0}};
    EXPECT_DOUBLE_EQ(yieldOfLayouts(layouts, 1, 1), 15);
    EXPECT_DOUBLE_EQ(yieldOfLayouts(layouts, 2, 2), 25);
    EXPECT_DOUBLE_EQ(yieldOfLayouts(layouts, 1, 2), 16.667);
    EXPECT_DOUBLE_EQ(yieldOfLayouts(layouts, 3, 3), 0); // no sheet area
}

TEST(LayoutMetricsHandMade, BoxesAreTheSheetsExtentsWhateverTheRasterCellsAndUnproducedPartsHaveALength)
{
    ReportTestJob fixture;
    fixture.job.nesting.details.Kerf = 3; // 1/3 cell per unit: the 100 x 50 box would be 33 x 17 cells
    const JobMetrics metrics = computeJobMetrics(fixture.job.nesting, 0.5);
    EXPECT_EQ(metrics.sheetBoxArea, (std::vector<double>{10000, 5000, 100}));
    EXPECT_DOUBLE_EQ(metrics.layouts.at(1).baseYield, 20);
    EXPECT_EQ(metrics.partRlc, (std::vector<double>{140, 90, 40}));
    EXPECT_DOUBLE_EQ(metrics.rlcOfPart(3), 40);
    EXPECT_EQ(metrics.layout(2), &metrics.layouts[1]);
    EXPECT_EQ(metrics.layout(3), nullptr);
}

TEST(LayoutMetricsHandMade, ADrawingsCuttingLengthCountsItsEllipseHoleInTheDrawingUnitAndNamesWhatWasSkipped)
{
    ReportTestJob fixture;
    // A 4 x 2 inch plate with an elliptic hole (semi-axes 1 and 0.5 inch) and a hatch.
    fixture.job.nesting.parts[1].FileName = fixture.folder.write(
        "plate.dxf", "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n1\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
                     "0\nLWPOLYLINE\n90\n4\n70\n1\n10\n0\n20\n0\n10\n4\n20\n0\n10\n4\n20\n2\n10\n0\n20\n2\n"
                     "0\nELLIPSE\n10\n2\n20\n1\n11\n1\n21\n0\n40\n0.5\n0\nHATCH\n0\nENDSEC\n0\nEOF\n");
    const JobMetrics metrics = computeJobMetrics(fixture.job.nesting, 0.5);
    const double ellipse = std::numbers::pi * (3 * 1.5 - std::sqrt(3.5 * 2.5)); // Ramanujan's perimeter
    EXPECT_NEAR(metrics.partRlc[1], (12 + ellipse) * 25.4, 0.5);
    ASSERT_EQ(metrics.warnings.size(), 1u);
    EXPECT_NE(metrics.warnings[0].find("plate.dxf: its cutting length leaves out"), std::string::npos);
}

// The "Ov. Yield" of the run's progress title as a number.
class TitleYield : public SilentProgress {
public:
    void title(const std::string& text) override
    {
        const size_t at = text.find("Ov. Yield : ");
        if (at != std::string::npos && text.compare(at + 12, 2, "NA") != 0) yield = std::stod(text.substr(at + 12));
    }
    double yield = -1;
};

TEST(LayoutMetricsEngine, RoundPartsYieldAndWeighTheirTrueAreasNotTheirRasterCellsAndCutTheirChords)
{
    // On a kerf-sized raster a washer OD40/ID18 covers about a third more than it is.
    const struct {
        const char* name;
        double od, id;
        int qty;
    } cases[] = {{"washer OD40/ID18", 40, 18, 30}, {"washer OD60/ID26", 60, 26, 20}, {"disc 100", 100, 0, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::EngineJob job;
        job.kerf(3)
            .sheet(job.rectangleFile("sheet.shp", 400, 300), 1)
            .part(job.shapeFile("round.shp", testing::washer(c.od / 2, c.od / 2, c.od, c.id)), c.qty);
        job.state.details.Thick = 10;
        TitleYield progress;
        optimise(job.state, NestingMode::Free, progress);
        ASSERT_EQ(job.state.parts[0].Remaining, 0);
        const double pieceArea = kPi * (c.od * c.od - c.id * c.id) / 4;
        const double expected = pieceArea * c.qty / (400 * 300) * 100;
        const JobMetrics metrics = computeJobMetrics(job.state, 1);
        EXPECT_NEAR(metrics.overallYield, expected, 0.001);
        EXPECT_NEAR(metrics.layouts.at(0).yield, expected, 0.001);
        EXPECT_NEAR(progress.yield, expected, 0.001);
        EXPECT_NEAR(metrics.partWeight(1, c.qty), 10 * pieceArea * c.qty, 1e-6);
        // Each circle in 180 chords of 2 degrees; every piece cut once.
        EXPECT_NEAR(metrics.partRlc[0], 180 * (c.od + c.id) * std::sin(kPi / 180), 1e-9);
        EXPECT_NEAR(metrics.totalRlc, c.qty * metrics.partRlc[0], 1e-6);
    }
}

} // namespace
} // namespace dravenor
