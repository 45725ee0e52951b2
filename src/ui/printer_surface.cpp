#include "ui/printer_surface.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>

namespace dravenor {

namespace {

constexpr double kMillimetresPerInch = 25.4;

QColor colourOf(std::uint32_t rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb | 0xFF000000u));
}

} // namespace

QFont printFont(PrintFont font)
{
    if (font == PrintFont::Fixed) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSizeF(kFixedPrintPointSize);
        return fixed;
    }
    QFont small(QStringLiteral("Sans Serif"));
    small.setStyleHint(QFont::SansSerif);
    small.setPointSizeF(kSmallPrintPointSize);
    return small;
}

PrinterSurface::PrinterSurface(QPagedPaintDevice& device) : device_(device), font_(printFont(PrintFont::Small))
{
    const QRectF printable = device.pageLayout().paintRect(QPageLayout::Millimeter);
    paper_ = {printable.width(), printable.height()};
    area_ = QRectF(0, 0, paper_.width, paper_.height);
    pixelsPerMillimetre_ = device.logicalDpiX() / kMillimetresPerInch;
    scale_ = {0, 0, paper_.width, paper_.height};
}

PrinterSurface::~PrinterSurface()
{
    finish();
}

bool PrinterSurface::finish()
{
    if (!painter_) return true;
    const bool ended = painter_->end();
    painter_.reset();
    return ended;
}

void PrinterSurface::startPage()
{
    if (painter_) {
        device_.newPage();
        return;
    }
    painter_ = std::make_unique<QPainter>(&device_);
    painter_->setRenderHint(QPainter::Antialiasing);
    painter_->setFont(font_);
}

void PrinterSurface::setFont(PrintFont font)
{
    font_ = printFont(font);
    if (painter_) painter_->setFont(font_);
}

void PrinterSurface::setPenWidth(int lineWidth)
{
    penPixels_ = std::max(lineWidth, 1) * kPenMillimetresPerWidth * pixelsPerMillimetre_;
}

bool PrinterSurface::setScale(const ViewScale& scale)
{
    if (!(scale.width > 0) || !(scale.height > 0)) return false;
    scale_ = scale;
    return true;
}

double PrinterSurface::devicePixelsPerUnitX() const
{
    return area_.width() / scale_.width * pixelsPerMillimetre_;
}

double PrinterSurface::devicePixelsPerUnitY() const
{
    return area_.height() / scale_.height * pixelsPerMillimetre_;
}

// The painter's origin is the top-left corner of the printable area.
QPointF PrinterSurface::toDevice(double x, double y) const
{
    return {area_.left() * pixelsPerMillimetre_ + (x - scale_.left) * devicePixelsPerUnitX(),
            area_.top() * pixelsPerMillimetre_ + (y - scale_.top) * devicePixelsPerUnitY()};
}

void PrinterSurface::line(double x1, double y1, double x2, double y2, int colour)
{
    drawLine(x1, y1, x2, y2, consoleRgb(colour));
}

void PrinterSurface::lineRgb(double x1, double y1, double x2, double y2, std::uint32_t rgb)
{
    drawLine(x1, y1, x2, y2, rgb);
}

void PrinterSurface::drawLine(double x1, double y1, double x2, double y2, std::uint32_t rgb)
{
    if (!painter_) return;
    const QPen pen(colourOf(rgb), penPixels_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (painter_->pen() != pen) painter_->setPen(pen);
    painter_->drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void PrinterSurface::text(double x, double y, const std::string& text)
{
    if (!painter_) return;
    painter_->setPen(QPen(Qt::black));
    const QFontMetricsF metrics(font_, &device_);
    painter_->drawText(toDevice(x, y) + QPointF(0, metrics.ascent()), QString::fromStdString(text));
}

double PrinterSurface::textWidth(const std::string& text) const
{
    return QFontMetricsF(font_, &device_).horizontalAdvance(QString::fromStdString(text)) / devicePixelsPerUnitX();
}

double PrinterSurface::textHeight(const std::string&) const
{
    return QFontMetricsF(font_, &device_).height() / devicePixelsPerUnitY();
}

} // namespace dravenor
