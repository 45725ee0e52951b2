#pragma once
// Where the layout view looks. The sheet is fitted to the whole drawing area with a margin on
// every side, in square units; from there the view zooms about a point and pans, and never
// leaves the fitted window. All positions are drawn units (x, F - y; y downwards) except the
// area's size, the margin and pan steps, which are pixels of the drawing area.
#include "geometry/drawing_surface.h"

namespace dravenor {

// Scroll bar positions: horizontal 0..hMaximum from the left, vertical vMinimum..0 from the top.
struct ScrollPosition {
    int h = 0, v = 0;
};

class LayoutViewport {
public:
    static constexpr double kMostZoom = 200;

    // The drawn sheet box; the view returns to the fitted window.
    void setSheet(const ViewScale& sheet);
    // The drawing area in pixels; the zoom and the middle of the view are kept.
    void setArea(double pixelWidth, double pixelHeight);
    void setMarginPixels(double margin);

    // The whole sheet with the margin, in the proportions of the area.
    ViewScale fitted() const;
    ViewScale view() const { return view_; }
    // How many times larger than the fitted window things are shown (1 when fitted).
    double zoom() const;
    bool zoomedIn() const { return zoom() > 1 + 1e-9; }

    // Shows the view zoom times larger than the fitted one with the drawn point (x, y) staying
    // where it is on the area (when the view must keep inside the fitted window, as close as
    // it can be).
    void zoomAbout(double x, double y, double zoom);
    void zoomAboutMiddle(double zoom);
    // The fitted window zoomed with its lower-left corner kept: the sheet's origin stays in view.
    void zoomFromLowerLeft(double zoom);
    // Moves the picture by a pointer drag of (dx, dy) pixels: what was under the pointer follows it.
    void panByPixels(double dx, double dy);

    // The drawn point under a pixel of the area.
    void pixelToDrawn(double px, double py, double& x, double& y) const;
    double unitsPerPixel() const;

    // Scroll bars over the fitted window, hMaximum and vMinimum from the layout frame.
    ScrollPosition scrollPosition(int hMaximum, int vMinimum) const;
    void scrollTo(const ScrollPosition& position, int hMaximum, int vMinimum);

private:
    void setViewWidth(double width, double left, double top);
    void keepInsideFitted();

    ViewScale sheet_{0, 0, 1, 1};
    double pixelWidth_ = 1, pixelHeight_ = 1;
    double margin_ = 0;
    ViewScale view_;
};

} // namespace dravenor
