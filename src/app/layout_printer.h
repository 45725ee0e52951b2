#pragma once
// Layouts on paper: a PrintSurface over a QPainter on a printer or PDF writer, with user units
// mapped onto the printable area in millimetres so that the scale on paper is exact whatever the
// margins, and the printing of a choice of layouts onto such a device.
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <memory>

#include "layouts/layout_print_run.h"

namespace dravenor {

// Millimetres of pen per step of print.cfg's line width (1 the thinnest).
inline constexpr double kPenMillimetresPerWidth = 0.1;

class PrinterSurface : public PrintSurface {
public:
    explicit PrinterSurface(QPagedPaintDevice& device);
    ~PrinterSurface() override;

    // The printable area of the device's page, in millimetres.
    PaperArea paper() const { return paper_; }
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
    double pixelsPerMillimetre_ = 1;
    ViewScale scale_;
    QFont font_;
    double penPixels_ = 1;
};

// The drawing font of a printout (small sans-serif) and the information block's (fixed width).
QFont printFont(PrintFont font);
// Today's date as the information block writes it: "dd-mm-yyyy".
std::string printDate();

// Prints the layouts of the given list lines onto the device (pages begun as needed, the
// document ended) and returns what was printed.
LayoutPrintResult printLayoutsTo(QPagedPaintDevice& device, const NestingState& state,
                                 const std::vector<int>& listLines, const LayoutPrintRun& run,
                                 const PaperSheetConfirm& confirm = {});

} // namespace dravenor
