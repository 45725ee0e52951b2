// Where the layout view looks: the sheet fitted to the whole drawing area, the wheel's zoom
// about the pointer, drags and the scroll bars, all in drawn units.
#include <gtest/gtest.h>

#include "layouts/layout_viewport.h"

namespace dravenor {
namespace {

constexpr double kMargin = 20;
const ViewScale kSheet{0, 0, 3000, 1500}; // a 3000 x 1500 sheet as drawn

LayoutViewport viewportOf(double pixelWidth, double pixelHeight)
{
    LayoutViewport viewport;
    viewport.setArea(pixelWidth, pixelHeight);
    viewport.setMarginPixels(kMargin);
    viewport.setSheet(kSheet);
    return viewport;
}

// Pixels the sheet spans on the area, across and down.
std::pair<double, double> sheetPixels(const LayoutViewport& v)
{
    return {kSheet.width / v.unitsPerPixel(), kSheet.height / v.unitsPerPixel()};
}

TEST(LayoutViewport, TheSheetFillsTheWholeAreaLessTheMarginCentredWhateverItsShape)
{
    struct Case {
        double width, height;
        bool widthLimits; // the sheet touches the side margins, else the top and bottom ones
    };
    for (const Case c : {Case{800, 600, true}, Case{1200, 500, false}, Case{400, 900, true}, Case{560, 300, true}}) {
        const LayoutViewport v = viewportOf(c.width, c.height);
        const auto [across, down] = sheetPixels(v);
        if (c.widthLimits) {
            EXPECT_NEAR(across, c.width - 2 * kMargin, 1e-9) << c.width << "x" << c.height;
            EXPECT_LE(down, c.height - 2 * kMargin + 1e-9);
        } else {
            EXPECT_NEAR(down, c.height - 2 * kMargin, 1e-9) << c.width << "x" << c.height;
            EXPECT_LE(across, c.width - 2 * kMargin + 1e-9);
        }
        // Square units in the area's proportions, the sheet in the middle.
        const ViewScale view = v.view();
        EXPECT_NEAR(view.width / view.height, c.width / c.height, 1e-12);
        EXPECT_NEAR(view.left + view.width / 2, 1500, 1e-9);
        EXPECT_NEAR(view.top + view.height / 2, 750, 1e-9);
        EXPECT_DOUBLE_EQ(v.zoom(), 1);
        EXPECT_FALSE(v.zoomedIn());
        EXPECT_EQ(v.scrollPosition(3000, -1500).h, 0);
        EXPECT_EQ(v.scrollPosition(3000, -1500).v, 0);
    }
    // A square view would have used only 600 x 600 of the 800 x 600 area.
    EXPECT_GT(sheetPixels(viewportOf(800, 600)).first, 600);
}

TEST(LayoutViewport, TheWheelZoomsAboutThePointUnderThePointer)
{
    struct Case {
        double px, py, zoom;
    };
    for (const Case c : {Case{400, 300, 2}, Case{30, 570, 4.5}, Case{799, 1, 9}, Case{123, 456, 150}}) {
        LayoutViewport v = viewportOf(800, 600);
        double x = 0, y = 0, after_x = 0, after_y = 0;
        v.pixelToDrawn(c.px, c.py, x, y);
        v.zoomAbout(x, y, c.zoom);
        EXPECT_NEAR(v.zoom(), c.zoom, 1e-9);
        v.pixelToDrawn(c.px, c.py, after_x, after_y);
        EXPECT_NEAR(after_x, x, 1e-9) << c.px << "," << c.py;
        EXPECT_NEAR(after_y, y, 1e-9) << c.px << "," << c.py;
        // Zooming on from there keeps the same point too.
        v.zoomAbout(x, y, c.zoom * 1.25);
        v.pixelToDrawn(c.px, c.py, after_x, after_y);
        EXPECT_NEAR(after_x, x, 1e-9);
        EXPECT_NEAR(after_y, y, 1e-9);
    }
    // Zoom stays between the whole sheet and the most, and out again the view stays inside.
    LayoutViewport v = viewportOf(800, 600);
    v.zoomAbout(2900, 100, 1e6);
    EXPECT_NEAR(v.zoom(), LayoutViewport::kMostZoom, 1e-9);
    v.zoomAbout(2900, 100, 0.1);
    EXPECT_DOUBLE_EQ(v.zoom(), 1);
    EXPECT_NEAR(v.view().left, v.fitted().left, 1e-9);
    EXPECT_NEAR(v.view().top, v.fitted().top, 1e-9);
}

TEST(LayoutViewport, ADragMovesThePictureWithThePointerAndStopsAtTheSheetsMargin)
{
    LayoutViewport v = viewportOf(800, 600);
    v.zoomAboutMiddle(4);
    double x = 0, y = 0, moved_x = 0, moved_y = 0;
    v.pixelToDrawn(300, 200, x, y);
    v.panByPixels(35, -20);
    v.pixelToDrawn(335, 180, moved_x, moved_y);
    EXPECT_NEAR(moved_x, x, 1e-9);
    EXPECT_NEAR(moved_y, y, 1e-9);
    EXPECT_NEAR(v.zoom(), 4, 1e-12);

    // Dragged far to the right and down, the view ends at the fitted window's top-left corner.
    v.panByPixels(1e5, 1e5);
    EXPECT_NEAR(v.view().left, v.fitted().left, 1e-9);
    EXPECT_NEAR(v.view().top, v.fitted().top, 1e-9);
    EXPECT_EQ(v.scrollPosition(3000, -1500).h, 0);
    EXPECT_EQ(v.scrollPosition(3000, -1500).v, -1500);
}

TEST(LayoutViewport, ScrollBarsFollowTheViewAndMoveIt)
{
    LayoutViewport v = viewportOf(900, 500);
    v.zoomFromLowerLeft(3);
    // The sheet's lower-left corner is in view, a margin inside the area's corner.
    double x = 0, y = 0;
    v.pixelToDrawn(kMargin, 500 - kMargin, x, y);
    EXPECT_NEAR(x, 0, 1e-9);
    EXPECT_NEAR(y, 1500, 1e-9);

    for (const ScrollPosition p : {ScrollPosition{0, -1500}, ScrollPosition{3000, 0}, ScrollPosition{1234, -321}}) {
        v.scrollTo(p, 3000, -1500);
        const ScrollPosition back = v.scrollPosition(3000, -1500);
        EXPECT_EQ(back.h, p.h);
        EXPECT_EQ(back.v, p.v);
        EXPECT_NEAR(v.zoom(), 3, 1e-12);
    }
    // A larger area keeps the zoom and the middle of the view.
    const ViewScale before = v.view();
    v.setArea(1200, 700);
    EXPECT_NEAR(v.zoom(), 3, 1e-12);
    EXPECT_NEAR(v.view().left + v.view().width / 2, before.left + before.width / 2, 1e-6);

    v.scrollTo({3000, 0}, 3000, -1500); // the right and bottom edges of the fitted window
    EXPECT_NEAR(v.view().left + v.view().width, v.fitted().left + v.fitted().width, 1e-9);
    EXPECT_NEAR(v.view().top + v.view().height, v.fitted().top + v.fitted().height, 1e-9);
}

} // namespace
} // namespace dravenor
