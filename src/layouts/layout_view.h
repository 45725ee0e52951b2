#pragma once
// The layout view: one layout drawn with its sheet in black and every part in its own colour,
// over an optional grid, optionally labelled with part names and positions. Fit mode puts the
// sheet at the bottom left of a square view with a margin of about four letters (printed pages
// and pictures); the window draws into the view its LayoutViewport chose. Layout y grows
// upwards; every y is drawn as F - y with F the mirror of the sheet.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "job/nesting_state.h"
#include "geometry/drawing_surface.h"
#include "layouts/part_colours.h"
#include "layouts/remnant_marks.h"
#include "layouts/sheet_extents.h"

namespace dravenor {

struct LayoutViewOptions {
    int zoom = 1;                  // 1 to 9 ("1 : 1" to "9 : 1"); values below 1 read as 1
    std::string gridText = "Auto"; // "Auto", "No" or a spacing such as "25"
    bool showNames = false;
    bool showPositions = false;
    // Drawn over the layout with its number and mirror (the cut plan, when it is shown).
    std::function<void(int layoutNo, DrawingSurface& surface, double mirror)> overlay;
    // The remnant drawn over the layout (cut line, hatching, size); none when not given.
    std::optional<RemnantMarks> remnants{};
};

// What the window needs after a draw: sheet size and drawn top-left corner, the mirror F, and
// the scroll-bar ranges and steps (horizontal 0..hMaximum, vertical vMinimum..0). drawn is false
// when the layout does not exist (the surface is then left cleared).
struct LayoutViewFrame {
    bool drawn = false;
    double sheetWidth = 0, sheetHeight = 0, mirror = 0;
    double sheetLeft = 0, sheetTop = 0;
    int hMaximum = 0, hSmallStep = 1, hLargeStep = 1;
    int vMinimum = 0, vSmallStep = 1, vLargeStep = 1;
};

// The sheet's size is read from the file of the layout's sheet record. Given a cache, a redraw
// reads the file only when it changed; without one it is read on every draw. When the file
// cannot be read, the layout's own sheet outline gives the size.
LayoutViewFrame drawLayoutFitted(const NestingState& state, int layoutNo, DrawingSurface& surface,
                                 const LayoutViewOptions& options, SheetExtentsCache* cache = nullptr);
// The layout drawn into the given view (the zoom of the options does not count).
LayoutViewFrame drawLayoutInView(const NestingState& state, int layoutNo, DrawingSurface& surface,
                                 const LayoutViewOptions& options, const ViewScale& view,
                                 SheetExtentsCache* cache = nullptr);
// The frame of a layout without drawing it.
LayoutViewFrame layoutViewFrame(const NestingState& state, int layoutNo, SheetExtentsCache* cache = nullptr);
// The sheet as drawn: left, top, width and height in drawn units.
ViewScale drawnSheetBox(const LayoutViewFrame& frame);

// The placed shape of every part instance among the entities first..last, by instance number
// (element 0 and numbers without entities stay empty).
std::vector<Shape> layoutInstanceShapes(const std::vector<LayoutEntity>& entities, int first, int last);

// "X=00012.50,  Y=00100.00" for the pointer at surface point (x, y) with mirror F.
std::string layoutPointerText(double x, double y, double mirror);
// The pointer label's text while the pointer is elsewhere.
inline constexpr const char* kIdlePointerText = "X=00000.00,  Y=00000.00";

} // namespace dravenor
