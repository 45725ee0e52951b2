#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "layouts/layout_hover.h"
#include "layouts/layout_view.h"
#include "nested_job.h"
#include "support/recording_surface.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// One layout on a sheet file of the given size, with rectangles given as (x, y, w, h) placed as
// part 1, 2, ... in turn; the item list matches the entities.
class HandMadeLayout {
public:
    HandMadeLayout(double sheetWidth, double sheetHeight)
    {
        SheetEntry sheet;
        sheet.FileName = dir.file("sheet.shp");
        EXPECT_EQ(saveShapeFile(rectangle(0, 0, sheetWidth, sheetHeight), sheet.FileName), "");
        state.sheets.push_back(sheet);
        sheetOutline = rectangle(0, 0, sheetWidth, sheetHeight);
    }

    HandMadeLayout& part(const std::string& name, const Shape& placed, std::int32_t partIndex)
    {
        const Extents box = shapeExtents(placed);
        parts.push_back({name, placed, partIndex, box});
        return *this;
    }
    HandMadeLayout& rectanglePart(const std::string& name, double x, double y, double w, double h,
                                  std::int32_t partIndex)
    {
        return part(name, rectangle(x, y, w, h), partIndex);
    }

    // Writes the entity and item lists for layout 1.
    NestingState& build()
    {
        state.entities.clear();
        state.items.clear();
        std::int32_t instance = 0;
        for (const Placed& p : parts) {
            append(p.shape, p.partIndex, ++instance);
            LayoutItem row;
            row.Name = "/jobs/parts/" + p.name;
            row.X = p.box.xmin;
            row.Y = p.box.ymin;
            row.SheetIndex = 1;
            row.PartIndex = p.partIndex;
            row.LayoutNo = 1;
            row.Qty = 1;
            state.items.push_back(row);
        }
        append(sheetOutline, 0, 0);
        LayoutItem sheetRow;
        sheetRow.Name = state.sheets[0].FileName;
        sheetRow.SheetIndex = 1;
        sheetRow.LayoutNo = 1;
        sheetRow.Qty = 1;
        state.items.push_back(sheetRow);
        return state;
    }

    TempFolder dir;
    NestingState state;

private:
    struct Placed {
        std::string name;
        Shape shape;
        std::int32_t partIndex;
        Extents box;
    };
    void append(const Shape& shape, std::int32_t partIndex, std::int32_t instance)
    {
        for (const ShapeEntity& s : shape) {
            LayoutEntity e;
            e.X1 = s.X1, e.Y1 = s.Y1, e.X2 = s.X2, e.Y2 = s.Y2, e.CX = s.CX, e.CY = s.CY, e.RAD = s.RAD;
            e.Nstart = s.Nstart, e.Nend = s.Nend;
            e.SheetIndex = 1;
            e.PartIndex = partIndex;
            e.LayoutNo = 1;
            e.Instance = instance;
            e.Qty = 1;
            state.entities.push_back(e);
        }
    }
    std::vector<Placed> parts;
    Shape sheetOutline;
};

LayoutViewOptions withoutGrid()
{
    LayoutViewOptions options;
    options.gridText = "No";
    return options;
}

// Lines drawn in RGB, i.e. the layout itself rather than the grid.
std::vector<RecordedLine> layoutLines(const RecordingSurface& surface)
{
    std::vector<RecordedLine> lines;
    for (const RecordedLine& l : surface.lines)
        if (l.colour == -1) lines.push_back(l);
    return lines;
}

} // namespace

TEST(LayoutViewFit, SheetBottomLeftWithAFourLetterMarginZoomAndScrollBars)
{
    HandMadeLayout layout(2000, 1000);
    RecordingSurface surface;
    const LayoutViewFrame frame = drawLayoutFitted(layout.build(), 1, surface, withoutGrid());
    ASSERT_TRUE(frame.drawn);
    EXPECT_DOUBLE_EQ(frame.sheetWidth, 2000);
    EXPECT_DOUBLE_EQ(frame.sheetHeight, 1000);
    EXPECT_DOUBLE_EQ(frame.mirror, 1000);

    // The recording surface's "AAAA" is 4 % of the view width at the time it is measured.
    const double side = 2020;
    const double left = 0.04 * side;
    const double width = side + left;
    const ViewScale view = surface.scale();
    EXPECT_DOUBLE_EQ(view.left, -left);
    EXPECT_DOUBLE_EQ(view.width, width);
    EXPECT_DOUBLE_EQ(view.height, width);
    EXPECT_DOUBLE_EQ(view.top, 1000 - width + 0.04 * width);

    EXPECT_EQ(frame.hMaximum, 2000);
    EXPECT_EQ(frame.hSmallStep, 200);
    EXPECT_EQ(frame.hLargeStep, 1000);
    EXPECT_EQ(frame.vMinimum, -1000);
    EXPECT_EQ(frame.vSmallStep, 100);
    EXPECT_EQ(frame.vLargeStep, 500);

    // Zoom 4 shows a quarter of the view.
    LayoutViewOptions zoomed = withoutGrid();
    zoomed.zoom = 4;
    RecordingSurface zoomedSurface;
    drawLayoutFitted(layout.state, 1, zoomedSurface, zoomed);
    EXPECT_DOUBLE_EQ(zoomedSurface.scale().width, 505 * 1.04);
    EXPECT_DOUBLE_EQ(zoomedSurface.scale().height, 505 * 1.04);

    HandMadeLayout huge(40000, 5);
    const LayoutViewFrame limited = drawLayoutFitted(huge.build(), 1, surface, withoutGrid());
    EXPECT_EQ(limited.hMaximum, 32767);
    EXPECT_EQ(limited.vMinimum, -5);
    EXPECT_EQ(limited.vSmallStep, 1); // 0.5 is raised to one step
    EXPECT_EQ(limited.vLargeStep, 2); // 2.5 rounds to the even neighbour
}

TEST(LayoutViewFit, AnAbsentLayoutDrawsNothing)
{
    HandMadeLayout layout(100, 100);
    RecordingSurface surface;
    surface.line(0, 0, 1, 1, Red);
    const LayoutViewFrame frame = drawLayoutFitted(layout.build(), 2, surface, withoutGrid());
    EXPECT_FALSE(frame.drawn);
    EXPECT_TRUE(surface.lines.empty());
}

TEST(LayoutViewDrawing, SheetInBlackAndEveryPartInItsOwnColourOnce)
{
    HandMadeLayout layout(1000, 500);
    layout.rectanglePart("a.shp", 10, 10, 100, 50, 1).rectanglePart("a.shp", 200, 10, 100, 50, 1);
    layout.rectanglePart("b.shp", 10, 300, 80, 80, 2);
    RecordingSurface surface;
    drawLayoutFitted(layout.build(), 1, surface, withoutGrid());

    EXPECT_EQ(surface.countRgbLines(0x000000), 4);
    EXPECT_EQ(surface.countRgbLines(layoutPartColour(1)), 8);
    EXPECT_EQ(surface.countRgbLines(layoutPartColour(2)), 4);
    EXPECT_EQ(layoutLines(surface).size(), 16u);
    // y is mirrored: the part at y 300..380 appears at 500 - 380 .. 500 - 300.
    int mirrored = 0;
    for (const RecordedLine& l : surface.lines)
        if (l.rgb == layoutPartColour(2) && l.y1 == 200 && l.y2 == 200) ++mirrored;
    EXPECT_EQ(mirrored, 1);
}

TEST(LayoutViewDrawing, AnArcEndingAt360IsDrawnEndingAtNoughtDegrees)
{
    HandMadeLayout layout(200, 200);
    layout.part("arc.shp", {arcEntity(100, 100, 50, 90, 360)}, 3);
    RecordingSurface surface;
    drawLayoutFitted(layout.build(), 1, surface, withoutGrid());
    std::vector<RecordedLine> arc;
    for (const RecordedLine& l : surface.lines)
        if (l.rgb == layoutPartColour(3)) arc.push_back(l);
    ASSERT_FALSE(arc.empty());
    EXPECT_NEAR(arc.front().x1, 100, 1e-9);
    EXPECT_NEAR(arc.front().y1, 200 - 150, 1e-9);
    EXPECT_NEAR(arc.back().x2, 150, 1e-9);
    EXPECT_NEAR(arc.back().y2, 200 - 100, 1e-9);
    // Three quarters in chords of 2 degrees, as the segment form of the arc.
    EXPECT_EQ(arc.size(), shapeToSegments({arcEntity(100, 100, 50, 90, 0)}).size());
    EXPECT_GE(arc.size(), 135u);
}

TEST(LayoutViewDrawing, TheAutoGridIsATenthOfTheSheetInLightGrey)
{
    HandMadeLayout layout(2000, 1000);
    RecordingSurface surface;
    drawLayoutFitted(layout.build(), 1, surface, LayoutViewOptions{});
    std::set<double> columns;
    for (const RecordedLine& l : surface.lines)
        if (l.colour == LightGrey && l.x1 == l.x2) columns.insert(l.x1);
    EXPECT_TRUE(columns.count(0) && columns.count(200) && columns.count(2000));
    EXPECT_FALSE(columns.count(100));
    EXPECT_TRUE(surface.texts.empty()); // the main window's grid has no labels
}

TEST(LayoutViewLabels, NamesAreCentredOnThePartBox)
{
    HandMadeLayout layout(1000, 500);
    layout.rectanglePart("plate.shp", 100, 100, 200, 100, 1);
    RecordingSurface surface;
    LayoutViewOptions options = withoutGrid();
    options.showNames = true;
    drawLayoutFitted(layout.build(), 1, surface, options);
    const auto name = surface.findText("plate.shp");
    ASSERT_TRUE(name);
    EXPECT_NEAR(name->x + surface.textWidth("plate.shp") / 2, 200, 1e-9);
    EXPECT_NEAR(name->y + surface.textHeight("plate.shp") / 2, 500 - 150, 1e-9);
    EXPECT_EQ(surface.texts.size(), 1u);
}

TEST(LayoutViewLabels, APositionBelowTheWindowIsLiftedByTwoTextHeights)
{
    HandMadeLayout layout(1000, 1000);
    layout.rectanglePart("low.shp", 100, 0, 100, 100, 1).rectanglePart("high.shp", 400, 600, 100, 100, 2);
    RecordingSurface surface;
    LayoutViewOptions options = withoutGrid();
    options.showPositions = true;
    // A view whose bottom edge lies just below the sheet's lower edge (drawn at y 1000).
    const double side = 1010;
    drawLayoutInView(layout.build(), 1, surface, options, {-5, 1000 + 0.01 * side - side, side, side});
    const double textHeight = 0.02 * side;

    const auto low = surface.findText("100,0");
    ASSERT_TRUE(low);
    EXPECT_DOUBLE_EQ(low->x, 100);
    EXPECT_NEAR(low->y, 1000 - 2 * textHeight, 1e-9);
    const auto high = surface.findText("400,600");
    ASSERT_TRUE(high);
    EXPECT_NEAR(high->y, 400, 1e-9);
}

TEST(LayoutViewPointer, FindsThePartUnderThePointerOnItsOutline)
{
    HandMadeLayout layout(1000, 1000);
    layout.part("washer.shp", washer(300, 300, 400, 200), 1)      // a hole of radius 100
        .rectanglePart("insert.shp", 280, 280, 40, 40, 2)         // in the washer's hole
        .rectanglePart("strip.shp", 600, 100, 300, 0.5, 3);       // thinner than the pointer
    const NestingState& state = layout.build();
    const LayoutPartFinder finder(state, 1);
    struct Case {
        double x, y;
        int row; // item row, -1 for none
    };
    for (const Case c : {Case{300, 300, 1}, Case{300, 130, 0}, Case{360, 300, -1}, Case{750, 102, 2},
                         Case{750, 96, -1}, Case{20, 20, -1}})
        EXPECT_EQ(finder.partAt(c.x, c.y, 3), c.row) << c.x << "," << c.y;
    EXPECT_EQ(LayoutPartFinder(state, 2).partAt(300, 300, 3), -1);

    LayoutItem item = state.items[1];
    EXPECT_EQ(hoveredPartText(item), "insert.shp at X=280.00, Y=280.00");
    item.Angle = 90;
    EXPECT_EQ(hoveredPartText(item), "insert.shp at X=280.00, Y=280.00, turned 90");
}

TEST(LayoutViewPointer, ReadsSheetCoordinatesThroughTheMirror)
{
    EXPECT_EQ(layoutPointerText(0, 1000, 1000), kIdlePointerText);
    EXPECT_EQ(layoutPointerText(12.5, 900, 1000), "X=00012.50,  Y=00100.00");
    EXPECT_EQ(layoutPointerText(1234.567, 0, 2000), "X=01234.57,  Y=02000.00");
}

TEST(LayoutPartColours, ThirtyFiveColoursInRotationAndABlackSheet)
{
    EXPECT_EQ(layoutPartColour(0), 0x000000u);
    EXPECT_EQ(layoutPartColour(1), 0x00007Fu);
    EXPECT_EQ(layoutPartColour(2), 0x007F00u);
    EXPECT_EQ(layoutPartColour(6), 0x7F7F00u);
    EXPECT_EQ(layoutPartColour(7), 0x00008Fu);
    EXPECT_EQ(layoutPartColour(35), 0xCF00CFu);
    EXPECT_EQ(layoutPartColour(36), layoutPartColour(1));
    std::set<std::uint32_t> distinct;
    for (int p = 1; p <= 35; ++p) distinct.insert(layoutPartColour(p));
    EXPECT_EQ(distinct.size(), 35u);
    EXPECT_FALSE(distinct.count(0));
}

TEST(SheetSize, TheCacheRereadsAChangedSheetFileAndAMissingOneFallsBackToTheOutline)
{
    HandMadeLayout layout(600, 300);
    NestingState& state = layout.build();
    SheetExtentsCache cache;
    RecordingSurface surface;
    for (int i = 0; i < 3; ++i) drawLayoutFitted(state, 1, surface, withoutGrid(), &cache);
    EXPECT_EQ(cache.filesRead(), 1);

    ASSERT_EQ(saveShapeFile(rectangle(0, 0, 1200.5, 300), state.sheets[0].FileName), "");
    const LayoutViewFrame changed = drawLayoutFitted(state, 1, surface, withoutGrid(), &cache);
    EXPECT_EQ(cache.filesRead(), 2);
    EXPECT_DOUBLE_EQ(changed.sheetWidth, 1200.5);

    state.sheets[0].FileName = layout.dir.file("gone.shp");
    const LayoutViewFrame missing = drawLayoutFitted(state, 1, surface, withoutGrid());
    EXPECT_TRUE(missing.drawn);
    EXPECT_DOUBLE_EQ(missing.sheetWidth, 600);
    EXPECT_DOUBLE_EQ(missing.mirror, 300);
}

// Over a real nested job: every entity of the layout is drawn exactly once, in its part's colour,
// inside the sheet, and the names sit inside their parts.
TEST(LayoutViewNestedJob, EveryLayoutIsDrawnCompletelyInsideItsSheet)
{
    NestedJob job;
    const NestingState& state = job.state();
    ASSERT_GE(state.entities.back().LayoutNo, 2);
    for (std::int32_t layoutNo = 1; layoutNo <= state.entities.back().LayoutNo; ++layoutNo) {
        RecordingSurface surface;
        LayoutViewOptions options = withoutGrid();
        options.showNames = true;
        const LayoutViewFrame frame = drawLayoutFitted(state, layoutNo, surface, options);
        ASSERT_TRUE(frame.drawn);

        std::map<std::uint32_t, size_t> expected;
        size_t names = 0;
        for (const LayoutEntity& e : state.entities) {
            if (e.LayoutNo != layoutNo) continue;
            SegmentList chords;
            appendEntitySegments({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend}, chords);
            expected[layoutPartColour(e.PartIndex)] += chords.size();
        }
        for (const LayoutItem& item : state.items) names += item.LayoutNo == layoutNo && item.PartIndex != 0;
        for (const auto& [rgb, count] : expected) EXPECT_EQ(surface.countRgbLines(rgb), static_cast<int>(count));
        EXPECT_EQ(surface.texts.size(), names);

        const double tolerance = 1e-6;
        for (const RecordedLine& l : layoutLines(surface))
            for (auto [x, y] : {std::pair{l.x1, l.y1}, {l.x2, l.y2}}) {
                EXPECT_GE(x, -tolerance);
                EXPECT_LE(x, frame.sheetWidth + tolerance);
                EXPECT_GE(y, frame.mirror - frame.sheetHeight - tolerance);
                EXPECT_LE(y, frame.mirror + tolerance);
            }
    }
}
