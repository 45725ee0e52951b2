#pragma once
// Lets the layout view draw into a window it did not choose: every scale it sets and every
// clearing is ignored, so a printed page shows exactly its part of the layout. Drawing and text
// go through to the surface underneath, which holds the window.
#include "geometry/drawing_surface.h"

namespace dravenor {

class PinnedViewSurface : public DrawingSurface {
public:
    // The target's scale is set to the window now and kept.
    PinnedViewSurface(DrawingSurface& target, const ViewScale& window);

    bool setScale(const ViewScale&) override { return true; }
    ViewScale scale() const override { return target_.scale(); }
    void line(double x1, double y1, double x2, double y2, int colour) override;
    void lineRgb(double x1, double y1, double x2, double y2, std::uint32_t rgb) override;
    void text(double x, double y, const std::string& text) override;
    double textWidth(const std::string& text) const override { return target_.textWidth(text); }
    double textHeight(const std::string& text) const override { return target_.textHeight(text); }
    void clear() override {}
    void setToolTip(const std::string&) override {}
    std::string toolTip() const override { return {}; }

private:
    DrawingSurface& target_;
};

} // namespace dravenor
