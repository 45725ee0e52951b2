#include "ui/canvas_view.h"

#include <QMouseEvent>

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

QPointF CanvasView::toUserUnits(QPointF widgetPos) const
{
    const QRect area = contentsRect();
    const QImage& image = surface_.image();
    const ViewScale scale = surface_.scale();
    const QPointF pixel = widgetPos - area.topLeft();
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
    emit clicked(toUserUnits(event->position()), event->button());
    QFrame::mousePressEvent(event);
}

void CanvasView::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(toUserUnits(event->position()));
    QFrame::mouseMoveEvent(event);
}

} // namespace dravenor
