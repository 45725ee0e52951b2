// The entity list rebuilt from the item list, and the vector check of placed layouts: overlaps,
// parts off the sheet, and with least distances parts closer than the spacing to each other or
// than the margin to the sheet's outline and holes, measured on the true outlines; the mark of
// layouts that fail it, and what the questions before discarding layouts say.
#include <map>
#include <sstream>

#include "geometry/shape_file.h"
#include "layout_helpers.h"
#include "layouts/common_line_rows.h"
#include "layouts/common_line_snap.h"
#include "layouts/discarded_layouts.h"
#include "layouts/faulty_layouts.h"
#include "layouts/layout_geometry_check.h"
#include "layouts/layout_rebuild.h"
#include "support/saved_shape.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Shapes served from memory, counting how often each file is asked for.
struct CountingLoader {
    std::map<std::string, Shape> files{{"a.shp", rectangle(0, 0, 100, 50)},
                                       {"b.shp", {arcEntity(20, 20, 20, 0, 360)}},
                                       {"s.shp", rectangle(0, 0, 1000, 500)}};
    std::map<std::string, int> reads;

    ShapeLoader loader()
    {
        return [this](const std::string& path, Shape& shape) {
            ++reads[path];
            ShapeReadReport report;
            const auto it = files.find(path);
            report.readable = it != files.end();
            if (!report.readable) {
                report.error = "cannot read " + path + ": no such file";
                return report;
            }
            shape = it->second;
            normaliseShape(shape);
            return report;
        };
    }
};

// Each instance in entity order as "layout part instance qty angle: box (entities)".
std::vector<std::string> instancesOf(const std::vector<LayoutEntity>& entities)
{
    const auto rounded = [](double v) { return std::round(v * 1e6) / 1e6 + 0.0; };
    std::vector<std::string> instances;
    Shape shape;
    for (size_t i = 0; i < entities.size(); ++i) {
        const LayoutEntity& e = entities[i];
        shape.push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
        if (i + 1 < entities.size() && entities[i + 1].LayoutNo == e.LayoutNo && entities[i + 1].Instance == e.Instance)
            continue;
        const Extents box = shapeExtents(shape);
        std::ostringstream text;
        text << e.LayoutNo << ' ' << e.PartIndex << ' ' << e.Instance << ' ' << e.Qty << ' ' << e.Angle << ": "
             << rounded(box.xmin) << ',' << rounded(box.ymin) << ' ' << rounded(box.xmax) << ',' << rounded(box.ymax)
             << " (" << shape.size() << ')';
        instances.push_back(text.str());
        shape.clear();
    }
    return instances;
}

} // namespace

// The instances and problems of each item list are in the golden file.
TEST(Rebuild, PlacesEachRowsShapeTurnedAtItsCornerWithTheSheetLastReadingEachFileOnce)
{
    const struct { const char* name; std::vector<LayoutItem> items; } cases[] = {
        {"two layouts",
         {layoutItem("a.shp", 1, 1), layoutItem("a.shp", 1, 1, 200, 100), layoutItem("s.shp", 1, 0),
          layoutItem("b.shp", 2, 2, 10, 10), layoutItem("a.shp", 2, 1, 300, 0), layoutItem("s.shp", 2, 0)}},
        {"turned, angles brought into one turn",
         {layoutItem("a.shp", 1, 1, 40, 30, 450), layoutItem("a.shp", 1, 1, 0, 300, -90), layoutItem("s.shp", 1, 0)}},
        {"a sheet alone", {layoutItem("s.shp", 1, 0, 0, 0, 0, 4)}},
        {"nothing", {}},
        // The row of the present file keeps its instance number, so labels still match the items.
        {"missing files",
         {layoutItem("gone.shp", 1, 1), layoutItem("a.shp", 1, 2, 0, 100), layoutItem("gone.shp", 1, 1, 300, 0),
          layoutItem("s.shp", 1, 0)}},
    };
    std::string record;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CountingLoader files;
        NestingState state;
        state.items = c.items;
        state.entities.push_back(LayoutEntity{}); // a stale list is replaced, not extended
        record += std::string("=== ") + c.name + "\n";
        for (const std::string& problem : rebuildEntityList(state, files.loader())) record += "problem: " + problem + "\n";
        for (const std::string& instance : instancesOf(state.entities)) record += instance + "\n";
        for (const auto& [file, reads] : files.reads) EXPECT_EQ(reads, 1) << file;
        for (const LayoutItem& item : state.items) EXPECT_EQ(item.Angle, std::fmod(item.Angle + 360, 360));
    }
    expectGolden("layouts/rebuild.txt", record);
    // Real files: the sheet moved to the origin, a missing file named.
    TempFolder dir;
    const std::string sheet = savedShape(dir, "sheet.shp", rectangle(10, 10, 500, 400));
    NestingState state;
    state.items = {layoutItem(dir.file("missing.shp"), 1, 1), layoutItem(sheet, 1, 0)};
    const std::vector<std::string> problems = rebuildEntityList(state);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(dir.file("missing.shp")), std::string::npos);
    EXPECT_EQ(instancesOf(state.entities), std::vector<std::string>{"1 0 0 1 0: 0,0 500,400 (4)"});
}

// ---- the vector layout check: overlaps and parts off the sheet are found, touching parts, parts
// one kerf apart and parts lying in holes pass; fault numbers point at the right parts

namespace {

// The fault texts, one a line.
std::string textOf(const std::vector<LayoutFault>& faults)
{
    std::string text;
    for (const LayoutFault& f : faults) text += f.text + "\n";
    return text;
}

std::string faultsOf(const Shape& sheet, const std::vector<Shape>& parts) { return textOf(checkPlacedLayout(1, sheet, parts, {})); }

} // namespace

TEST(LayoutGeometryCheck, TouchingAndNestedPartsPassOverlapsAndPartsOffTheSheetAreFound)
{
    const Shape sheet = rectangle(0, 0, 1000, 500);
    Shape holed = sheet;
    append(holed, circle(500, 250, 100));
    // A triangle standing on its lowest corner, open there by rounding; the rectangle beside it
    // has its bottom edge at that corner's height. A piece of no length at the gap (an arc's last
    // chord often is one) leaves it open all the same; gaps further apart are not bridged.
    const Shape open{lineEntity(550, 100, 650, 200), lineEntity(650, 200, 450, 200),
                     lineEntity(450, 200, 550, 100.00005)};
    Shape dotted = open, wide = open;
    dotted.insert(dotted.begin() + 1, lineEntity(550, 100, 550, 100));
    wide.back().X2 = 530;
    wide.back().Y2 = 120;
    Shape nowhere = rectangle(10, 10, 50, 50);
    nowhere[1].Y2 = 1e100;
    const Shape triangle = polygon({{10, 10}, {310, 10}, {10, 210}});

    const std::string overlap = "layout 1: parts 2 and 3 overlap\n", off = " leaves the sheet\n";
    const struct { const char* name; const Shape& sheet; std::vector<Shape> parts; std::string faults; } cases[] = {
        {"side by side", sheet, {rectangle(10, 10, 100, 50), rectangle(110, 10, 100, 50)}, ""},
        {"one above the other", sheet, {rectangle(10, 10, 100, 50), rectangle(10, 60, 100, 50)}, ""},
        {"a kerf apart", sheet, {rectangle(10, 10, 100, 50), rectangle(113, 10, 100, 50)}, ""},
        {"corners meet", sheet, {rectangle(10, 10, 100, 50), rectangle(110, 60, 100, 50)}, ""},
        {"one unit in", sheet, {rectangle(10, 10, 100, 50), rectangle(109, 10, 100, 50)}, overlap},
        {"triangles sharing a side", sheet, {triangle, polygon({{310, 10}, {310, 210}, {10, 210}})}, ""},
        {"triangle a unit across", sheet, {triangle, polygon({{309, 10}, {309, 210}, {9, 210}})}, overlap},
        {"disc on a plate", sheet, {rectangle(10, 10, 300, 50), circle(100, 110, 50)}, ""},
        {"disc at a plate's corner", sheet, {rectangle(10, 10, 300, 50), circle(400, 110, 50)}, ""},
        {"disc a unit in", sheet, {rectangle(10, 10, 300, 50), circle(100, 109, 50)}, overlap},
        {"disc filling a hole", sheet, {washer(250, 250, 400, 200), circle(250, 250, 100)}, ""},
        {"plate in a hole", sheet, {washer(250, 250, 400, 200), rectangle(200, 200, 100, 100)}, ""},
        {"rings in rings", sheet, {washer(250, 250, 400, 200), washer(250, 250, 180, 80), circle(250, 250, 40)}, ""},
        {"across a hole's rim", sheet, {washer(250, 250, 400, 200), rectangle(200, 200, 100, 160)}, overlap},
        {"disc larger than the hole", sheet, {washer(250, 250, 400, 200), circle(250, 250, 101)}, overlap},
        // No outline point reaches into the other here: one inside, or both at the same place.
        {"small in large", sheet, {rectangle(10, 10, 300, 300), rectangle(100, 100, 20, 20)}, overlap},
        {"large over small", sheet, {rectangle(100, 100, 20, 20), rectangle(10, 10, 300, 300)}, overlap},
        {"plates on one spot", sheet, {rectangle(10, 10, 100, 50), rectangle(10, 10, 100, 50)}, overlap},
        {"discs on one spot", sheet, {circle(200, 200, 80), circle(200, 200, 80)}, overlap},
        {"open by rounding", sheet, {open, rectangle(460, 100, 40, 30)}, ""},
        {"open with a dot", sheet, {dotted, rectangle(460, 100, 40, 30)}, ""},
        {"wide open", sheet, {wide, rectangle(460, 100, 40, 30)}, overlap},
        {"too far out to check", sheet, {rectangle(100, 100, 20, 20), nowhere},
         "layout 1: part 3 cannot be checked (its coordinates are not numbers or lie beyond 1e9)\n"},
        {"in the sheet's corners", sheet, {rectangle(0, 0, 100, 100), rectangle(900, 400, 100, 100)}, ""},
        {"a unit past the edge", sheet, {rectangle(0, 0, 100, 100), rectangle(901, 10, 100, 100)},
         "layout 1: part 3" + off},
        {"nowhere near the sheet", sheet, {rectangle(2000, 10, 100, 100)}, "layout 1: part 2" + off},
        {"beside the sheet's hole", holed, {rectangle(10, 10, 300, 300), rectangle(600, 150, 200, 200)}, ""},
        {"in the sheet's hole", holed, {rectangle(450, 200, 100, 100)}, "layout 1: part 2" + off},
        {"covering the hole", holed, {rectangle(350, 100, 300, 300)}, "layout 1: part 2" + off},
        {"across the hole's rim", holed, {rectangle(550, 200, 200, 100)}, "layout 1: part 2" + off},
    };
    for (const auto& c : cases) EXPECT_EQ(faultsOf(c.sheet, c.parts), c.faults) << c.name;

    // A 20 x 20 chequer of plates and discs, each touching its neighbours; then one pushed in.
    std::vector<Shape> parts;
    for (int row = 0; row < 20; ++row)
        for (int col = 0; col < 20; ++col)
            parts.push_back((row + col) % 2 ? circle(25 + 50 * col, 25 + 50 * row, 25)
                                            : rectangle(50 * col, 50 * row, 50, 50));
    EXPECT_EQ(faultsOf(rectangle(0, 0, 1000, 1000), parts), "");
    parts[0] = rectangle(1, 0, 50, 50);
    EXPECT_EQ(faultsOf(rectangle(0, 0, 1000, 1000), parts), overlap);
}

TEST(LayoutGeometryCheck, FaultTextsNameTheFilesAndEveryLayoutIsCheckedByItsInstanceNumbers)
{
    const std::vector<LayoutFault> faults = checkPlacedLayout(
        2, rectangle(0, 0, 1000, 500),
        {rectangle(10, 10, 50, 50), rectangle(400, 10, 50, 50), rectangle(30, 30, 50, 50), rectangle(980, 10, 50, 50)},
        {"/jobs/a.shp", "/jobs/b.shp", "/jobs/c.dxf"});
    EXPECT_EQ(textOf(faults), "layout 2: part 5 leaves the sheet\nlayout 2: parts 2 (a.shp) and 4 (c.dxf) overlap\n");
    EXPECT_EQ(faultyParts(faults), (std::vector<int>{1, 3, 4}));

    NestingState state;
    state.parts = {{"/jobs/a.shp", 0, 0, "", 0, 0}, {"/jobs/b.shp", 0, 0, "", 0, 0}};
    appendShape(state.entities, rectangle(0, 0, 100, 100), 1, 1, 1, 1, 0, 1);
    appendShape(state.entities, rectangle(0, 0, 200, 200), 1, 1, 0, 0, 0, 1);
    // Layout 2: instance 1 is missing (its file could not be read); 2 and 3 overlap.
    appendShape(state.entities, rectangle(0, 0, 100, 100), 2, 1, 1, 2, 0, 1);
    appendShape(state.entities, circle(90, 90, 30), 2, 1, 2, 3, 0, 1);
    appendShape(state.entities, rectangle(0, 0, 200, 200), 2, 1, 0, 0, 0, 1);
    EXPECT_EQ(textOf(checkLayouts(state)), "layout 2: parts 3 (a.shp) and 4 (b.shp) overlap\n");
}

// ---- the check with least distances

namespace {

const Shape kSheet = rectangle(0, 0, 1000, 500);

// A plate with a square window in its middle.
Shape framePlate(double x, double y, double size, double window)
{
    Shape frame = rectangle(x, y, size, size);
    const Shape hole = rectangle(x + (size - window) / 2, y + (size - window) / 2, window, window);
    frame.insert(frame.end(), hole.begin(), hole.end());
    return frame;
}

// A half disc: its flat side on x = cx, bulging to +x.
Shape halfDisc(double cx, double cy, double radius)
{
    return {lineEntity(cx, cy + radius, cx, cy - radius), arcEntity(cx, cy, radius, 270, 90)};
}

std::vector<LayoutFault> check(const std::vector<Shape>& parts, LeastDistances least, const Shape& sheet = kSheet)
{
    return checkPlacedLayout(1, sheet, parts, {"a.shp", "b.shp", "c.shp"}, kDefaultCheckTolerance, 0, least);
}

// Parts closer than the spacing to each other, or than the margin to the sheet's outline or its
// hole, are faults: the fault texts of each case, one a line.
TEST(LayoutDistanceCheck, PartsCloserThanTheSpacingOrTheMarginAreFaults)
{
    Shape holed = kSheet;
    append(holed, circle(500, 250, 100));
    const auto apart = [](const std::string& d) {
        return "layout 1: parts 2 (a.shp) and 3 (b.shp) are " + d + " apart, less than the spacing 3\n";
    };
    const Shape square = rectangle(10, 10, 100, 100);
    const double corner = 110 + 3 / std::sqrt(2.0);
    const std::string near = "layout 1: part 2 (a.shp) is 4 from the sheet's outline, less than the margin 5\n";
    const struct { const char* what; std::vector<Shape> parts; LeastDistances least; std::string faults; } cases[] = {
        {"squares 3 apart", {square, rectangle(113, 10, 100, 100)}, {3, 0}, ""},
        {"squares 2.9 apart", {square, rectangle(112.9, 10, 100, 100)}, {3, 0}, apart("2.9")},
        {"corner to corner 3 apart", {square, rectangle(corner, corner, 50, 50)}, {3, 0}, ""},
        {"no spacing asked", {square, rectangle(110.5, 10, 100, 100)}, {0, 0}, ""},
        {"discs 3 apart", {circle(100, 100, 50), circle(203, 100, 50)}, {3, 0}, ""},
        {"discs 2.5 apart", {circle(100, 100, 50), circle(202.5, 100, 50)}, {3, 0}, apart("2.5")},
        // The circle's chords start at 1 degree, so its rightmost point lies in the middle of a
        // chord 0.0076 inside it: measured on chords this pair would pass.
        {"circle 2.995 from a plate", {{arcEntity(100, 100, 50, 1, 1)}, rectangle(152.995, 50, 40, 100)}, {3, 0}, apart("2.995")},
        {"half disc bulging 3 from a plate", {halfDisc(100, 100, 50), rectangle(153, 50, 40, 100)}, {3, 0}, ""},
        {"in a window 3 from its rim", {framePlate(10, 10, 300, 200), rectangle(63, 63, 194, 194)}, {3, 0}, ""},
        {"in a window 2 from its rim", {framePlate(10, 10, 300, 200), rectangle(62, 62, 196, 196)}, {3, 0}, apart("2")},
        {"5 from the edge", {rectangle(5, 5, 100, 100)}, {0, 5}, ""},
        {"4 from the edge", {rectangle(4, 50, 100, 100)}, {0, 5}, near},
        {"5 from the hole", {rectangle(300, 200, 95, 100)}, {0, 5}, ""},
        {"4 from the hole", {rectangle(300, 200, 96, 100)}, {0, 5}, near},
        {"over the hole", {rectangle(450, 200, 100, 100)}, {0, 5}, "layout 1: part 2 (a.shp) leaves the sheet\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(textOf(check(c.parts, c.least, c.least.margin > 0 ? holed : kSheet)), c.faults) << c.what;
    const LayoutFault edge = check({rectangle(4, 50, 100, 100)}, {0, 5}, holed).at(0);
    EXPECT_EQ(std::pair(edge.kind, edge.partA), std::pair(LayoutFault::Kind::NearSheetEdge, 1));
}

TEST(LayoutDistanceCheck, EachPartAtFaultIsNamedOnceAndOverlapsKeepTheirOwnFault)
{
    // 1 and 2 overlap, 3 is too close to 2: one overlap, one spacing fault, in that order.
    const std::vector<LayoutFault> faults =
        check({rectangle(10, 10, 100, 100), rectangle(100, 10, 100, 100), rectangle(201, 10, 100, 100)}, {3, 0});
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(std::tuple(faults[0].kind, faults[1].kind, faults[1].partA, faults[1].partB),
              std::tuple(LayoutFault::Kind::Overlap, LayoutFault::Kind::TooClose, 2, 3));
    EXPECT_EQ(faultyParts(faults), (std::vector<int>{1, 2, 3}));
}

// Layout 1 sound, layout 2 with its two plates on one spot, layout 3 with a plate off its sheet.
Job jobWithFaultyLayouts()
{
    Job job;
    job.nesting.parts = {{"/jobs/a.shp", 0, 0, "", 0, 0}};
    const auto place = [&](int layoutNo, std::vector<double> xs) {
        for (size_t i = 0; i < xs.size(); ++i)
            appendShape(job.nesting.entities, rectangle(xs[i], 0, 100, 50), layoutNo, 1, 1,
                        static_cast<std::int32_t>(i) + 1, 0, 1);
        appendShape(job.nesting.entities, rectangle(0, 0, 1000, 500), layoutNo, 1, 0, 0, 0, 1);
        for (size_t i = 0; i <= xs.size(); ++i)
            job.nesting.items.push_back({"/jobs/a.shp", 0, 0, 0, 1, i == xs.size() ? 0 : 1, layoutNo, 1});
    };
    place(1, {0, 200});
    place(2, {300, 350});
    place(3, {950});
    return job;
}

TEST(CommonLineSnap, PartsMoveToStandTheSpacingApartAlongStraightEdgesKeepingEveryRule)
{
    // 100 x 50 plates in a row at the gaps given, from x = 20, the last `rise` higher; with a kerf
    // of 3 a plate moves up to 9 toward its neighbour, keeping the edge it already meets, and
    // slides along it until their edges meet whole.
    const struct { const char* what; std::vector<double> gaps; double rise; int moves; std::vector<double> after; } cases[] = {
        {"one gap of 5", {5}, 0, 1, {3}},
        {"two gaps of 5: the middle plate keeps its first contact", {5, 5}, 0, 2, {3, 3}},
        {"already 3 apart", {3}, 0, 0, {3}},
        {"20 apart, beyond reach", {20}, 0, 0, {20}},
        {"3 apart, 20 higher: slides down", {3}, 20, 1, {3}},
    };
    for (const auto& c : cases) {
        NestingState state;
        double x = 20;
        for (size_t i = 0; i <= c.gaps.size(); ++i) {
            const double y = i == c.gaps.size() ? 100 + c.rise : 100;
            placeShape(state, 1, rectangle(x, y, 100, 50), 1, static_cast<int>(i) + 1, "plate.shp");
            if (i < c.gaps.size()) x += 100 + c.gaps[i];
        }
        placeShape(state, 1, kSheet, 0, 0, "sheet.shp");
        EXPECT_EQ(snapCommonLines(state, {3, 1.5}, 9), c.moves) << c.what;
        std::vector<double> left(c.gaps.size() + 1, 1e9), right(c.gaps.size() + 1, -1e9);
        std::vector<Shape> parts(c.gaps.size() + 1);
        for (const LayoutEntity& e : state.entities) {
            if (e.Instance == 0) continue;
            const size_t k = static_cast<size_t>(e.Instance - 1);
            left[k] = std::min({left[k], e.X1, e.X2});
            right[k] = std::max({right[k], e.X1, e.X2});
            parts[k].push_back(shapeEntityOf(e));
        }
        for (size_t i = 0; i < c.after.size(); ++i) EXPECT_NEAR(left[i + 1] - right[i], c.after[i], 1e-9) << c.what;
        if (c.rise) EXPECT_NEAR(state.items.front().Y, state.items[c.gaps.size()].Y, 1e-9) << c.what;
        EXPECT_TRUE(checkPlacedLayout(1, kSheet, parts, {}, 0.01, 0, {3, 1.5}).empty()) << c.what;
        // Rows and entities still agree: each row's corner is its part's.
        for (size_t i = 0; i < parts.size(); ++i) EXPECT_NEAR(state.items[i].X, left[i], 1e-9) << c.what;
    }
}

TEST(CommonLineRows, StraightEdgedPartsLieInRowsOrColumnsTheSpacingApartOnAsFewSheetsAsTheyTake)
{
    // Rows of 40 x 20 in a room of 100 x 50, 2 apart: two to a row; a shorter box joins a row, one
    // too wide is left, and of two low ones the second goes on top of the first.
    const std::vector<ShelfBox> boxes{{40, 20}, {40, 20}, {40, 20}, {30, 10}, {120, 5}, {20, 9}, {20, 9}};
    std::vector<std::string> placed;
    for (const ShelfPlace& p : fillShelves(boxes, {0, 1, 2, 3, 4, 5, 6}, {100, 50}, 2))
        placed.push_back(std::to_string(p.box) + "@" + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)));
    EXPECT_EQ(placed, (std::vector<std::string>{"0@0,0", "1@42,0", "2@0,22", "3@42,22", "5@74,22", "6@74,33"}));

    // Plates of 400 x 150 that may turn on sheets of 1000 x 500, kerf 3 and margin 1.5: as five
    // columns across the sheet (the remnant beyond them the larger), in one layout.
    CountingLoader files;
    files.files["p.shp"] = rectangle(0, 0, 400, 150);
    files.files["t.shp"] = polygon({{0, 0}, {100, 0}, {0, 100}});
    const struct { const char* what; std::string part; int qty; std::vector<std::string> expected; } cases[] = {
        {"five plates", "p.shp", 5,
         {"1 1 1 1 90: 1.5,1.5 151.5,401.5 (4)", "1 1 2 1 90: 154.5,1.5 304.5,401.5 (4)",
          "1 1 3 1 90: 307.5,1.5 457.5,401.5 (4)", "1 1 4 1 90: 460.5,1.5 610.5,401.5 (4)",
          "1 1 5 1 90: 613.5,1.5 763.5,401.5 (4)", "1 0 0 1 0: 0,0 1000,500 (4)"}},
        {"more plates than three sheets take", "p.shp", 40, {}},
        // Two right triangles lie as a pair, the second turned half round, the kerf apart across.
        {"two triangles", "t.shp", 2, {"1 1 1 1 0: 1.5,1.5 101.5,101.5 (3)", "1 1 2 1 180: 3.62132,3.62132 103.621,103.621 (3)",
                                       "1 0 0 1 0: 0,0 1000,500 (4)"}},
        {"a triangle that may not turn lies by its box", "t.shp", 1,
         {"1 1 1 1 0: 1.5,1.5 101.5,101.5 (3)", "1 0 0 1 0: 0,0 1000,500 (4)"}},
        {"a disc", "b.shp", 1, {}},
    };
    for (const auto& c : cases) {
        NestingState state;
        state.sheets.push_back({"s.shp", 3, 0, 0, 3});
        state.parts.push_back({c.part, c.qty, 0, c.qty == 1 ? "No" : "", 0, c.qty});
        const std::optional<NestingState> rows = rowsForCommonLines(state, {3, 1.5}, files.loader());
        EXPECT_EQ(rows ? instancesOf(rows->entities) : std::vector<std::string>{}, c.expected) << c.what;
        if (!rows) continue;
        EXPECT_EQ(std::pair(rows->sheets[0].Remaining, rows->parts[0].Remaining), std::pair(2, 0)) << c.what;
        EXPECT_TRUE(checkLayouts(*rows, 0.01, {3, 1.5}).empty()) << c.what;
    }
}

TEST(FaultyLayouts, AreFoundByTheCheckGroupedByLayoutAndMarkedInTheListReportLinesAndOpeningWarning)
{
    Job job = jobWithFaultyLayouts();
    const FaultyLayouts faulty = faultyLayoutsOf(job);
    const FaultyLayouts expected{{2, {"parts 2 (a.shp) and 3 (a.shp) overlap"}}, {3, {"part 2 (a.shp) leaves the sheet"}}};
    EXPECT_EQ(faulty, expected);
    EXPECT_EQ(markedLayoutListEntries(job.nesting, faulty),
              (std::vector<std::string>{"1/3  [QTY 1]", std::string("2/3  [QTY 1]") + kFaultyLayoutMark,
                                        std::string("3/3  [QTY 1]") + kFaultyLayoutMark}));
    EXPECT_EQ(faultyLayoutLine(faulty, 1), "");
    EXPECT_EQ(faultyLayoutLine(faulty, 2), "Fails the overlap check: parts 2 (a.shp) and 3 (a.shp) overlap");
    EXPECT_EQ(faultyLayoutsWarning(faulty),
              "Layouts 2 and 3 fail the overlap check and cannot be cut as drawn:\n"
              "2: parts 2 (a.shp) and 3 (a.shp) overlap\n3: part 2 (a.shp) leaves the sheet\n"
              "Correct it in the layout editor or optimize again.");
    job.discardResults();
    EXPECT_TRUE(faultyLayoutsOf(job).empty());
    EXPECT_EQ(faultyLayoutsWarning({}), "");
    // Faults are grouped by layout in order and long lists are cut.
    const std::vector<LayoutFault> faults{{LayoutFault::Kind::Overlap, 3, 1, 2, "layout 3: parts 1 and 2 overlap"},
                                          {LayoutFault::Kind::OutsideSheet, 1, 4, 0, "layout 1: part 4 leaves the sheet"},
                                          {LayoutFault::Kind::Overlap, 3, 5, 6, "layout 3: parts 5 and 6 overlap"}};
    EXPECT_EQ(faultyLayoutsOf(faults),
              (FaultyLayouts{{1, {"part 4 leaves the sheet"}}, {3, {"parts 1 and 2 overlap", "parts 5 and 6 overlap"}}}));
    EXPECT_EQ(faultyLayoutLine({{1, {"a", "b", "c", "d", "e"}}}, 1), "Fails the overlap check: a; b; c; and 2 more");
    EXPECT_EQ(listedLines({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}),
              "1\n2\n3\n4\n5\n6\n7\n8\n... and 2 more\n");
}

TEST(DiscardedLayouts, TheQuestionSaysHowManyLayoutsGoAndWhetherDeepNestingMadeThem)
{
    struct Case { int layouts; bool deep; const char* expected; };
    const Case cases[] = {
        {0, false, "Start a new optimization?"},
        {1, false, "Start a new optimization?\n\nThe layout will be discarded."},
        {3, false, "Start a new optimization?\n\nThe 3 layouts will be discarded."},
        {3, true, "Start a new optimization?\n\nThe 3 layouts made by Deep Nesting will be discarded."},
    };
    for (const Case& c : cases) {
        NestingState state;
        state.deepLayouts = c.deep;
        for (int n = 1; n <= c.layouts; ++n) state.items.push_back({"s.shp", 0, 0, 0, 1, 0, n, 1});
        EXPECT_EQ(layoutCount(state), c.layouts);
        EXPECT_EQ(discardingQuestion(kNewRunQuestion, state), c.expected);
    }
}

} // namespace
