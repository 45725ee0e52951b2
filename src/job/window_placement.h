#pragma once
// Where the main window stands on the screen. The window keeps its size and position in
// "window.cfg" of the working folder between runs; whatever is stored, or wanted the first time,
// is brought within the screen area it opens on, so no part of the window is out of reach.
#include <optional>
#include <string>

namespace dravenor {

inline constexpr const char* kWindowConfigFileName = "window.cfg";

// A rectangle in screen pixels.
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

struct WindowPlacement {
    ScreenRect rect; // the window's normal (not maximised) rectangle
    bool maximised = false;
    bool operator==(const WindowPlacement&) const = default;
};

// The placement stored in the folder's window.cfg; nothing when the file is missing or does not
// hold one (the window then opens at its first-start place).
std::optional<WindowPlacement> readWindowPlacement(const std::string& folder);
// Writes window.cfg atomically: "x,y,width,height,maximised" (maximised 0 or 1) and CR LF.
// Returns "" or a message naming the file and the reason.
std::string saveWindowPlacement(const std::string& folder, const WindowPlacement& placement);

// The rectangle brought within the available area: no larger than the area (nor smaller than
// the minimum size when the area allows it), then moved by the least distance that puts it
// wholly inside.
ScreenRect fitWithin(const ScreenRect& wanted, const ScreenRect& available, int minWidth = 0, int minHeight = 0);
// The first-start rectangle: the preferred size within the available area, centred in it.
ScreenRect centredWithin(int width, int height, const ScreenRect& available);

} // namespace dravenor
