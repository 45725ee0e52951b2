#pragma once
// A DrawingSurface that paints into an image: the preview boxes and the layout view show it,
// and the batch tool saves it as PNG. The user scale maps onto the whole image, y downwards.
#include <QImage>
#include <QPainter>
#include <memory>

#include "geometry/drawing_surface.h"

namespace dravenor {

class ImageSurface : public DrawingSurface {
public:
    explicit ImageSurface(QSize size = QSize(200, 200));

    // Resizes (and clears) the image; the scale is kept.
    void resize(QSize size);
    // The picture drawn so far (ends the current painting batch).
    const QImage& image() const;

    bool setScale(const ViewScale& scale) override;
    ViewScale scale() const override { return scale_; }
    void line(double x1, double y1, double x2, double y2, int colour) override;
    void lineRgb(double x1, double y1, double x2, double y2, std::uint32_t rgb) override;
    void text(double x, double y, const std::string& text) override;
    double textWidth(const std::string& text) const override;
    double textHeight(const std::string& text) const override;
    void clear() override;
    void setToolTip(const std::string& tip) override { toolTip_ = tip; }
    std::string toolTip() const override { return toolTip_; }

private:
    QPointF toPixels(double x, double y) const;
    void drawLine(double x1, double y1, double x2, double y2, QRgb rgb);
    double unitsPerPixelX() const;
    double unitsPerPixelY() const;

    // One painter for a run of drawing calls; image() ends it so the picture is complete.
    QPainter& painter();

    QImage image_;
    mutable std::unique_ptr<QPainter> painter_; // declared after the image it paints on
    QRgb penRgb_ = 0;                           // the painter's pen colour, set only on a change
    ViewScale scale_;
    std::string toolTip_;
};

QColor consoleColour(int colour);

} // namespace dravenor
