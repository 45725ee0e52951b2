#pragma once
// Drawing of the layout being edited: the view fitted to the sheet with the chosen grid, the
// sheet in black, each part file in its own layout colour, the selected rows in light red and
// parts with faults in orange; optionally the part names.
#include <cstdint>
#include <string>

#include "geometry/drawing_surface.h"
#include "layouts/layout_editing_placement.h"

namespace dravenor {

// Parts that overlap another or leave the sheet (orange, apart from the selection's red).
inline constexpr std::uint32_t kFaultyPartRgb = 0xFF8C00;

struct LayoutEditDrawingOptions {
    std::string gridText = "Auto"; // "Auto", "No" or a spacing such as "25"
    bool showNames = false;
    int highlightFrom = 0;         // grid rows drawn in light red; 0..0 for none
    int highlightTo = 0;
    // Zoom 1 shows the whole sheet; zoom z a view z times smaller about the focus (the sheet's
    // middle unless focused), kept over the sheet.
    int zoom = 1;
    bool focused = false;
    double focusX = 0, focusY = 0; // layout coordinates
};

// Clears the surface and draws the layout. Returns the mirror F (layout y = F - surface y);
// 0 when there is no sheet to fit the view to (the surface is left cleared).
double drawEditedLayout(const PlacedLayout& layout, DrawingSurface& surface, const LayoutEditDrawingOptions& options);

// The part's label: the file name without folder and without its last four characters.
std::string partLabel(const std::string& fileName);

} // namespace dravenor
