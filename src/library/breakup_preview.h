#pragma once
// The standard-shape window's preview of a breakup: the developed shell with its pieces in
// light red, or the message that explains why there is nothing to show.
#include "geometry/drawing_surface.h"
#include "library/breakup.h"

namespace dravenor {

// The flat rectangle (height across, circumference down) cut into its grid of plates, with the
// running height and circumference printed at the strip edges.
void drawCylinderBreakupPreview(const BreakupResult& result, DrawingSurface& surface);

// The annular sector centred about the vertical, its angular divisions and band boundaries.
void drawConeBreakupPreview(const BreakupResult& result, DrawingSurface& surface);

} // namespace dravenor
