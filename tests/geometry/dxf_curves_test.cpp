// Curves a shape cannot hold, as fitted arcs and lines: ellipses, splines and circles under an
// uneven scale, each checked both ways against the true curve, and arcs placed by turns, scales
// and mirrors; SPLINEs given by fit points, against the control points and knots ezdxf builds for
// the same entities (computed with ezdxf 1.0 and kept here), and through every fit point. Splines
// that come out exactly, and those that cannot be drawn, are import cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/dxf_curve_fit.h"
#include "geometry/dxf_ellipse.h"
#include "geometry/dxf_spline.h"
#include "geometry/dxf_spline_fit.h"
#include "geometry/dxf_transform.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_measure.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::lineEntity;

constexpr double kPi = std::numbers::pi;
constexpr int kTrueSamples = 20000;

double radians(double degrees) { return degrees * kPi / 180; }

// The fitted shape and the curve lie within the tolerance of each other, every way round, and
// the shape chains from the curve's first point to its last.
void expectFollows(const Shape& fitted, const DxfCurvePoint& curve, double t0, double t1, const std::string& where)
{
    std::vector<DxfPoint> truth;
    for (int k = 0; k <= kTrueSamples; ++k) truth.push_back(curve(t0 + (t1 - t0) * k / kTrueSamples));
    Shape polyline;
    for (std::size_t k = 0; k + 1 < truth.size(); ++k)
        polyline.push_back(lineEntity(truth[k].x, truth[k].y, truth[k + 1].x, truth[k + 1].y));
    double worstFitted = 0, worstTrue = 0;
    for (const ShapeEntity& e : fitted)
        for (const auto& [x, y] : testing::pointsAlong(e, 24))
            worstFitted = std::max(worstFitted, testing::distanceToShape(polyline, x, y));
    for (std::size_t k = 0; k < truth.size(); k += 7)
        worstTrue = std::max(worstTrue, testing::distanceToShape(fitted, truth[k].x, truth[k].y));
    EXPECT_LE(worstFitted, kDxfCurveTolerance) << where << ": a fitted entity strays from the curve";
    EXPECT_LE(worstTrue, kDxfCurveTolerance) << where << ": the curve strays from the fitted entities";

    // Closed up by the chord from the last point to the first, the entities make one outline.
    Shape loop = fitted;
    if (!(truth.front() == truth.back()))
        loop.push_back(lineEntity(truth.back().x, truth.back().y, truth.front().x, truth.front().y));
    const ShapeMeasure m = measureShape(loop, 1e-9);
    EXPECT_TRUE(m.closed && m.closedOutlines == 1) << where << ": " << m.openEnds << " open ends";
}

struct CurveCase {
    std::string name;
    std::function<void(Shape&)> fit;
    DxfCurvePoint truth;
    double t0, t1;
    std::size_t mostEntities;
};

CurveCase ellipseCase(const std::string& name, const DxfEllipticArc& e, std::size_t most)
{
    const auto truth = [e](double t) {
        return DxfPoint{e.centre.x + e.u.x * std::cos(t) + e.v.x * std::sin(t),
                        e.centre.y + e.u.y * std::cos(t) + e.v.y * std::sin(t)};
    };
    return {name, [e](Shape& s) { appendEllipticArc(e, s); }, truth, e.t0, e.t1, most};
}

CurveCase splineCase(const std::string& name, const DxfSpline& s, bool closed, std::size_t most)
{
    return {name, [s, closed](Shape& out) { appendDxfSpline(s, closed, out); },
            [s](double t) { return s.at(t); }, s.start(), s.end(), most};
}

// An arc from 30 to 200 degrees placed by the map (lines are placed in the import cases).
CurveCase placedCase(const std::string& name, const DxfTransform& map, std::size_t most)
{
    const ShapeEntity arc = arcEntity(3, 4, 5, 30, 200);
    const auto truth = [arc, map](double t) {
        return map.apply({arc.CX + arc.RAD * std::cos(t), arc.CY + arc.RAD * std::sin(t)});
    };
    return {name, [arc, map](Shape& s) { appendPlaced({arc}, map, s); }, truth, radians(30), radians(200), most};
}

TEST(DxfCurveFit, CurvesStayWithinTheToleranceAndChainEndToEnd)
{
    DxfSpline cubic{3, {{100, 50}, {70, 90}, {30, 20}, {10, 60}, {0, 0}}, {0, 0, 0, 0, 1, 2, 2, 2, 2}, {}};
    // Closed: the first two points repeated after the last, evenly spaced knots, with weights.
    DxfSpline closedRational{2,
                             {{10, 10}, {25, 10}, {25, 20}, {10, 20}, {10, 10}, {25, 10}},
                             {0, 1, 2, 3, 4, 5, 6, 7, 8},
                             {1, 3, 1, 0.5, 1, 3}};
    DxfSpline quintic{5, {}, {0, 0, 0, 0, 0, 0, 0.3, 0.5, 1, 1, 1, 1, 1, 1}, {}};
    for (int k = 0; k < 8; ++k) quintic.points.push_back({k * 20.0, (k % 3) * 35.0 - k * 4.0});
    using T = DxfTransform;
    const std::vector<CurveCase> cases{
        ellipseCase("whole turned ellipse", {{5, -3}, {60, 20}, {-8, 24}, 0, 2 * kPi}, 80),
        ellipseCase("part of an ellipse, past a whole turn of its parameter", {{0, 0}, {40, 0}, {0, 30}, 4, 8}, 40),
        ellipseCase("clockwise ellipse", {{0, 0}, {0, 8}, {4, 0}, 0, 2 * kPi}, 40),
        ellipseCase("sheared circle", {{100, 100}, {30, 0}, {10, 15}, 1, 3}, 40),
        ellipseCase("ellipse smaller than the tolerance", {{1, 1}, {0.005, 0}, {0, 0.002}, 0, 2 * kPi}, 8),
        splineCase("clamped cubic", cubic, false, 60),
        splineCase("closed rational quadratic", closedRational, true, 60),
        splineCase("quintic with uneven knots", quintic, false, 120),
        // Arcs stay one arc, counter-clockwise on their own side, under every map but a stretch.
        placedCase("arc turned and moved", T::translation(7, -2).after(T::rotation(30)), 1),
        placedCase("arc scaled", T::scaling(2.5, 2.5), 1),
        placedCase("arc mirrored", T::scaling(-1, 1), 1),
        placedCase("arc mirrored upside down and turned", T::rotation(75).after(T::scaling(0.5, -0.5)), 1),
        placedCase("arc stretched", T::rotation(20).after(T::scaling(2, 1)), 40),
    };
    for (const CurveCase& c : cases) {
        Shape fitted;
        c.fit(fitted);
        EXPECT_LE(fitted.size(), c.mostEntities) << c.name;
        expectFollows(fitted, c.truth, c.t0, c.t1, c.name);
    }
}

TEST(DxfCurveFit, ACurveNoArcCanFollowEndsInABoundedNumberOfPieces)
{
    // At 1e20 rounding alone strays further than the tolerance: halving every piece to the deepest
    // would give a million pieces a knot span.
    DxfSpline far{3, {{17, 1e20}, {420, 297}, {-3e19, 5}, {40, 40}}, {0, 0, 0, 0, 1, 1, 1, 1}, {}};
    Shape fitted;
    appendDxfSpline(far, false, fitted);
    EXPECT_GT(fitted.size(), 0u);
    EXPECT_LE(fitted.size(), 1u << 14);
}

struct FitCase {
    const char* name;
    DxfFitPoints fit;
    std::vector<DxfPoint> control; // ezdxf's, to 4 decimals
    std::vector<double> knots;     // empty: not checked
};

TEST(DxfSplineFit, ControlPointsAreThoseEzdxfBuildsFromTheSameFitPoints)
{
    const FitCase cases[] = {
        {"end tangents given",
         {{{120, 40}, {90, 70}, {60, 45}, {25, 80}, {0, 40}}, DxfPoint{-1, 1}, DxfPoint{-1, -2}},
         {{120, 40}, {110, 50}, {91.6611, 92.4207}, {56.8373, 17.2697}, {23.7885, 110.6902}, {7.0317, 54.0633}, {0, 40}},
         {0, 0, 0, 0, 0.23815654884634757, 0.45736697056428927, 0.7352162775516948, 1, 1, 1, 1}},
        {"end tangents estimated, a closed loop",
         {{{75, 10}, {95, 10}, {85, 28}, {75, 10}}, std::nullopt, std::nullopt},
         {{75, 10}, {81.4566, 8.3397}, {104.3396, 2.3389}, {82.9137, 40.3166}, {76.837, 16.6133}, {75, 10}},
         {}},
    };
    for (const FitCase& c : cases) {
        const DxfFitResult built = splineThroughFitPoints(c.fit);
        ASSERT_EQ(built.problem, "") << c.name;
        EXPECT_EQ(built.spline.degree, 3) << c.name;
        ASSERT_EQ(built.spline.points.size(), c.control.size()) << c.name;
        for (size_t i = 0; i < c.control.size(); ++i) {
            EXPECT_NEAR(built.spline.points[i].x, c.control[i].x, 1e-4) << c.name << " point " << i;
            EXPECT_NEAR(built.spline.points[i].y, c.control[i].y, 1e-4) << c.name << " point " << i;
        }
        for (size_t i = 0; i < c.knots.size(); ++i) EXPECT_NEAR(built.spline.knots.at(i), c.knots[i], 1e-12) << c.name;
    }
}

TEST(DxfSplineFit, TheCurvePassesThroughEveryFitPointAndDegenerateInputIsNamed)
{
    // A wavy run of 40 points, repeated points among them, without tangents.
    DxfFitPoints wave;
    for (int i = 0; i < 40; ++i) {
        wave.points.push_back({i * 7.0, 30 * std::sin(i * 0.4) + (i % 3) * 2.0});
        if (i % 9 == 0) wave.points.push_back(wave.points.back());
    }
    const DxfFitResult built = splineThroughFitPoints(wave);
    ASSERT_EQ(built.problem, "");
    ASSERT_EQ(built.spline.problem(), "");
    // Each inner knot is the parameter of a fit point: the curve is there.
    const std::vector<double>& knots = built.spline.knots;
    std::vector<DxfPoint> distinct;
    for (const DxfPoint& p : wave.points)
        if (distinct.empty() || !(p == distinct.back())) distinct.push_back(p);
    ASSERT_EQ(knots.size(), distinct.size() + 6);
    for (size_t k = 0; k < distinct.size(); ++k) {
        const DxfPoint at = built.spline.at(knots[k + 3]);
        EXPECT_NEAR(at.x, distinct[k].x, 1e-7) << k;
        EXPECT_NEAR(at.y, distinct[k].y, 1e-7) << k;
    }

    const DxfFitResult line = splineThroughFitPoints({{{0, 0}, {10, 5}}, std::nullopt, std::nullopt});
    ASSERT_EQ(line.problem, "");
    EXPECT_NEAR(line.spline.at(0.5).x, 5, 1e-12);
    EXPECT_NEAR(line.spline.at(0.5).y, 2.5, 1e-12);
    EXPECT_EQ(splineThroughFitPoints({{{3, 3}, {3, 3}}, std::nullopt, std::nullopt}).problem, "too few fit points");
}

} // namespace
} // namespace dravenor
