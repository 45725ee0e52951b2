#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"
#include "geometry/shape_measure.h"
#include "job/number_format.h"
#include "library/breakup.h"
#include "library/breakup_preview.h"
#include "support/recording_surface.h"

namespace dravenor {
namespace {

CylinderBreakupParams shell(double height)
{
    return {.diameter = 1000, .height = height, .plateLength = 2500, .plateWidth = 1250, .segmentWidth = 100, .kerf = 2};
}

ConeBreakupParams cone(double small, int divisions, double plateWidth)
{
    return {.bigDiameter = 3000, .smallDiameter = small, .height = 2000, .plateWidth = plateWidth,
            .segmentWidth = 200, .angularDivisions = divisions, .kerf = 2};
}

// Sum over the distinct pieces of the enclosed area of the outline times the count needed.
double coveredArea(const BreakupResult& r)
{
    double area = 0;
    for (const BreakupPiece& p : r.pieces) area += measureShape(p.outline).enclosedArea * p.count;
    return area;
}

void expectClosedPieces(const BreakupResult& r)
{
    for (const BreakupPiece& p : r.pieces) {
        const ShapeMeasure m = measureShape(p.outline);
        EXPECT_TRUE(m.closed) << "piece " << p.number;
        EXPECT_EQ(m.closedOutlines, 1) << "piece " << p.number;
        EXPECT_EQ(m.degenerate, 0) << "piece " << p.number;
        EXPECT_GT(m.enclosedArea, 0) << "piece " << p.number;
    }
}

// ---- Cylinder ----

TEST(CylinderBreakup, PlateSizedGridGivesFourDistinctPiecesInOrder)
{
    const BreakupResult r = cylinderBreakup(shell(1500));
    ASSERT_TRUE(r.ok) << r.reason;
    ASSERT_EQ(r.pieces.size(), 4u);
    const double lastColumn = kPi * 1000 - 2496;
    const double expected[4][2] = {{1246, 2496}, {254, 2496}, {1246, lastColumn}, {254, lastColumn}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(r.pieces[i].number, i + 1);
        EXPECT_EQ(r.pieces[i].count, 1);
        EXPECT_NEAR(r.pieces[i].width, expected[i][0], 1e-9);
        EXPECT_NEAR(r.pieces[i].length, expected[i][1], 1e-9);
        const Extents box = shapeExtents(r.pieces[i].outline);
        EXPECT_NEAR(box.width(), expected[i][0], 1e-9);
        EXPECT_NEAR(box.height(), expected[i][1], 1e-9);
    }
    EXPECT_NEAR(lastColumn, 645.59, 0.01);
    EXPECT_EQ(breakupFileName("", "shell", r.pieces[3]), "shell-4x1.dxf");
}

TEST(CylinderBreakup, NarrowLastRowIsWidenedToSegmentWidth)
{
    const BreakupResult r = cylinderBreakup(shell(1300));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.pieces.size(), 4u);
    EXPECT_DOUBLE_EQ(r.pieces[0].width, 1200);
    EXPECT_DOUBLE_EQ(r.pieces[1].width, 100);
}

TEST(CylinderBreakup, NarrowLastColumnIsWidenedToSegmentWidth)
{
    CylinderBreakupParams p = shell(1000);
    p.plateLength = 1054; // columns of 1050
    p.diameter = 1020;    // circumference 3204.42: three of 1050 and 54.42, less than 100
    const BreakupResult r = cylinderBreakup(p);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.pieces.size(), 3u);
    EXPECT_DOUBLE_EQ(r.pieces[0].length, 1050);
    EXPECT_EQ(r.pieces[0].count, 2);
    EXPECT_NEAR(r.pieces[1].length, 1050 - (100 - (kPi * 1020 - 3150)), 1e-9);
    EXPECT_DOUBLE_EQ(r.pieces[2].length, 100);
}

TEST(CylinderBreakup, EqualPiecesInEitherOrientationAreCountedTogether)
{
    // One column round, four plates high: one piece needed four times.
    CylinderBreakupParams p{.diameter = 400 / kPi, .height = 2000, .plateLength = 1004, .plateWidth = 504,
                            .segmentWidth = 0, .kerf = 2};
    BreakupResult r = cylinderBreakup(p);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.pieces.size(), 1u);
    EXPECT_EQ(r.pieces[0].count, 4);
    EXPECT_EQ(breakupFileName("", "s", r.pieces[0]), "s-1x4.dxf");

    // Rows of 500 and 300; columns of 500, 500 and 50, the last widened to 300. The 300 x 500 of
    // the first column and the 500 x 300 of the last are one piece turned.
    p = {.diameter = 1050 / kPi, .height = 800, .plateLength = 504, .plateWidth = 504, .segmentWidth = 300, .kerf = 2};
    r = cylinderBreakup(p);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.pieces.size(), 5u);
    EXPECT_DOUBLE_EQ(r.pieces[1].width, 300);
    EXPECT_DOUBLE_EQ(r.pieces[1].length, 500);
    EXPECT_EQ(r.pieces[1].count, 2);
    for (int i : {0, 2, 3, 4}) EXPECT_EQ(r.pieces[i].count, 1);
    EXPECT_DOUBLE_EQ(r.pieces[4].width, 300);
    EXPECT_DOUBLE_EQ(r.pieces[4].length, 300);
}

TEST(CylinderBreakup, PiecesAreClosedFitThePlateAndCoverTheShell)
{
    for (double height : {400.0, 1300.0, 1500.0, 3737.5}) {
        for (double dia : {150.0, 1000.0, 2345.6}) {
            CylinderBreakupParams p = shell(height);
            p.diameter = dia;
            const BreakupResult r = cylinderBreakup(p);
            ASSERT_TRUE(r.ok) << r.reason;
            expectClosedPieces(r);
            for (const BreakupPiece& piece : r.pieces) {
                EXPECT_LE(piece.width, 1246 + 1e-9);
                EXPECT_LE(piece.length, 2496 + 1e-9);
                EXPECT_GE(std::min(piece.width, piece.length), std::min({100.0, height, kPi * dia}) - 1e-9);
            }
            EXPECT_NEAR(coveredArea(r), kPi * dia * height, 1e-6 * kPi * dia * height) << height << " " << dia;
        }
    }
}

TEST(CylinderBreakup, BadValuesGiveMessagesAndNoPieces)
{
    auto refused = [](CylinderBreakupParams p, const char* message) {
        const BreakupResult r = cylinderBreakup(p);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.pieces.empty());
        EXPECT_EQ(r.message, message);
        EXPECT_FALSE(r.reason.empty());
    };
    CylinderBreakupParams p = shell(1500);
    p.kerf = 0;
    refused(p, kKerfMessage);
    p = shell(0);
    refused(p, kKerfMessage);
    p = shell(1500);
    p.diameter = -5;
    refused(p, kKerfMessage);
    p = shell(1500);
    p.plateWidth = 4; // nothing left after the kerf
    refused(p, kKerfMessage);
    p = shell(1300);
    p.segmentWidth = 1300; // the widened last row would not fit the plate
    refused(p, "Seg Wid is wider than the plate");
}

TEST(StripCount, CeilingWithoutARoundingSpeck)
{
    EXPECT_EQ(stripCount(1500, 1246), 2);
    EXPECT_EQ(stripCount(1246, 1246), 1);
    EXPECT_EQ(stripCount(100, 1246), 1);
    EXPECT_EQ(stripCount(0.3, 0.1), 3); // 0.3 / 0.1 is 3.0000000000000004
}

// ---- Cone ----

TEST(ConeBreakup, SectorAngleFollowsRadiusOverSlantRadius)
{
    const BreakupResult r = coneBreakup(cone(1000, 4, 1500));
    ASSERT_TRUE(r.ok) << r.reason;
    const double slantRadius = std::sqrt(1500.0 * 1500 + 3000.0 * 3000); // apex height 3000
    EXPECT_NEAR(r.development.outerRadius, slantRadius, 1e-9);
    EXPECT_NEAR(r.development.innerRadius, slantRadius / 3, 1e-9);
    EXPECT_NEAR(r.development.angleRadians * 180 / kPi, 360 * 1500 / slantRadius, 1e-9);
    for (const BreakupPiece& piece : r.pieces) {
        const ShapeEntity& outerArc = piece.outline.front();
        ASSERT_TRUE(outerArc.isArc());
        EXPECT_NEAR(outerArc.Nend - outerArc.Nstart, 360 * 1500 / slantRadius / 4, 1e-9);
        EXPECT_NEAR(outerArc.Nstart + outerArc.Nend, 180, 1e-9); // symmetric about +Y
    }
}

TEST(ConeBreakup, WideDivisionIsCutIntoBandsThatFitThePlate)
{
    const BreakupResult r = coneBreakup(cone(1000, 4, 1500));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.pieces.size(), 2u);
    const double halfDivision = kPi * 3000 / (2 * r.development.outerRadius * 4);
    EXPECT_NEAR(r.pieces[0].length - r.pieces[0].width,
                (r.development.outerRadius - 1496) / std::cos(halfDivision), 1e-9);
    for (const BreakupPiece& piece : r.pieces) {
        EXPECT_EQ(piece.count, 4);
        EXPECT_EQ(breakupFileName("", "c", piece), "c-" + std::to_string(piece.number) + "x4.dxf");
        EXPECT_LE(shapeExtents(piece.outline).height(), 1496 + 1e-9);
    }
    EXPECT_NEAR(shapeExtents(r.pieces[0].outline).height(), 1496, 1e-9); // a full plate across
}

TEST(ConeBreakup, NarrowInnermostBandIsWidenedToSegmentWidth)
{
    ConeBreakupParams p = cone(1000, 4, 1100);
    p.segmentWidth = 0;
    const BreakupResult loose = coneBreakup(p);
    ASSERT_TRUE(loose.ok);
    ASSERT_GE(loose.pieces.size(), 2u);
    const double innermost = loose.pieces.back().width;
    p.segmentWidth = innermost + 50;
    const BreakupResult r = coneBreakup(p);
    ASSERT_TRUE(r.ok) << r.reason;
    ASSERT_EQ(r.pieces.size(), loose.pieces.size());
    EXPECT_NEAR(r.pieces.back().width, innermost + 50, 1e-9);
    EXPECT_NEAR(r.pieces[r.pieces.size() - 2].width, loose.pieces[r.pieces.size() - 2].width - 50, 1e-9);
}

TEST(ConeBreakup, OneDivisionPerPlateWhenItFits)
{
    const BreakupResult r = coneBreakup(cone(1000, 6, 3000));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.message, kOneDivisionFitsMessage);
    ASSERT_EQ(r.pieces.size(), 1u);
    EXPECT_EQ(r.pieces[0].count, 6);
    EXPECT_EQ(r.pieces[0].outline.size(), 4u);
}

TEST(ConeBreakup, PiecesAreClosedAndCoverTheFrustum)
{
    int developed = 0, banded = 0;
    for (double small : {0.0, 400.0, 1000.0, 2500.0}) {
        for (int divisions : {2, 3, 5, 12}) {
            for (double plate : {700.0, 1500.0, 5000.0}) {
                const BreakupResult r = coneBreakup(cone(small, divisions, plate));
                if (!r.ok) {
                    EXPECT_EQ(r.message, kPlateTooSmallMessage);
                    continue;
                }
                expectClosedPieces(r);
                ++developed;
                banded += r.pieces.size() > 1;
                const double big = 1500, little = small / 2;
                const double slant = std::sqrt(2000.0 * 2000 + (big - little) * (big - little));
                const double developed = kPi * (big + little) * slant;
                EXPECT_NEAR(coveredArea(r), developed, 2e-3 * developed) << small << " " << divisions << " " << plate;
                for (const BreakupPiece& piece : r.pieces)
                    EXPECT_LE(shapeExtents(piece.outline).height(), plate - 4 + 1e-9);
            }
        }
    }
    EXPECT_GE(developed, 30);
    EXPECT_GE(banded, 10);
}

TEST(ConeBreakup, DivisionOverAHalfTurnIsMeasuredAcrossItsOuterArcEnds)
{
    // A shallow frustum in one division: its sector spans 281 degrees, so the outer arc's ends
    // hang below the inner arc's chord.
    ConeBreakupParams p{.bigDiameter = 3000, .smallDiameter = 2500, .height = 200, .plateWidth = 3300,
                        .segmentWidth = 0, .angularDivisions = 1, .kerf = 2};
    const double outer = std::sqrt(1500.0 * 1500 + 1200.0 * 1200);
    EXPECT_FALSE(coneBreakup(p).ok); // 3296 wide is less than the 3401 the piece needs
    p.plateWidth = 3410;
    const BreakupResult r = coneBreakup(p);
    ASSERT_TRUE(r.ok) << r.reason;
    ASSERT_EQ(r.pieces.size(), 1u);
    const double halfAngle = kPi * 3000 / (2 * outer);
    EXPECT_NEAR(shapeExtents(r.pieces[0].outline).height(), outer * (1 - std::cos(halfAngle)), 1e-6);
    EXPECT_LE(shapeExtents(r.pieces[0].outline).height(), 3406);
}

TEST(ConeBreakup, FullConeEndsInAPieSlice)
{
    const BreakupResult r = coneBreakup(cone(0, 8, 5000));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.pieces.size(), 1u);
    EXPECT_EQ(r.pieces[0].outline.size(), 3u); // outer arc and two radial edges meeting at the apex
    EXPECT_TRUE(measureShape(r.pieces[0].outline).closed);
}

TEST(ConeBreakup, ZeroDivisionsActAsOneAndTheNameCountsThePiecesNeeded)
{
    ConeBreakupParams p = cone(2000, 0, 5000);
    const BreakupResult zero = coneBreakup(p);
    p.angularDivisions = 1;
    const BreakupResult one = coneBreakup(p);
    ASSERT_TRUE(zero.ok && one.ok);
    ASSERT_EQ(zero.pieces.size(), one.pieces.size());
    EXPECT_EQ(zero.pieces[0].outline, one.pieces[0].outline);
    EXPECT_EQ(zero.pieces[0].count, 1);
    EXPECT_EQ(breakupFileName("", "c", zero.pieces[0]), "c-1x1.dxf");
}

TEST(ConeBreakup, BadValuesGiveMessagesAndNoPieces)
{
    auto refused = [](ConeBreakupParams p, const char* message) {
        const BreakupResult r = coneBreakup(p);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.pieces.empty());
        EXPECT_EQ(r.message, message);
        EXPECT_FALSE(r.reason.empty());
    };
    ConeBreakupParams p = cone(3000, 4, 1500);
    refused(p, kKerfMessage); // equal diameters: a cylinder
    p = cone(3500, 4, 1500);
    refused(p, kBigDiaMessage);
    p = cone(1000, 4, 1500);
    p.kerf = 0;
    refused(p, kKerfMessage);
    p = cone(1000, 4, 1500);
    p.height = 0;
    refused(p, kKerfMessage);
    p = cone(1000, 1, 300); // the arc of one division bulges more than the plate is wide
    refused(p, kPlateTooSmallMessage);
    p = cone(1000, 4, 1100);
    p.segmentWidth = 1090;
    refused(p, "Seg Wid is wider than the plate");
}

TEST(BreakupFiles, CompletionMessageListsEveryFile)
{
    EXPECT_EQ(breakupCompletionMessage({"/a/s-1x2.dxf", "/a/s-2x2.dxf"}),
              "Following Files are created !\n/a/s-1x2.dxf\n/a/s-2x2.dxf\n");
}

// ---- Preview ----

bool hasText(const testing::RecordingSurface& s, double x, double y, const std::string& text)
{
    return std::any_of(s.texts.begin(), s.texts.end(), [&](const testing::RecordedText& t) {
        return t.text == text && std::fabs(t.x - x) < 1e-6 && std::fabs(t.y - y) < 1e-6;
    });
}

TEST(BreakupPreview, CylinderDrawsEveryPlateWithRunningSizes)
{
    testing::RecordingSurface surface;
    drawCylinderBreakupPreview(cylinderBreakup(shell(1500)), surface);
    const double c = kPi * 1000;
    EXPECT_EQ(surface.tip, "Xmax=1500 Ymax=" + formatGeneral(c));
    EXPECT_NEAR(surface.scale().width, 1.1 * c, 1e-9);
    EXPECT_NEAR(surface.scale().height, 1.1 * c, 1e-9);
    // The outline and the edges between the two rows and the two columns of plates.
    ASSERT_EQ(surface.lines.size(), 6u);
    for (const auto& l : surface.lines) EXPECT_EQ(l.colour, Red);
    const auto drawn = [&](double x1, double y1, double x2, double y2) {
        return std::any_of(surface.lines.begin(), surface.lines.end(), [&](const testing::RecordedLine& l) {
            return l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2;
        });
    };
    EXPECT_TRUE(drawn(1246, 0, 1246, c));
    EXPECT_TRUE(drawn(0, 2496, 1500, 2496));
    EXPECT_TRUE(drawn(1500, 0, 1500, c));
    EXPECT_TRUE(hasText(surface, 0, c, "0"));
    EXPECT_TRUE(hasText(surface, 1246, c, "1246"));
    EXPECT_TRUE(hasText(surface, 1500, 2496, "2496"));
}

TEST(BreakupPreview, AVeryFineCylinderDrawsABoundedPictureAndSaysSo)
{
    // 334 rows of 30 and 315 columns of 100: 105210 plates.
    const BreakupResult r = cylinderBreakup(
        {.diameter = 10000, .height = 10000, .plateLength = 104, .plateWidth = 34, .segmentWidth = 0, .kerf = 2});
    ASSERT_TRUE(r.ok);
    testing::RecordingSurface surface;
    drawCylinderBreakupPreview(r, surface);
    EXPECT_LE(surface.lines.size(), 4u + 2 * 100);
    EXPECT_LE(surface.texts.size(), 2u * 55); // labels a text apart: at most about 50 along each side
    ASSERT_FALSE(surface.texts.empty());
    const testing::RecordedText& note = surface.texts.front();
    // The recording surface's letter is 345 units wide: twelve rows of 30, four columns of 100.
    EXPECT_EQ(note.text, "105210 pieces (334 x 315): only every 12th and 4th strip edge is drawn");
    // The note stands above the drawing, and the drawing in the view.
    for (const auto& l : surface.lines) EXPECT_GE(std::min(l.y1, l.y2), note.y + surface.textHeight(note.text) - 1e-6);
    // Every 12th edge across: the edge after twelve rows of 30 is drawn, the one after eleven not.
    const auto vertical = [&](double x) {
        return std::any_of(surface.lines.begin(), surface.lines.end(),
                           [&](const testing::RecordedLine& l) { return l.x1 == x && l.x2 == x; });
    };
    EXPECT_TRUE(vertical(360));
    EXPECT_FALSE(vertical(330));
}

TEST(BreakupPreview, InvalidValuesShowOnlyTheMessage)
{
    testing::RecordingSurface surface;
    surface.setScale({0, 0, 100, 100});
    CylinderBreakupParams p = shell(1500);
    p.kerf = 0;
    drawCylinderBreakupPreview(cylinderBreakup(p), surface);
    EXPECT_TRUE(surface.lines.empty());
    ASSERT_EQ(surface.texts.size(), 1u);
    EXPECT_TRUE(hasText(surface, 0, 0, kKerfMessage));

    drawConeBreakupPreview(coneBreakup(cone(3500, 4, 1500)), surface);
    EXPECT_TRUE(surface.lines.empty());
    ASSERT_EQ(surface.texts.size(), 1u);
    EXPECT_EQ(surface.texts[0].text, kBigDiaMessage);
}

TEST(BreakupPreview, ConeSectorFitsTheViewWithItsDivisions)
{
    testing::RecordingSurface surface;
    const BreakupResult r = coneBreakup(cone(1000, 4, 1500));
    drawConeBreakupPreview(r, surface);
    const double size = surface.scale().width;
    ASSERT_GT(surface.lines.size(), 5u);
    double top = 1e300;
    for (const auto& l : surface.lines) {
        EXPECT_EQ(l.colour, Red);
        for (double v : {l.x1, l.y1, l.x2, l.y2}) {
            EXPECT_GE(v, -1e-6);
            EXPECT_LE(v, size + 1e-6);
        }
        top = std::min({top, l.y1, l.y2});
    }
    EXPECT_NEAR(top, 0.05 * size, 1e-6 * size);
    // The middle radial edge of four divisions is vertical, from the inner to the outer radius.
    const double centreX = size / 2;
    const bool middleEdge = std::any_of(surface.lines.begin(), surface.lines.end(), [&](const auto& l) {
        return std::fabs(l.x1 - centreX) < 1e-6 && std::fabs(l.x2 - centreX) < 1e-6 &&
               std::fabs((l.y1 - l.y2) - (r.development.outerRadius - r.development.innerRadius)) < 1e-6;
    });
    EXPECT_TRUE(middleEdge);
}

TEST(BreakupPreview, ConeTooNarrowPlateShowsSectorAndTwoLineMessage)
{
    testing::RecordingSurface surface;
    drawConeBreakupPreview(coneBreakup(cone(1000, 1, 300)), surface);
    EXPECT_FALSE(surface.lines.empty());
    ASSERT_EQ(surface.texts.size(), 2u);
    EXPECT_EQ(surface.texts[0].text, "Plate width is too small to fit any piece");
    EXPECT_EQ(surface.texts[1].text, "Increase the no of angular divisions or Plate Width");
    EXPECT_GT(surface.texts[1].y, surface.texts[0].y);
    // Clear of the drawing: both lines above the sector, which stays inside the view.
    const double textBottom = surface.texts[1].y + surface.textHeight("X");
    const ViewScale view = surface.scale();
    for (const auto& l : surface.lines)
        for (double y : {l.y1, l.y2}) {
            EXPECT_GE(y, textBottom - 1e-6);
            EXPECT_LE(y, view.top + view.height + 1e-6);
        }
}

} // namespace
} // namespace dravenor
