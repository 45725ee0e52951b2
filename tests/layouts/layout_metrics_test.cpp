#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/nesting_driver.h"
#include "engine/layout_summary.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "layouts/layout_metrics.h"
#include "layouts/report_test_job.h"
#include "engine/engine_job.h"

namespace dravenor {
namespace {

using testing::ReportTestJob;

TEST(CuttingLength, CountsEveryEntityWithHolesAndArcsByTheirChordsAHalfArcHalfTheCircle)
{
    Shape plate = testing::rectangle(0, 0, 200, 100);
    plate.push_back(testing::arcEntity(50, 50, 10, 0, 0)); // a full circle
    const double length = cuttingLength(plate);
    EXPECT_NEAR(length, 600 + 20 * kPi, 0.005);
    EXPECT_LT(length, 600 + 20 * kPi); // chords are shorter than the arc
    EXPECT_DOUBLE_EQ(cuttingLength(testing::rectangle(0, 0, 50, 20)), 140);
    EXPECT_DOUBLE_EQ(cuttingLength(Shape{}), 0);

    const Shape half{testing::arcEntity(0, 0, 10, 0, 180)};
    const Shape full{testing::arcEntity(0, 0, 10, 90, 90)};
    EXPECT_NEAR(cuttingLength(half) * 2, cuttingLength(full), 1e-9);
    EXPECT_NEAR(cuttingLength(half), 10 * kPi, 0.002);
}

TEST(Weight, IsDensityTimesThicknessTimesAreaTimesCountWithoutUnitChange)
{
    EXPECT_EQ(weightText(7.85e-6, 10, 20000, 1), "1.57");
    EXPECT_EQ(weightText(0.5, 1, 1, 1), "0.50");
    EXPECT_EQ(weightText(0, 10, 20000, 5), "0.00");
    EXPECT_EQ(weightText(2, 3, 1000, 0), "0.00");
}

TEST(Yield, IsKeptToThreeDecimalsAndARangeCountsEachLayoutWithItsQuantity)
{
    EXPECT_DOUBLE_EQ(roundedYield(200.0 / 3), 66.667);
    EXPECT_DOUBLE_EQ(roundedYield(15), 15);
    EXPECT_DOUBLE_EQ(roundedYield(12.3454), 12.345);
    EXPECT_DOUBLE_EQ(roundedYield(0), 0);

    std::vector<LayoutSummary> layouts(3);
    layouts[0] = {1, 1, "", 2, 2, 1500, 10000};
    layouts[1] = {2, 2, "", 1, 1, 1000, 4000};
    layouts[2] = {3, 2, "", 1, 0, 0, 0};
    EXPECT_DOUBLE_EQ(yieldOfLayouts(layouts, 1, 1), 15);
    EXPECT_DOUBLE_EQ(yieldOfLayouts(layouts, 2, 2), 25);
    EXPECT_DOUBLE_EQ(yieldOfLayouts(layouts, 1, 2), 16.667); // 4000 / 24000, not the mean 20
    EXPECT_DOUBLE_EQ(yieldOfLayouts(layouts, 3, 3), 0);      // no sheet area
}

class HandMadeJobMetrics : public ::testing::Test {
protected:
    ReportTestJob fixture;
    JobMetrics metrics = computeJobMetrics(fixture.job.nesting, 0.5);
};

TEST_F(HandMadeJobMetrics, LayoutYieldsBaseYieldsAndLengths)
{
    ASSERT_EQ(metrics.layouts.size(), 2u);
    const LayoutMetrics& first = metrics.layouts[0];
    EXPECT_EQ(first.layoutNo, 1);
    EXPECT_EQ(first.sheetIndex, 1);
    EXPECT_EQ(first.qty, 2);
    EXPECT_DOUBLE_EQ(first.yield, 15);          // 1500 / 10000
    EXPECT_DOUBLE_EQ(first.baseYield, 15);      // the box is the sheet
    EXPECT_DOUBLE_EQ(first.rlcPerSheet, 230);   // 140 + 90, the sheet outline not counted
    EXPECT_DOUBLE_EQ(first.totalRlc, 460);
    const LayoutMetrics& second = metrics.layouts[1];
    EXPECT_DOUBLE_EQ(second.yield, 20);         // 1000 / 5000: the sheet's outline, not the record's 4000
    EXPECT_DOUBLE_EQ(second.baseYield, 20);     // 1000 / 5000 (the 100 x 50 box)
    EXPECT_DOUBLE_EQ(second.rlcPerSheet, 140);
    EXPECT_DOUBLE_EQ(second.totalRlc, 140);
    EXPECT_EQ(metrics.layout(2), &second);
    EXPECT_EQ(metrics.layout(3), nullptr);
}

TEST_F(HandMadeJobMetrics, TotalsAddUp)
{
    EXPECT_DOUBLE_EQ(metrics.overallYield, 16);       // (1500 x 2 + 1000) / (10000 x 2 + 5000)
    EXPECT_DOUBLE_EQ(metrics.overallBaseYield, 16);   // the sheets are their own boxes
    EXPECT_DOUBLE_EQ(metrics.totalRlc, 600);
    // The same length counted by part type: produced pieces x length of one piece.
    EXPECT_DOUBLE_EQ(3 * metrics.rlcOfPart(1) + 2 * metrics.rlcOfPart(2) + 0 * metrics.rlcOfPart(3), 600);
    EXPECT_EQ(metrics.partRlc, (std::vector<double>{140, 90, 40}));
    EXPECT_EQ(metrics.sheetBoxArea, (std::vector<double>{10000, 5000, 100}));
    EXPECT_EQ(metrics.areas.sheets, (std::vector<double>{10000, 5000, 100}));
    EXPECT_EQ(metrics.areas.parts, (std::vector<double>{1000, 500, 100}));
    EXPECT_DOUBLE_EQ(metrics.weight(1000, 3), 15000);
    EXPECT_DOUBLE_EQ(metrics.sheetWeight(2, 2), 0.5 * 10 * 5000 * 2);
    EXPECT_TRUE(metrics.warnings.empty());
}

TEST(LayoutMetricsBaseYield, UsesTheSheetsExtentsWhateverTheRasterCells)
{
    ReportTestJob fixture;
    fixture.job.nesting.details.Kerf = 3; // 1/3 cell per unit: the 100 x 50 box would be 33 x 17 cells
    const JobMetrics metrics = computeJobMetrics(fixture.job.nesting, 0.5);
    EXPECT_DOUBLE_EQ(metrics.sheetBoxArea[1], 5000);
    EXPECT_DOUBLE_EQ(metrics.layouts[1].baseYield, 20);
}

TEST(LayoutMetricsFiles, AnUnreadablePartFileCountsZeroLengthWithAWarning)
{
    ReportTestJob fixture;
    fixture.job.nesting.parts[1].FileName = fixture.folder.file("gone.shp");
    const JobMetrics metrics = computeJobMetrics(fixture.job.nesting, 0.5);
    EXPECT_DOUBLE_EQ(metrics.layouts[0].rlcPerSheet, 140);
    ASSERT_EQ(metrics.warnings.size(), 1u);
    EXPECT_NE(metrics.warnings[0].find("gone.shp"), std::string::npos);
}

TEST(LayoutMetricsFiles, ADrawingsCuttingLengthCountsItsEllipseHoleInTheDrawingUnitAndNamesWhatWasSkipped)
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

TEST(LayoutMetricsEngine, CuttingLengthsOfARealRunAddUpByPartType)
{
    testing::EngineJob job;
    job.kerf(2)
        .sheet(job.rectangleFile("sheet.shp", 400, 300), 3)
        .part(job.rectangleFile("big.shp", 150, 100), 5)
        .part(job.shapeFile("ring.shp", [] {
            Shape s{testing::arcEntity(30, 30, 30, 0, 0), testing::arcEntity(30, 30, 10, 0, 0)};
            return s;
        }()), 6);
    SilentProgress progress;
    optimise(job.state, NestingMode::Free, progress);
    const JobMetrics metrics = computeJobMetrics(job.state, 1);
    ASSERT_FALSE(metrics.layouts.empty());
    double byParts = 0;
    for (size_t i = 0; i < job.state.parts.size(); ++i) {
        const PartEntry& p = job.state.parts[i];
        byParts += (p.Qty - p.Remaining) * metrics.partRlc[i];
    }
    EXPECT_NEAR(metrics.totalRlc, byParts, 1e-6);
    EXPECT_NEAR(metrics.partRlc[0], 500, 1e-9);
    EXPECT_NEAR(metrics.partRlc[1], 180 * 2 * 40 * std::sin(kPi / 180), 1e-9); // 2-degree chords
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

TEST(LayoutMetricsEngine, YieldsAndWeightsOfRoundPartsAreTheirTrueAreasNotTheirRasterCells)
{
    // On a kerf-sized raster a washer OD40/ID18 covers about a third more than it is.
    const struct {
        const char* name;
        double od, id;
        int qty;
    } cases[] = {{"washer OD40/ID18", 40, 18, 30}, {"washer OD60/ID26", 60, 26, 20}, {"disc 100", 100, 0, 4}};
    for (const auto& c : cases) {
        testing::EngineJob job;
        job.kerf(3)
            .sheet(job.rectangleFile("sheet.shp", 400, 300), 1)
            .part(job.shapeFile("round.shp", testing::washer(c.od / 2, c.od / 2, c.od, c.id)), c.qty);
        job.state.details.Thick = 10;
        TitleYield progress;
        optimise(job.state, NestingMode::Free, progress);
        ASSERT_EQ(job.state.parts[0].Remaining, 0) << c.name;
        const double pieceArea = kPi * (c.od * c.od - c.id * c.id) / 4;
        const double expected = pieceArea * c.qty / (400 * 300) * 100;
        const JobMetrics metrics = computeJobMetrics(job.state, 1);
        EXPECT_NEAR(metrics.overallYield, expected, 0.001) << c.name;
        EXPECT_NEAR(metrics.layouts.at(0).yield, expected, 0.001) << c.name;
        EXPECT_NEAR(progress.yield, expected, 0.001) << c.name;
        EXPECT_NEAR(metrics.partWeight(1, c.qty), 10 * pieceArea * c.qty, 1e-6) << c.name;
    }
}

} // namespace
} // namespace dravenor
