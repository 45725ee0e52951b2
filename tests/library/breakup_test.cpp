// Breakups of rolled shells: the results and previews of the cases below pinned by golden files,
// and the pieces of many shells checked to be closed, to fit their plates and to cover the
// developed surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/shape_measure.h"
#include "library/breakup.h"
#include "library/breakup_preview.h"
#include "support/recording_surface.h"

namespace dravenor {
namespace {

CylinderBreakupParams shell(double height, double diameter = 1000)
{
    return {.diameter = diameter, .height = height, .plateLength = 2500, .plateWidth = 1250, .segmentWidth = 100,
            .kerf = 2};
}

ConeBreakupParams cone(double small, int divisions, double plateWidth, double segmentWidth = 200)
{
    return {.bigDiameter = 3000, .smallDiameter = small, .height = 2000, .plateWidth = plateWidth,
            .segmentWidth = segmentWidth, .angularDivisions = divisions, .kerf = 2};
}

std::string numbers(const std::vector<double>& values)
{
    std::string text;
    for (double v : values) text += testing::goldenNumbers({v});
    return text;
}

std::string described(const BreakupResult& r)
{
    const Development& d = r.development;
    std::string text = (r.ok ? "ok: " : "refused: ") + r.message + " / " + r.reason + "\ndevelopment" +
                       testing::goldenNumbers({d.width, d.height, d.outerRadius, d.innerRadius, d.angleRadians}) +
                       ", divisions " + std::to_string(d.divisions) + "\nrows" + numbers(d.rowWidths) + "\ncolumns" +
                       numbers(d.columnLengths) + "\nbands" + numbers(d.bandRadii) + "\n";
    for (const BreakupPiece& p : r.pieces) {
        text += "piece " + breakupFileName("", "s", p) + ", width and length" +
                testing::goldenNumbers({p.width, p.length}) + "\n";
        for (const ShapeEntity& e : p.outline) text += "  " + testing::goldenEntity(e) + "\n";
    }
    return text;
}

TEST(Breakup, CasesMatchTheGoldenFile)
{
    CylinderBreakupParams narrowColumn = shell(1000, 1020); // circumference 3204.42
    narrowColumn.plateLength = 1054; // three columns of 1050 and 54.42, less than 100
    CylinderBreakupParams thin = shell(1500), tiny = shell(1500), tooWide = shell(1300);
    thin.kerf = 0;
    tiny.plateWidth = 4; // nothing left after the kerf
    tooWide.segmentWidth = 1300; // the widened last row would not fit the plate
    ConeBreakupParams flatCone = cone(1000, 4, 1500), shallow{3000, 2500, 200, 3300, 0, 1, 2};
    flatCone.kerf = 0;
    // A shallow frustum in one division spans 281 degrees: the outer arc's ends hang below the
    // inner arc's chord, and 3296 across is less than the 3401 the piece needs.
    ConeBreakupParams shallowFits = shallow, noHeight = cone(1000, 4, 1500);
    shallowFits.plateWidth = 3410;
    noHeight.height = 0;
    const std::pair<const char*, BreakupResult> cases[] = {
        {"cylinder in a plate-sized grid: four distinct pieces", cylinderBreakup(shell(1500))},
        {"cylinder whose narrow last row is widened", cylinderBreakup(shell(1300))},
        {"cylinder whose narrow last column is widened", cylinderBreakup(narrowColumn)},
        {"cylinder one column round and four plates high: one piece four times",
         cylinderBreakup({400 / kPi, 2000, 1004, 504, 0, 2})},
        {"cylinder whose first and last columns hold one piece turned",
         cylinderBreakup({1050 / kPi, 800, 504, 504, 300, 2})},
        {"cylinder without kerf", cylinderBreakup(thin)},
        {"cylinder without height", cylinderBreakup(shell(0))},
        {"cylinder of negative diameter", cylinderBreakup(shell(1500, -5))},
        {"cylinder plate narrower than the kerfs", cylinderBreakup(tiny)},
        {"cylinder segment width wider than the plate", cylinderBreakup(tooWide)},
        {"cone whose wide divisions are cut into bands", coneBreakup(cone(1000, 4, 1500))},
        {"cone whose narrow innermost band is widened", coneBreakup(cone(1000, 4, 1100, 400))},
        {"cone with one division per plate", coneBreakup(cone(1000, 6, 3000))},
        {"full cone ending in a pie slice", coneBreakup(cone(0, 8, 5000))},
        {"cone of zero divisions", coneBreakup(cone(2000, 0, 5000))},
        {"cone of one division", coneBreakup(cone(2000, 1, 5000))},
        {"cone over a half turn, plate too narrow", coneBreakup(shallow)},
        {"cone over a half turn", coneBreakup(shallowFits)},
        {"cone of equal diameters", coneBreakup(cone(3000, 4, 1500))},
        {"cone whose small diameter is bigger", coneBreakup(cone(3500, 4, 1500))},
        {"cone without kerf", coneBreakup(flatCone)},
        {"cone without height", coneBreakup(noHeight)},
        {"cone whose one division bulges more than the plate is wide", coneBreakup(cone(1000, 1, 300))},
        {"cone segment width wider than the plate", coneBreakup(cone(1000, 4, 1100, 1090))},
    };
    testing::Sections results;
    for (const auto& [name, result] : cases) {
        EXPECT_EQ(result.pieces.empty(), !result.ok) << name;
        results.push_back({name, described(result)});
    }
    testing::expectGolden("library/breakup.txt", testing::joinSections(results));
}

void expectClosedPiecesCovering(const BreakupResult& r, double area, double error, const std::string& where)
{
    double covered = 0;
    for (const BreakupPiece& p : r.pieces) {
        const ShapeMeasure m = measureShape(p.outline);
        EXPECT_TRUE(m.closed && m.closedOutlines == 1 && m.degenerate == 0) << where << " piece " << p.number;
        covered += m.enclosedArea * p.count;
    }
    EXPECT_NEAR(covered, area, error * area) << where;
}

TEST(CylinderBreakup, PiecesAreClosedFitThePlateAndCoverTheShell)
{
    for (double height : {400.0, 1300.0, 1500.0, 3737.5})
        for (double dia : {150.0, 1000.0, 2345.6}) {
            const BreakupResult r = cylinderBreakup(shell(height, dia));
            ASSERT_TRUE(r.ok) << r.reason;
            const std::string where = std::to_string(height) + " x " + std::to_string(dia);
            expectClosedPiecesCovering(r, kPi * dia * height, 1e-6, where);
            for (const BreakupPiece& piece : r.pieces) {
                EXPECT_LE(piece.width, 1246 + 1e-9) << where;
                EXPECT_LE(piece.length, 2496 + 1e-9) << where;
                EXPECT_GE(std::min(piece.width, piece.length), std::min({100.0, height, kPi * dia}) - 1e-9) << where;
            }
        }
    EXPECT_EQ(stripCount(1500, 1246), 2);
    EXPECT_EQ(stripCount(1246, 1246), 1);
    EXPECT_EQ(stripCount(100, 1246), 1);
    EXPECT_EQ(stripCount(0.3, 0.1), 3); // 0.3 / 0.1 is 3.0000000000000004
}

TEST(ConeBreakup, SectorsFollowTheSlantAndPiecesFitThePlateAndCoverTheFrustum)
{
    int developed = 0, banded = 0;
    for (double small : {0.0, 400.0, 1000.0, 2500.0})
        for (int divisions : {2, 3, 5, 12})
            for (double plate : {700.0, 1500.0, 5000.0}) {
                const BreakupResult r = coneBreakup(cone(small, divisions, plate));
                const std::string where = std::to_string(small) + " " + std::to_string(divisions) + " " +
                                          std::to_string(plate);
                if (!r.ok) {
                    EXPECT_EQ(r.message, kPlateTooSmallMessage) << where;
                    continue;
                }
                ++developed;
                banded += r.pieces.size() > 1;
                // The development's radius is the slant from the apex; its angle is the
                // circumference over that radius.
                const double slant = std::hypot(2000.0, 1500 - small / 2), outer = 1500 * slant / (1500 - small / 2);
                EXPECT_NEAR(r.development.outerRadius, outer, 1e-9 * outer) << where;
                EXPECT_NEAR(r.development.innerRadius, outer * small / 3000, 1e-9 * outer) << where;
                EXPECT_NEAR(r.development.angleRadians, kPi * 3000 / outer, 1e-12) << where;
                expectClosedPiecesCovering(r, kPi * (1500 + small / 2) * slant, 2e-3, where);
                for (const BreakupPiece& piece : r.pieces)
                    EXPECT_LE(shapeExtents(piece.outline).height(), plate - 4 + 1e-9) << where;
            }
    EXPECT_GE(developed, 30);
    EXPECT_GE(banded, 10);

    // Widening the innermost band takes from the band outside it.
    const BreakupResult loose = coneBreakup(cone(1000, 4, 1100, 0));
    ASSERT_GE(loose.pieces.size(), 2u);
    const double innermost = loose.pieces.back().width;
    const BreakupResult r = coneBreakup(cone(1000, 4, 1100, innermost + 50));
    ASSERT_EQ(r.pieces.size(), loose.pieces.size());
    EXPECT_NEAR(r.pieces.back().width, innermost + 50, 1e-9);
    EXPECT_NEAR(r.pieces.end()[-2].width, loose.pieces.end()[-2].width - 50, 1e-9);
    EXPECT_EQ(breakupCompletionMessage({"/a/s-1x2.dxf", "/a/s-2x2.dxf"}),
              "Following Files are created !\n/a/s-1x2.dxf\n/a/s-2x2.dxf\n");
}

TEST(BreakupPreview, DrawingsMatchTheGoldenFile)
{
    testing::Sections results;
    testing::RecordingSurface s;
    s.setScale({0, 0, 100, 100});
    // Files the drawing made since the last one under the name and starts a fresh one.
    const auto drawn = [&](const std::string& name) {
        results.push_back({name, testing::goldenDrawing(s)});
        s = testing::RecordingSurface();
        s.setScale({0, 0, 100, 100});
    };
    drawCylinderBreakupPreview(cylinderBreakup(shell(1500)), s);
    drawn("cylinder: every plate with running sizes");
    drawCylinderBreakupPreview(cylinderBreakup({10000, 10000, 104, 34, 0, 2}), s);
    drawn("very fine cylinder of 334 rows and 315 columns: a bounded picture that says so");
    CylinderBreakupParams thin = shell(1500);
    thin.kerf = 0;
    drawCylinderBreakupPreview(cylinderBreakup(thin), s);
    drawn("cylinder without kerf: only the message");
    drawConeBreakupPreview(coneBreakup(cone(3500, 4, 1500)), s);
    drawn("cone of a bigger small diameter: only the message");
    drawConeBreakupPreview(coneBreakup(cone(1000, 4, 1500)), s);
    drawn("cone sector fitting the view with its divisions");
    drawConeBreakupPreview(coneBreakup(cone(1000, 1, 300)), s);
    drawn("cone too wide for its plate: sector and the message above it");
    testing::expectGolden("library/breakup_preview.txt", testing::joinSections(results));
}

} // namespace
} // namespace dravenor
