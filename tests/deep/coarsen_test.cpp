// Coarsened regions: fewer corners, never less material, rings still simple.
#include <cmath>
#include <functional>
#include <numbers>

#include <gtest/gtest.h>

#include "deep/coarsen.h"
#include "deep/collision_exact.h"

namespace dd = dravenor::deep;

namespace {

dd::Ring circle(double cx, double cy, double r, int corners, bool clockwise = false)
{
    dd::Ring ring;
    for (int i = 0; i < corners; ++i) {
        const double a = 2 * std::numbers::pi * i / corners * (clockwise ? -1 : 1);
        ring.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return ring;
}

// A star of `points` tips whose notches reach in to `inner`; every other corner is a notch.
dd::Ring star(int points, double outer, double inner)
{
    dd::Ring ring;
    for (int i = 0; i < 2 * points; ++i) {
        const double a = std::numbers::pi * i / points, r = i % 2 == 0 ? outer : inner;
        ring.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return ring;
}

// A bar with narrow slots cut into its top; the slots' corners are cheap to cut across but the
// slots are deep.
dd::Ring comb(int slots)
{
    dd::Ring ring{{0, 0}, {20.0 * slots + 10, 0}, {20.0 * slots + 10, 50}};
    for (int i = slots - 1; i >= 0; --i) {
        const double x = 20.0 * i + 10;
        ring.push_back({x + 10, 50});
        ring.push_back({x + 10, 10});
        ring.push_back({x + 9.9, 10});
        ring.push_back({x + 9.9, 50});
    }
    ring.push_back({0, 50});
    return ring;
}

// A wavy outline: many corners that stray little from a smooth curve, some in, some out.
dd::Ring wavy(int corners)
{
    dd::Ring ring;
    for (int i = 0; i < corners; ++i) {
        const double a = 2 * std::numbers::pi * i / corners;
        const double r = 80 + 6 * std::sin(5 * a) + 0.05 * std::sin(97 * a);
        ring.push_back({r * std::cos(a), 0.6 * r * std::sin(a)});
    }
    return ring;
}

std::vector<dd::Edge> edgesOf(const dd::Component& c)
{
    std::vector<dd::Edge> edges;
    auto add = [&](const dd::Ring& r) {
        for (std::size_t i = 0; i < r.size(); ++i) edges.push_back({r[i], r[(i + 1) % r.size()]});
    };
    add(c.outer);
    for (const dd::Ring& h : c.holes) add(h);
    return edges;
}

std::size_t cornersOf(const dd::Component& c)
{
    std::size_t n = c.outer.size();
    for (const dd::Ring& h : c.holes) n += h.size();
    return n;
}

// No two edges meet but neighbours at their shared corner.
bool simple(const std::vector<dd::Edge>& edges)
{
    auto same = [](dd::Point a, dd::Point b) { return a.x == b.x && a.y == b.y; };
    for (std::size_t i = 0; i < edges.size(); ++i)
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            const dd::Edge& a = edges[i];
            const dd::Edge& b = edges[j];
            if (same(a.a, b.a) || same(a.a, b.b) || same(a.b, b.a) || same(a.b, b.b)) continue;
            if (dd::segmentsMeet(a.a, a.b, b.a, b.b)) return false;
        }
    return true;
}

struct CoarsenCase {
    const char* name;
    std::function<dd::Component()> make;
    double share;
    std::size_t mostCorners;  // what the coarsened component may keep at most
};

const CoarsenCase kCases[] = {
    {"fine_disc", [] { return dd::Component{circle(0, 0, 50, 360), {}}; }, 0.001, 120},
    {"star", [] { return dd::Component{star(12, 60, 40), {}}; }, 0.001, 24},
    {"star_coarse", [] { return dd::Component{star(12, 60, 40), {}}; }, 0.3, 20},
    {"comb", [] { return dd::Component{comb(6), {}}; }, 0.001, 28},
    {"washer", [] { return dd::Component{circle(0, 0, 60, 200), {circle(0, 0, 30, 120, true)}}; }, 0.001, 160},
    {"wavy", [] { return dd::Component{wavy(500), {}}; }, 0.001, 200},
    // A tongue hangs into the mouth of a C: cutting across the mouth would cut through it.
    {"tongue_in_mouth",
     [] {
         return dd::Component{{{0, 0}, {100, 0}, {100, 20}, {30, 20}, {30, 80}, {50, 80}, {50, 40}, {52, 40}, {52, 80},
                               {100, 80}, {100, 100}, {0, 100}},
                              {}};
     },
     0.3, 8},
    {"square", [] { return dd::Component{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}}; }, 0.1, 4},
    {"clockwise_disc", [] { return dd::Component{circle(0, 0, 50, 360, true), {}}; }, 0.001, 120},
};

class Coarsening : public ::testing::TestWithParam<CoarsenCase> {};

TEST_P(Coarsening, KeepsTheMaterialAndTheRingsSimpleWithinTheShare)
{
    const dd::Component original = GetParam().make();
    const dd::Material out = dd::coarsened({original}, GetParam().share);
    ASSERT_EQ(out.size(), 1u);
    const dd::Component& c = out[0];
    ASSERT_EQ(c.holes.size(), original.holes.size());
    EXPECT_LE(cornersOf(c), GetParam().mostCorners);
    const double before = dd::materialArea({original}), after = dd::materialArea(out);
    EXPECT_GE(after, before * (1 - 1e-12));
    EXPECT_LE(after, before * (1 + GetParam().share) + 1e-9);
    const std::vector<dd::Edge> was = edgesOf(original), now = edgesOf(c);
    EXPECT_TRUE(simple(now));
    // Every point of the material is still material.
    dd::Box box;
    for (const dd::Edge& e : was) box.take(e.a);
    for (double x = box.x0; x <= box.x1; x += box.width() / 173.3)
        for (double y = box.y0; y <= box.y1; y += box.height() / 171.7)
            if (dd::materialHolds(was, {x, y})) {
                ASSERT_TRUE(dd::materialHolds(now, {x, y})) << x << "," << y;
            }
}

INSTANTIATE_TEST_SUITE_P(Deep, Coarsening, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CoarsenCase>& info) { return std::string(info.param.name); });

} // namespace
