// The picture widget shows what was drawn on its surface, reports mouse positions in the
// surface's user units and asks for a redraw when its size changes.
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/canvas_view.h"

namespace dravenor {
namespace {

TEST(CanvasView, ShowsWhatWasDrawnReportsUserUnitsAndAsksForARedrawAfterAResize)
{
    CanvasView canvas{QSize(100, 50)};
    canvas.setFixedSize(canvas.sizeHint());
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    ASSERT_TRUE(canvas.surface().setScale({10, 20, 200, 100})); // two units a pixel
    const auto inside = [&](int x, int y) { return canvas.contentsRect().topLeft() + QPoint(x, y); };
    const auto shown = [&](int x, int y) { return QColor(canvas.grab().toImage().pixel(inside(x, y))); };

    QSignalSpy moved(&canvas, &CanvasView::mouseMoved), clicked(&canvas, &CanvasView::clicked);
    QMouseEvent move(QEvent::MouseMove, inside(50, 25), canvas.mapToGlobal(inside(50, 25)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&canvas, &move);
    QTest::mouseClick(&canvas, Qt::RightButton, {}, inside(25, 10));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.at(0).at(0).toPointF(), QPointF(110, 70));
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toPointF(), QPointF(60, 40));
    EXPECT_EQ(clicked.at(0).at(1).value<Qt::MouseButton>(), Qt::RightButton);

    canvas.surface().line(10, 71, 210, 71, Red); // through the middle of pixel row 25
    canvas.refresh();
    EXPECT_EQ(shown(50, 25).red(), 255);
    EXPECT_LT(shown(50, 25).green(), 100);
    EXPECT_EQ(shown(50, 40), QColor(Qt::white));
    canvas.clear();
    EXPECT_EQ(shown(50, 25), QColor(Qt::white));

    // A resize gives a new blank image in the same user units.
    QSignalSpy resized(&canvas, &CanvasView::resized);
    canvas.surface().line(10, 70, 210, 70, Black);
    canvas.setFixedSize(canvas.sizeHint() + QSize(40, 30));
    QApplication::processEvents();
    EXPECT_EQ(resized.size(), 1);
    EXPECT_EQ(canvas.surface().image().size(), QSize(140, 80));
    EXPECT_EQ(QColor(canvas.surface().image().pixel(70, 40)), QColor(Qt::white));
    EXPECT_DOUBLE_EQ(canvas.surface().scale().width, 200);
}

} // namespace
} // namespace dravenor
