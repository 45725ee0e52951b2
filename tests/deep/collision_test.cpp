// The exact collision test: a table of placements whose answer is known, then random polygons
// judged against the clipping library's intersection of the same polygons.
#include <gtest/gtest.h>

#include <polyclipping/clipper.hpp>

#include "deep/collision_exact.h"
#include "deep/overlap_measure.h"
#include "deep/random.h"
#include "deep/region_builder.h"

namespace dd = dravenor::deep;

namespace {

dd::Ring square(double x, double y, double side)
{
    return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
}

dd::Region regionOf(std::vector<dd::Ring> rings)
{
    dd::Component c;
    c.outer = rings.front();
    c.holes.assign(rings.begin() + 1, rings.end());
    return dd::regionOf({c});
}

// The second region placed at the offset against the first at the origin, both ways round: where
// edges touch or nearly do, and where none meet (plain overlaps are the random polygons' test).
TEST(Collisions, SquaresHolesAndMaterialWhollyInside)
{
    const dd::Region unit = regionOf({square(0, 0, 1)});
    const dd::Region frame = regionOf({square(0, 0, 10), square(2, 2, 6)});
    const dd::Region small = regionOf({square(0, 0, 2)});
    const dd::Region large = regionOf({square(0, 0, 20)});
    const dd::Region holed = regionOf({square(0, 0, 10), square(4, 4, 0.5)});
    const dd::Region washer = regionOf({square(0, 0, 2), square(0.9, 0.9, 0.2)});
    const struct {
        const char* name;
        const dd::Region *first, *second;
        dd::Point offset;
        bool collide;
    } cases[] = {
        {"identical", &unit, &unit, {0, 0}, true},
        {"edge to edge", &unit, &unit, {1, 0}, true},
        {"corner to corner", &unit, &unit, {1, 1}, true},
        {"half an edge shared, overlapping", &unit, &unit, {0, 0.5}, true},
        {"apart", &unit, &unit, {1.001, 0}, false},
        {"apart diagonally", &unit, &unit, {1.0005, 1.0005}, false},
        {"in the hole", &frame, &small, {4, 4}, false},
        {"in the hole, a hair from its edge", &frame, &small, {2.0001, 5.9998}, false},
        // No edges meet, the anchors tell: a large part around a small one; a part over a small
        // hole of another, its middle over the hole (a washer over a flange's bolt hole).
        {"small inside large", &large, &small, {9, 9}, true},
        {"small over a small hole", &holed, &small, {3.2, 3.2}, true},
        {"washer over a bolt hole", &holed, &washer, {3.2, 3.2}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dd::regionsCollide(*c.first, {0, 0}, *c.second, c.offset), c.collide) << c.name;
        EXPECT_EQ(dd::regionsCollide(*c.second, c.offset, *c.first, {0, 0}), c.collide) << c.name << " (swapped)";
    }
}

TEST(Collisions, RectanglesAtAnyOffsetMeetExactlyWhenTheirBoxesDo)
{
    // Where two rectangles overlap, the edges that cross lie on the sides of the overlap window:
    // rounding in moving them must not lose them.
    dd::Random random(11);
    std::vector<std::pair<dd::Point, dd::Region>> rectangles;
    for (int k = 0; k < 12; ++k) {
        const double w = random.between(1, 50), h = random.between(1, 50);
        rectangles.push_back({{w, h}, regionOf({{{0, 0}, {w, 0}, {w, h}, {0, h}}})});
    }
    for (int trial = 0; trial < 20000; ++trial) {
        const auto& [s1, a] = rectangles[static_cast<std::size_t>(random.below(12))];
        const auto& [s2, b] = rectangles[static_cast<std::size_t>(random.below(12))];
        const double w1 = s1.x, h1 = s1.y, w2 = s2.x, h2 = s2.y;
        const dd::Point da{random.between(-100, 100), random.between(-100, 100)};
        const dd::Point db{da.x + random.between(-w2 - 1, w1 + 1), da.y + random.between(-h2 - 1, h1 + 1)};
        const double ox = std::min(da.x + w1, db.x + w2) - std::max(da.x, db.x);
        const double oy = std::min(da.y + h1, db.y + h2) - std::max(da.y, db.y);
        if (ox > 1e-9 && oy > 1e-9) {
            EXPECT_TRUE(dd::regionsCollide(a, da, b, db)) << trial;
        } else if (ox < -1e-9 || oy < -1e-9) {
            EXPECT_FALSE(dd::regionsCollide(a, da, b, db)) << trial;
        }
    }
}

// A random star-shaped polygon about the origin: concave, never crossing itself; its radii lie
// between the bounds, so a star of radii below a quarter of another's least radius lies within it.
dd::Ring star(dd::Random& random, double least, double most)
{
    const int n = 5 + random.below(10);
    dd::Ring ring;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * (k + random.between(0.1, 0.9)) / n;
        const double r = random.between(least, most);
        ring.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return ring;
}

using Rings = std::vector<dd::Ring>;

ClipperLib::Paths pathsOf(const Rings& rings, dd::Point d)
{
    constexpr double scale = 1e9;
    ClipperLib::Paths paths;
    for (const dd::Ring& r : rings) {
        ClipperLib::Path p;
        for (const dd::Point& q : r)
            p.push_back(ClipperLib::IntPoint(static_cast<ClipperLib::cInt>(std::llround((q.x + d.x) * scale)),
                                             static_cast<ClipperLib::cInt>(std::llround((q.y + d.y) * scale))));
        paths.push_back(p);
    }
    return paths;
}

double intersectionArea(const Rings& a, dd::Point da, const Rings& b, dd::Point db)
{
    ClipperLib::Clipper clipper;
    clipper.AddPaths(pathsOf(a, da), ClipperLib::ptSubject, true);
    clipper.AddPaths(pathsOf(b, db), ClipperLib::ptClip, true);
    ClipperLib::Paths out;
    clipper.Execute(ClipperLib::ctIntersection, out, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
    double area = 0;
    for (const ClipperLib::Path& p : out) area += ClipperLib::Area(p);
    return std::fabs(area) / 1e18;
}

double boundaryDistance(const Rings& a, dd::Point da, const Rings& b, dd::Point db)
{
    std::vector<dd::Edge> eb;
    for (const dd::Ring& r : b)
        for (std::size_t i = 0; i < r.size(); ++i)
            eb.push_back({{r[i].x + db.x, r[i].y + db.y}, {r[(i + 1) % r.size()].x + db.x, r[(i + 1) % r.size()].y + db.y}});
    double d = dd::kInfinity;
    for (const dd::Ring& r : a)
        for (const dd::Point& p : r) d = std::min(d, dd::distanceToEdges(eb, {p.x + da.x, p.y + da.y}));
    return d;
}

TEST(Collisions, AgreeWithTheClippingLibraryOnRandomPolygonsWithAndWithoutHoles)
{
    dd::Random random(2024);
    std::vector<std::pair<Rings, dd::Region>> stars;
    for (int k = 0; k < 40; ++k) {
        // Every other one large with a small hole about its middle, which smaller ones may cover.
        Rings rings{k % 2 == 0 ? star(random, 2, 10) : star(random, 8, 20)};
        if (k % 2 == 1) rings.push_back(star(random, 0.5, 1.9));
        stars.push_back({rings, regionOf(rings)});
    }
    int both = 0, neither = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const auto& [ra, a] = stars[static_cast<std::size_t>(random.below(40))];
        const auto& [rb, b] = stars[static_cast<std::size_t>(random.below(40))];
        const dd::Point db{random.between(-25, 25), random.between(-25, 25)};
        const bool collide = dd::regionsCollide(a, {0, 0}, b, db);
        // The outlines alone decide as well: the search tests them without the poles.
        EXPECT_EQ(dd::outlinesCollide(a, {0, 0}, b, db), collide) << "trial " << trial;
        const double area = intersectionArea(ra, {0, 0}, rb, db);
        if (area > 1e-9) {
            EXPECT_TRUE(collide) << "trial " << trial << " area " << area;
            ++both;
            EXPECT_GT(dd::overlapLoss(a, {0, 0}, b, db), 0);
        } else if (std::min(boundaryDistance(ra, {0, 0}, rb, db), boundaryDistance(rb, db, ra, {0, 0})) > 1e-6) {
            EXPECT_FALSE(collide) << "trial " << trial;
            ++neither;
        }
    }
    // Both kinds were tried often enough to mean something.
    EXPECT_GT(both, 300);
    EXPECT_GT(neither, 300);
}

TEST(OverlapMeasure, GrowsWithTheOverlapAndTheShareOutside)
{
    const dd::Region a = regionOf({square(0, 0, 10)});
    double last = 0;
    for (double shift : {9.5, 7.0, 4.0, 1.0}) {
        const double loss = dd::overlapLoss(a, {0, 0}, a, {shift, 0});
        EXPECT_GT(loss, last) << shift;
        last = loss;
    }
    const dd::Box container{0, 0, 100, 100};
    EXPECT_EQ(dd::exteriorLoss({10, 10, 20, 20}, container, 100), 0);
    EXPECT_LT(dd::exteriorLoss({95, 10, 105, 20}, container, 100), dd::exteriorLoss({98, 10, 108, 20}, container, 100));
    EXPECT_LT(dd::exteriorLoss({98, 10, 108, 20}, container, 100), dd::exteriorLoss({200, 10, 210, 20}, container, 100));
}

} // namespace
