// SPLINEs given by fit points: the control points and knots ezdxf builds for the same entities
// (computed with ezdxf 1.0 and kept here), and the curve passing through every fit point.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/dxf_spline_fit.h"

namespace dravenor {
namespace {

struct Case {
    const char* name;
    DxfFitPoints fit;
    std::vector<DxfPoint> control; // ezdxf's, to 4 decimals
    std::vector<double> knots;     // empty: not checked
};

TEST(DxfSplineFit, ControlPointsAreThoseEzdxfBuildsFromTheSameFitPoints)
{
    const Case cases[] = {
        {"end tangents given",
         {{{120, 40}, {90, 70}, {60, 45}, {25, 80}, {0, 40}}, DxfPoint{-1, 1}, DxfPoint{-1, -2}},
         {{120, 40}, {110, 50}, {91.6611, 92.4207}, {56.8373, 17.2697}, {23.7885, 110.6902}, {7.0317, 54.0633}, {0, 40}},
         {0, 0, 0, 0, 0.23815654884634757, 0.45736697056428927, 0.7352162775516948, 1, 1, 1, 1}},
        {"end tangents estimated, a closed loop",
         {{{75, 10}, {95, 10}, {85, 28}, {75, 10}}, std::nullopt, std::nullopt},
         {{75, 10}, {81.4566, 8.3397}, {104.3396, 2.3389}, {82.9137, 40.3166}, {76.837, 16.6133}, {75, 10}},
         {}},
    };
    for (const Case& c : cases) {
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
