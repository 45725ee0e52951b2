#include "layouts/layout_viewport.h"

#include <algorithm>
#include <cmath>

namespace dravenor {

namespace {

constexpr double kSpeck = 1e-9;

// Where a value lies within [start, start + span] as a fraction; 0 for no span.
double fractionAlong(double value, double start, double span)
{
    return span > kSpeck ? std::clamp((value - start) / span, 0.0, 1.0) : 0;
}

} // namespace

void LayoutViewport::setSheet(const ViewScale& sheet)
{
    sheet_ = sheet;
    view_ = fitted();
}

void LayoutViewport::setArea(double pixelWidth, double pixelHeight)
{
    const double zoomNow = zoom();
    const double middleX = view_.left + view_.width / 2, middleY = view_.top + view_.height / 2;
    pixelWidth_ = std::max(pixelWidth, 1.0);
    pixelHeight_ = std::max(pixelHeight, 1.0);
    const double width = fitted().width / zoomNow;
    setViewWidth(width, middleX - width / 2, middleY - width * pixelHeight_ / pixelWidth_ / 2);
}

void LayoutViewport::setMarginPixels(double margin)
{
    margin_ = std::max(margin, 0.0);
    view_ = fitted();
}

ViewScale LayoutViewport::fitted() const
{
    const double usableWidth = std::max(pixelWidth_ - 2 * margin_, 1.0);
    const double usableHeight = std::max(pixelHeight_ - 2 * margin_, 1.0);
    double perPixel = std::max(sheet_.width / usableWidth, sheet_.height / usableHeight);
    if (!(perPixel > 0) || !std::isfinite(perPixel)) perPixel = 1;
    const double width = pixelWidth_ * perPixel, height = pixelHeight_ * perPixel;
    return {sheet_.left + sheet_.width / 2 - width / 2, sheet_.top + sheet_.height / 2 - height / 2, width, height};
}

double LayoutViewport::zoom() const
{
    return fitted().width / view_.width;
}

void LayoutViewport::setViewWidth(double width, double left, double top)
{
    view_ = {left, top, width, width * pixelHeight_ / pixelWidth_};
    keepInsideFitted();
}

void LayoutViewport::keepInsideFitted()
{
    const ViewScale fit = fitted();
    view_.width = std::clamp(view_.width, fit.width / kMostZoom, fit.width);
    view_.height = view_.width * pixelHeight_ / pixelWidth_;
    view_.left = std::clamp(view_.left, fit.left, fit.left + fit.width - view_.width);
    view_.top = std::clamp(view_.top, fit.top, fit.top + fit.height - view_.height);
}

void LayoutViewport::zoomAbout(double x, double y, double zoom)
{
    const double width = fitted().width / std::clamp(zoom, 1.0, kMostZoom);
    const double ratio = width / view_.width;
    setViewWidth(width, x - (x - view_.left) * ratio, y - (y - view_.top) * ratio);
}

void LayoutViewport::zoomAboutMiddle(double zoom)
{
    zoomAbout(view_.left + view_.width / 2, view_.top + view_.height / 2, zoom);
}

void LayoutViewport::zoomFromLowerLeft(double zoom)
{
    const double width = fitted().width / std::clamp(zoom, 1.0, kMostZoom);
    const double height = width * pixelHeight_ / pixelWidth_;
    const double margin = margin_ * width / pixelWidth_;
    setViewWidth(width, sheet_.left - margin, sheet_.top + sheet_.height + margin - height);
}

void LayoutViewport::panByPixels(double dx, double dy)
{
    const double perPixel = unitsPerPixel();
    setViewWidth(view_.width, view_.left - dx * perPixel, view_.top - dy * perPixel);
}

void LayoutViewport::pixelToDrawn(double px, double py, double& x, double& y) const
{
    x = view_.left + px * unitsPerPixel();
    y = view_.top + py * view_.height / pixelHeight_;
}

double LayoutViewport::unitsPerPixel() const
{
    return view_.width / pixelWidth_;
}

ScrollPosition LayoutViewport::scrollPosition(int hMaximum, int vMinimum) const
{
    const ViewScale fit = fitted();
    const double across = fractionAlong(view_.left, fit.left, fit.width - view_.width);
    const double down = fractionAlong(view_.top, fit.top, fit.height - view_.height);
    const bool tall = fit.height - view_.height > kSpeck;
    // Unscrolled (nothing to scroll) reads 0, as both bars rest there.
    return {static_cast<int>(std::lround(across * hMaximum)),
            tall ? vMinimum + static_cast<int>(std::lround(down * -vMinimum)) : 0};
}

void LayoutViewport::scrollTo(const ScrollPosition& position, int hMaximum, int vMinimum)
{
    const ViewScale fit = fitted();
    const double across = hMaximum > 0 ? static_cast<double>(position.h) / hMaximum : 0;
    const double down = vMinimum < 0 ? static_cast<double>(position.v - vMinimum) / -vMinimum : 1;
    setViewWidth(view_.width, fit.left + across * (fit.width - view_.width),
                 fit.top + down * (fit.height - view_.height));
}

} // namespace dravenor
