#include "layouts/layout_print_pinned_view.h"

namespace dravenor {

PinnedViewSurface::PinnedViewSurface(DrawingSurface& target, const ViewScale& window) : target_(target)
{
    target_.setScale(window);
}

void PinnedViewSurface::line(double x1, double y1, double x2, double y2, int colour)
{
    target_.line(x1, y1, x2, y2, colour);
}

void PinnedViewSurface::lineRgb(double x1, double y1, double x2, double y2, std::uint32_t rgb)
{
    target_.lineRgb(x1, y1, x2, y2, rgb);
}

void PinnedViewSurface::text(double x, double y, const std::string& text)
{
    target_.text(x, y, text);
}

} // namespace dravenor
