// The picture widget: it shows exactly what was drawn on its surface, reports mouse positions in
// the surface's user units and asks for a redraw when its size changes.
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/canvas_view.h"

namespace dravenor {
namespace {

void sendMouse(QWidget& widget, QEvent::Type type, QPointF pos, Qt::MouseButton button)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

class CanvasViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas.setFixedSize(canvas.sizeHint());
        canvas.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
        ASSERT_EQ(canvas.surface().image().size(), QSize(100, 50));
        ASSERT_TRUE(canvas.surface().setScale({10, 20, 200, 100}));
    }

    CanvasView canvas{QSize(100, 50)};
};

TEST_F(CanvasViewTest, MousePositionsAreReportedInUserUnits)
{
    QSignalSpy moved(&canvas, &CanvasView::mouseMoved);
    QSignalSpy clicked(&canvas, &CanvasView::clicked);
    const QPoint origin = canvas.contentsRect().topLeft();
    sendMouse(canvas, QEvent::MouseMove, origin + QPointF(50, 25), Qt::NoButton);
    sendMouse(canvas, QEvent::MouseButtonPress, origin + QPointF(25, 10), Qt::RightButton);

    ASSERT_EQ(moved.size(), 1);
    const QPointF movedTo = moved.at(0).at(0).toPointF();
    EXPECT_DOUBLE_EQ(movedTo.x(), 10 + 50 * 2.0);
    EXPECT_DOUBLE_EQ(movedTo.y(), 20 + 25 * 2.0);
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_DOUBLE_EQ(clicked.at(0).at(0).toPointF().x(), 60);
    EXPECT_DOUBLE_EQ(clicked.at(0).at(0).toPointF().y(), 40);
    EXPECT_EQ(clicked.at(0).at(1).value<Qt::MouseButton>(), Qt::RightButton);
}

TEST_F(CanvasViewTest, TheWidgetShowsTheDrawnImage)
{
    // A horizontal red line through the middle of pixel row 25.
    canvas.surface().line(10, 71, 210, 71, Red);
    canvas.refresh();
    const QImage shown = canvas.grab().toImage();
    const QPoint middle = canvas.contentsRect().topLeft() + QPoint(50, 25);
    EXPECT_EQ(QColor(shown.pixel(middle)).red(), 255);
    EXPECT_LT(QColor(shown.pixel(middle)).green(), 100);
    EXPECT_EQ(QColor(shown.pixel(middle + QPoint(0, 15))), QColor(Qt::white));

    canvas.clear();
    EXPECT_EQ(QColor(canvas.grab().toImage().pixel(middle)), QColor(Qt::white));
}

TEST_F(CanvasViewTest, TheTooltipIsTheSurfacesTooltip)
{
    canvas.surface().setToolTip("Xmax=200 Ymax=100");
    canvas.refresh();
    EXPECT_EQ(canvas.toolTip(), "Xmax=200 Ymax=100");
    canvas.clear();
    EXPECT_TRUE(canvas.toolTip().isEmpty());
}

TEST_F(CanvasViewTest, AResizeGivesANewBlankImageAndAsksForARedraw)
{
    QSignalSpy resized(&canvas, &CanvasView::resized);
    canvas.surface().line(10, 70, 210, 70, Black);
    canvas.setFixedSize(canvas.sizeHint() + QSize(40, 30));
    QApplication::processEvents();
    EXPECT_EQ(resized.size(), 1);
    EXPECT_EQ(canvas.surface().image().size(), QSize(140, 80));
    EXPECT_EQ(QColor(canvas.surface().image().pixel(70, 40)), QColor(Qt::white));
    // The scale stays, so the owner redraws in the same user units.
    EXPECT_DOUBLE_EQ(canvas.surface().scale().width, 200);
}

} // namespace
} // namespace dravenor
