// The regions Deep Nesting places: grown parts hold every point the true outline reaches within
// half the spacing (and not much more), the sheet's free space lies inside the true sheet, and
// the poles lie inside the material, apart from each other. Judged on the true outlines with the
// exact distances of the geometry layer.
#include <gtest/gtest.h>

#include <algorithm>

#include "deep/collision_exact.h"
#include "deep/deep_job.h"
#include "deep/deep_shapes.h"
#include "deep/material.h"
#include "deep/outline_rings.h"
#include "engine/engine_job.h"
#include "geometry/primitives.h"
#include "layouts/layout_geometry_check.h"

using namespace dravenor;
using namespace dravenor::testing;
namespace dd = dravenor::deep;

namespace {

// The true material: arcs cut far finer than the search cuts them (points that close to the
// outline are judged by their distance alone).
class TrueMaterial {
public:
    explicit TrueMaterial(const Shape& shape)
    {
        for (const dd::Ring& r : dd::outlineRings(shape, 1e-5, 1e-6).rings)
            for (std::size_t i = 0; i < r.size(); ++i) edges_.push_back({r[i], r[(i + 1) % r.size()]});
    }
    bool holds(dd::Point p) const { return dd::materialHolds(edges_, p); }

private:
    std::vector<dd::Edge> edges_;
};

bool drawnWithArcs(const Shape& shape)
{
    return std::any_of(shape.begin(), shape.end(), [](const ShapeEntity& e) { return e.RAD != 0; });
}

// Points along each edge, its ends included, 40 steps apart.
template <class Visit>
void forPointsOn(const std::vector<dd::Edge>& edges, Visit visit)
{
    for (const dd::Edge& e : edges)
        for (int k = 0; k <= 40; ++k) visit(dd::Point{e.a.x + (e.b.x - e.a.x) * k / 40, e.a.y + (e.b.y - e.a.y) * k / 40});
}

struct ShapeCase {
    const char* name;
    Shape shape;
};

const ShapeCase kShapes[] = {
    {"disc", washer(50, 50, 100)},
    {"washer", washer(60, 60, 120, 70)},
    {"slot", slot(150, 40)},
    {"slanted", polygon({{0, 0}, {100, 10}, {80, 60}, {40, 35}, {5, 70}})},
    {"frame", frame(100, 60)},
};

class GrownRegions : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(GrownRegions, HoldTheTrueOutlineGrownBySpacingAndMargin)
{
    const Shape& shape = GetParam().shape;
    EngineJob files;
    files.kerf(1).sheet(files.rectangleFile("sheet.shp", 1000, 1000), 1).part(files.shapeFile("p.shp", shape), 1, 0,
                                                                               "step180", true);
    for (const auto& [spacing, margin] : {std::pair{4.0, 0.0}, std::pair{0.0, 3.0}, std::pair{10.0, 10.0}}) {
        NestingState state = files.state;
        const dd::DeepJob job = dd::buildDeepJob(state, {spacing, margin}, [] { return false; });
        ASSERT_EQ(job.parts.size(), 1u);
        const Extents box = shapeExtents(job.parts[0].shape);
        const TrueMaterial material(job.parts[0].shape);
        // As drawn and half round, each also mirrored.
        ASSERT_EQ(job.parts[0].orientations.size(), 4u);
        for (const dd::Orientation& o : job.parts[0].orientations) {
            // Mirrored about the box's middle, then turned half round about the box centre:
            // points map the same way.
            const double c = o.angle == 0 ? 1 : -1;
            const double cx = (box.xmin + box.xmax) / 2, cy = (box.ymin + box.ymax) / 2;
            const double reach = std::max(spacing / 2, margin) + 2;
            // And not much larger: corners are mitred and corners are taken away at the price of a
            // little material, but the region is about as large as the true one.
            int within = 0, held = 0;
            for (double x = box.xmin - reach; x <= box.xmax + reach; x += 1.37)
                for (double y = box.ymin - reach; y <= box.ymax + reach; y += 1.29) {
                    const dd::Point p{x, y};
                    const double mx = o.mirrored ? 2 * cx - x : x;
                    const dd::Point turnedP{cx + c * (mx - cx), cy + c * (y - cy)};
                    const bool inside = material.holds(p);
                    const double d = distanceToShape(shape, p.x, p.y);
                    // Within the distance of the true part: inside the grown region.
                    within += inside || d <= spacing / 2 ? 1 : 0;
                    held += dd::materialHolds(o.spacing.edges, turnedP) ? 1 : 0;
                    if (inside || d <= spacing / 2) {
                        EXPECT_TRUE(dd::materialHolds(o.spacing.edges, turnedP)) << GetParam().name << " " << x << "," << y;
                    }
                    if (inside || d <= margin) {
                        EXPECT_TRUE(dd::materialHolds(o.margin.edges, turnedP)) << GetParam().name << " " << x << "," << y;
                    }
                }
            EXPECT_LE(held, within + within / 50 + 10) << GetParam().name << " spacing " << spacing;
        }
    }
}

// Along its whole outline the grown region stands outside the true part by at least the distance
// asked for, and on its nearest stretch by no more than a hair beyond it: chords where the part has
// arcs, rounding alone where it has none. Parts kept further apart lose length on every sheet.
TEST_P(GrownRegions, StandOffTheTrueOutlineByTheDistanceAndAHair)
{
    const Shape& shape = GetParam().shape;
    const bool arcs = drawnWithArcs(shape);
    EngineJob files;
    files.kerf(1).sheet(files.rectangleFile("sheet.shp", 1000, 1000), 1).part(files.shapeFile("p.shp", shape), 1);
    for (const double spacing : {0.0, 4.0}) {
        NestingState state = files.state;
        const dd::DeepJob job = dd::buildDeepJob(state, {spacing, 0}, [] { return false; });
        ASSERT_EQ(job.parts.size(), 1u);
        const TrueMaterial material(shape);
        const dd::Orientation& asDrawn = job.parts[0].orientations[0];
        ASSERT_EQ(asDrawn.angle, 0);
        double nearest = 1e9;
        forPointsOn(asDrawn.spacing.edges, [&](dd::Point p) {
            nearest = std::min(nearest, material.holds(p) ? 0 : distanceToShape(shape, p.x, p.y));
        });
        const double hair = arcs ? 0.02 : 0.002;
        EXPECT_GE(nearest, spacing / 2 - kDistanceSlack) << GetParam().name << " spacing " << spacing;
        EXPECT_LE(nearest, spacing / 2 + hair) << GetParam().name << " spacing " << spacing;
    }
}

// Every point of the free space's outline (the free box's sides and the hazards' edges) lies inside
// the true sheet, within a little of its outline; on lines alone by no more than a hair. Free space
// kept further in loses length at both ends of every sheet.
TEST_P(GrownRegions, SheetFreeSpaceStandsInsideTheTrueSheetByAHair)
{
    Shape sheet = rectangle(0, 0, 400, 300);
    Shape hole = GetParam().shape;
    moveShape(hole, 150, 100);
    append(sheet, hole);
    const bool arcs = drawnWithArcs(hole);
    EngineJob files;
    files.kerf(1).sheet(files.shapeFile("sheet.shp", sheet), 1).part(files.rectangleFile("p.shp", 5, 5), 1);
    NestingState state = files.state;
    const dd::DeepJob job = dd::buildDeepJob(state, {2, 0}, [] { return false; });
    ASSERT_EQ(job.sheets.size(), 1u);
    const dd::SheetType& free = job.sheets[0];
    const TrueMaterial material(free.shape);
    const dd::Box& b = free.free;
    std::vector<dd::Edge> outline{{{b.x0, b.y0}, {b.x1, b.y0}}, {{b.x1, b.y0}, {b.x1, b.y1}},
                                  {{b.x1, b.y1}, {b.x0, b.y1}}, {{b.x0, b.y1}, {b.x0, b.y0}}};
    for (const dd::Region& h : free.hazards) outline.insert(outline.end(), h.edges.begin(), h.edges.end());
    double nearest = 1e9;
    int sampled = 0;
    forPointsOn(outline, [&](dd::Point p) {
        // Hazard edges outside the box bound nothing free.
        if (!dd::Box{p.x, p.y, p.x, p.y}.within(b)) return;
        ++sampled;
        const double d = distanceToShape(sheet, p.x, p.y);
        EXPECT_TRUE(material.holds(p)) << GetParam().name << " " << p.x << "," << p.y;
        EXPECT_LT(d, 0.02) << GetParam().name << " " << p.x << "," << p.y;
        nearest = std::min(nearest, d);
    });
    EXPECT_GT(sampled, 160);
    EXPECT_LE(nearest, arcs ? 0.02 : 0.001) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Deep, GrownRegions, ::testing::ValuesIn(kShapes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Poles, LieInsideTheMaterialApartFromEachOther)
{
    EngineJob files;
    files.kerf(1).sheet(files.rectangleFile("sheet.shp", 1000, 1000), 1);
    for (const ShapeCase& c : kShapes) files.part(files.shapeFile(std::string(c.name) + ".shp", c.shape), 1, 0, "step180");
    NestingState state = files.state;
    const dd::DeepJob job = dd::buildDeepJob(state, {2, 0}, [] { return false; });
    for (const dd::PartType& part : job.parts) {
        // The half turn: a turned region keeps its poles.
        ASSERT_EQ(part.orientations.size(), 2u);
        const dd::Region& r = part.orientations[1].spacing;
        ASSERT_FALSE(r.poles.empty()) << part.file;
        double covered = 0;
        for (std::size_t i = 0; i < r.poles.size(); ++i) {
            const dd::Circle& p = r.poles[i];
            EXPECT_TRUE(dd::materialHolds(r.edges, p.c)) << part.file;
            EXPECT_GE(dd::distanceToEdges(r.edges, p.c), p.r * (1 - 1e-9)) << part.file;
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_GE(std::hypot(p.c.x - r.poles[j].c.x, p.c.y - r.poles[j].c.y), (p.r + r.poles[j].r) * (1 - 1e-9));
            covered += M_PI * p.r * p.r;
        }
        EXPECT_GT(covered, 0.5 * r.area) << part.file;
        for (const dd::Point& a : r.anchors) EXPECT_LT(dd::distanceToEdges(r.edges, a), 1e-9 * r.diameter) << part.file;
    }
}

} // namespace
