#pragma once
// The standard-shape window's preview of a breakup: the developed shell with its pieces in
// light red, or the message that explains why there is nothing to show. Messages are wrapped
// to the picture's width and kept clear of the drawing.

#include "geometry/drawing_surface.h"
#include "library/breakup.h"

namespace dravenor {

// The flat rectangle (height across, circumference down) cut into its grid of plates, with the
// running height and circumference printed at the strip edges (those that have room). With
// more than a hundred strips one way only every n-th edge is drawn, so that a very fine breakup
// draws as fast as any; a note above the drawing says so.
void drawCylinderBreakupPreview(const BreakupResult& result, DrawingSurface& surface);

// The annular sector centred about the vertical, its angular divisions and band boundaries,
// with the breakup's remark wrapped above it.
void drawConeBreakupPreview(const BreakupResult& result, DrawingSurface& surface);

} // namespace dravenor
