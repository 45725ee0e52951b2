#include "ui/canvas_view.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <QPainter>

namespace dravenor {

CanvasView::CanvasView(QSize imageSize, QWidget* parent)
    : QFrame(parent), surface_(imageSize), imageSize_(imageSize)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize CanvasView::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return imageSize_ + QSize(frame, frame);
}

void CanvasView::refresh()
{
    setToolTip(QString::fromStdString(surface_.toolTip()));
    update();
}

void CanvasView::clear()
{
    surface_.clear();
    surface_.setToolTip({});
    refresh();
}

QPointF CanvasView::toPixels(QPointF widgetPos) const
{
    return widgetPos - contentsRect().topLeft();
}

QPointF CanvasView::toUserUnits(QPointF widgetPos) const
{
    const QImage& image = surface_.image();
    const ViewScale scale = surface_.scale();
    const QPointF pixel = toPixels(widgetPos);
    return {scale.left + pixel.x() * scale.width / image.width(),
            scale.top + pixel.y() * scale.height / image.height()};
}

QSize CanvasView::imageSizeFor(QSize area) const
{
    if (!squareImage_) return area;
    const int side = std::min(area.width(), area.height());
    return {side, side};
}

void CanvasView::setSquareImage(bool square)
{
    squareImage_ = square;
    surface_.resize(imageSizeFor(contentsRect().size()));
}

void CanvasView::setDraggable(bool draggable)
{
    draggable_ = draggable;
    if (!dragging_) setCursor(draggable ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void CanvasView::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawImage(contentsRect().topLeft(), surface_.image());
    }
    QFrame::paintEvent(event);
}

void CanvasView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    const QSize wanted = imageSizeFor(contentsRect().size());
    if (wanted == surface_.image().size()) return;
    surface_.resize(wanted);
    emit resized();
}

void CanvasView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        lastDragPos_ = event->position();
        if (draggable_) setCursor(Qt::ClosedHandCursor);
    }
    emit clicked(toUserUnits(event->position()), event->button());
    QFrame::mousePressEvent(event);
}

void CanvasView::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        const QPointF delta = event->position() - lastDragPos_;
        lastDragPos_ = event->position();
        if (!delta.isNull()) emit dragged(delta);
    }
    emit mouseMoved(toUserUnits(event->position()));
    QFrame::mouseMoveEvent(event);
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        setDraggable(draggable_);
    }
    QFrame::mouseReleaseEvent(event);
}

void CanvasView::wheelEvent(QWheelEvent* event)
{
    // Pictures nobody zooms leave the wheel to the window around them.
    const int turn = event->angleDelta().y();
    if (turn == 0 || !isSignalConnected(QMetaMethod::fromSignal(&CanvasView::wheelTurned))) {
        QFrame::wheelEvent(event);
        return;
    }
    emit wheelTurned(toPixels(event->position()), turn);
    event->accept();
}

void CanvasView::leaveEvent(QEvent* event)
{
    emit pointerLeft();
    QFrame::leaveEvent(event);
}

} // namespace dravenor
