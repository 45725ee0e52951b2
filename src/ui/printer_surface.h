#pragma once
// Drawing on paper: a PrintSurface over a QPainter on a printer or PDF writer, with user units
// mapped onto the printable area (or a part of it) in millimetres, so that the scale on paper is
// exact whatever the margins.
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>
#include <memory>

#include "layouts/layout_print.h"

namespace dravenor {

// Millimetres of pen per step of print.cfg's line width (1 the thinnest).
inline constexpr double kPenMillimetresPerWidth = 0.1;

class PrinterSurface : public PrintSurface {
public:
    explicit PrinterSurface(QPagedPaintDevice& device);
    ~PrinterSurface() override;

    // The printable area of the device's page, in millimetres.
    PaperArea paper() const { return paper_; }
    // The part of the printable area the user scale maps onto, in millimetres from its top-left
    // corner; the whole area unless set.
    void setDrawingArea(const QRectF& millimetres) { area_ = millimetres; }
    // Whether any page was started (and so something goes to the device).
    bool printed() const { return painter_ != nullptr; }
    // Ends the document; a surface on which nothing was started leaves the device untouched.
    bool finish();

    void startPage() override;
    void setFont(PrintFont font) override;
    void setPenWidth(int lineWidth) override;

    bool setScale(const ViewScale& scale) override;
    ViewScale scale() const override { return scale_; }
    void line(double x1, double y1, double x2, double y2, int colour) override;
    void lineRgb(double x1, double y1, double x2, double y2, std::uint32_t rgb) override;
    void text(double x, double y, const std::string& text) override;
    double textWidth(const std::string& text) const override;
    double textHeight(const std::string& text) const override;
    void clear() override {}
    void setToolTip(const std::string&) override {}
    std::string toolTip() const override { return {}; }

private:
    QPointF toDevice(double x, double y) const;
    double devicePixelsPerUnitX() const;
    double devicePixelsPerUnitY() const;
    void drawLine(double x1, double y1, double x2, double y2, std::uint32_t rgb);

    QPagedPaintDevice& device_;
    std::unique_ptr<QPainter> painter_;
    PaperArea paper_;
    QRectF area_;
    double pixelsPerMillimetre_ = 1;
    ViewScale scale_;
    QFont font_;
    double penPixels_ = 1;
};

// The drawing font of a printout (small sans-serif) and the information block's (fixed width).
QFont printFont(PrintFont font);

} // namespace dravenor
