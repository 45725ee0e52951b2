#pragma once
// A framed picture area showing an ImageSurface. The owner draws into surface() once and calls
// refresh(); painting only copies the image. The image follows the widget's size: after a resize
// the surface is blank and resized() asks the owner to draw again. Mouse positions are reported
// in the surface's user units; wheel turns and drags with the left button in pixels of the
// picture, for owners that zoom and pan.
#include <QFrame>
#include <QPointF>

#include "ui/image_surface.h"

namespace dravenor {

class CanvasView : public QFrame {
    Q_OBJECT
public:
    explicit CanvasView(QSize imageSize = QSize(220, 220), QWidget* parent = nullptr);

    ImageSurface& surface() { return surface_; }
    const ImageSurface& surface() const { return surface_; }

    // Shows what was drawn and takes over the surface's tooltip.
    void refresh();
    // Clears the drawing and the tooltip.
    void clear();

    // Widget position (inside the frame) to user units of the surface's scale.
    QPointF toUserUnits(QPointF widgetPos) const;

    QSize sizeHint() const override;

    // A square image in the top-left of the area, so that a square view is not stretched.
    void setSquareImage(bool square);
    // The hand pointer that says the picture can be dragged.
    void setDraggable(bool draggable);

    // Widget position (inside the frame) to a pixel of the picture.
    QPointF toPixels(QPointF widgetPos) const;

signals:
    void clicked(QPointF userPos, Qt::MouseButton button);
    void mouseMoved(QPointF userPos);
    void resized();
    // A wheel turn over the picture: the pointer's pixel and the turn in eighths of a degree
    // (120 for one notch; positive away from the user).
    void wheelTurned(QPointF pixel, int angleDelta);
    // The pointer moved by this many pixels with the left button held down.
    void dragged(QPointF pixelDelta);
    void pointerLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QSize imageSizeFor(QSize area) const;

    ImageSurface surface_;
    QSize imageSize_;
    bool squareImage_ = false;
    bool draggable_ = false;
    bool dragging_ = false;
    QPointF lastDragPos_;
};

} // namespace dravenor
