// The main window's size and position: kept in window.cfg of the working folder between runs and
// brought within the screen area the window opens on.
#include <QRect>

#include "app/main_window.h"
#include "job/window_placement.h"

namespace dravenor {

namespace {

// The size of the first start; smaller screens get their whole available area.
constexpr int kFirstWidth = 1560;
constexpr int kFirstHeight = 720;
// Room for the frame and title bar a desktop puts around the window, which the window's own
// geometry leaves out.
constexpr int kFrameSide = 4;
constexpr int kTitleBar = 30;

ScreenRect insideFrame(const QRect& area)
{
    return {area.x() + kFrameSide, area.y() + kTitleBar, std::max(0, area.width() - 2 * kFrameSide),
            std::max(0, area.height() - kTitleBar - kFrameSide)};
}

} // namespace

void MainWindow::placeWithin(const QRect& available)
{
    const ScreenRect area = insideFrame(available);
    const std::optional<WindowPlacement> kept = readWindowPlacement(workingFolder_.toStdString());
    const QSize minimum = minimumSizeHint();
    const ScreenRect rect = kept ? fitWithin(kept->rect, area, minimum.width(), minimum.height())
                                 : centredWithin(kFirstWidth, kFirstHeight, area);
    setGeometry(rect.x, rect.y, rect.width, rect.height);
    if (kept && kept->maximised) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::rememberPlacement() const
{
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    // Only the next start's convenience is at stake: a folder that cannot be written keeps the
    // first-start place, no reason to trouble the user while they leave.
    saveWindowPlacement(workingFolder_.toStdString(),
                        {{normal.x(), normal.y(), normal.width(), normal.height()}, isMaximized()});
}

} // namespace dravenor
