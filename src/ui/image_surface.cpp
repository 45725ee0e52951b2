#include "ui/image_surface.h"

#include <QFont>
#include <QFontMetricsF>

namespace dravenor {

namespace {

// The small sans-serif font of coordinates, labels and part names.
QFont surfaceFont()
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    return font;
}

// 0xRRGGBB as a fully opaque QRgb.
QRgb opaque(std::uint32_t rgb)
{
    return qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

} // namespace

QColor consoleColour(int colour)
{
    return QColor::fromRgb(static_cast<QRgb>(consoleRgb(colour)));
}

ImageSurface::ImageSurface(QSize size)
{
    resize(size);
}

const QImage& ImageSurface::image() const
{
    painter_.reset();
    return image_;
}

QPainter& ImageSurface::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing);
        painter_->setRenderHint(QPainter::TextAntialiasing);
        painter_->setFont(surfaceFont());
        penRgb_ = qRgb(0, 0, 0);
        painter_->setPen(QPen(QColor(penRgb_), 0));
    }
    return *painter_;
}

void ImageSurface::resize(QSize size)
{
    painter_.reset();
    image_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

bool ImageSurface::setScale(const ViewScale& scale)
{
    if (!(scale.width > 0) || !(scale.height > 0)) return false;
    scale_ = scale;
    return true;
}

double ImageSurface::unitsPerPixelX() const { return scale_.width / image_.width(); }
double ImageSurface::unitsPerPixelY() const { return scale_.height / image_.height(); }

QPointF ImageSurface::toPixels(double x, double y) const
{
    return {(x - scale_.left) / unitsPerPixelX(), (y - scale_.top) / unitsPerPixelY()};
}

void ImageSurface::line(double x1, double y1, double x2, double y2, int colour)
{
    drawLine(x1, y1, x2, y2, opaque(consoleRgb(colour)));
}

void ImageSurface::lineRgb(double x1, double y1, double x2, double y2, std::uint32_t rgb)
{
    drawLine(x1, y1, x2, y2, opaque(rgb));
}

// Lines come in long runs of one colour (a part's chords): the pen changes only between runs.
void ImageSurface::drawLine(double x1, double y1, double x2, double y2, QRgb rgb)
{
    QPainter& p = painter();
    if (rgb != penRgb_) {
        penRgb_ = rgb;
        p.setPen(QPen(QColor(rgb), 0));
    }
    p.drawLine(toPixels(x1, y1), toPixels(x2, y2));
}

void ImageSurface::text(double x, double y, const std::string& text)
{
    QPainter& p = painter();
    if (penRgb_ != qRgb(0, 0, 0)) {
        penRgb_ = qRgb(0, 0, 0);
        p.setPen(QPen(QColor(penRgb_), 0));
    }
    const QFontMetricsF metrics(surfaceFont());
    p.drawText(toPixels(x, y) + QPointF(0, metrics.ascent()), QString::fromStdString(text));
}

double ImageSurface::textWidth(const std::string& text) const
{
    return QFontMetricsF(surfaceFont()).horizontalAdvance(QString::fromStdString(text)) * unitsPerPixelX();
}

double ImageSurface::textHeight(const std::string&) const
{
    return QFontMetricsF(surfaceFont()).height() * unitsPerPixelY();
}

void ImageSurface::clear()
{
    painter_.reset();
    image_.fill(Qt::white);
}

} // namespace dravenor
