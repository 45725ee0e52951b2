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

class CanvasViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas.setFixedSize(canvas.sizeHint());
        canvas.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
        ASSERT_TRUE(canvas.surface().setScale({10, 20, 200, 100})); // two units a pixel
    }
    QPoint inside(int x, int y) const { return canvas.contentsRect().topLeft() + QPoint(x, y); }

    CanvasView canvas{QSize(100, 50)};
};

TEST_F(CanvasViewTest, MousePositionsAreReportedInUserUnits)
{
    QSignalSpy moved(&canvas, &CanvasView::mouseMoved);
    QSignalSpy clicked(&canvas, &CanvasView::clicked);
    QMouseEvent move(QEvent::MouseMove, inside(50, 25), canvas.mapToGlobal(inside(50, 25)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&canvas, &move);
    QTest::mouseClick(&canvas, Qt::RightButton, {}, inside(25, 10));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.at(0).at(0).toPointF(), QPointF(110, 70));
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toPointF(), QPointF(60, 40));
    EXPECT_EQ(clicked.at(0).at(1).value<Qt::MouseButton>(), Qt::RightButton);
}

TEST_F(CanvasViewTest, ShowsTheDrawnImageUntilCleared)
{
    canvas.surface().line(10, 71, 210, 71, Red); // through the middle of pixel row 25
    canvas.refresh();
    const QImage shown = canvas.grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(inside(50, 25))).red(), 255);
    EXPECT_LT(QColor(shown.pixel(inside(50, 25))).green(), 100);
    EXPECT_EQ(QColor(shown.pixel(inside(50, 40))), QColor(Qt::white));
    canvas.clear();
    EXPECT_EQ(QColor(canvas.grab().toImage().pixel(inside(50, 25))), QColor(Qt::white));
}

TEST_F(CanvasViewTest, AResizeGivesANewBlankImageInTheSameUnitsAndAsksForARedraw)
{
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
