#pragma once
// The cut plan drawn over a layout in the layout view and on printed pages: torch paths in red,
// stretches two parts share (cut once) in blue, lead-ins and lead-outs in green, rapids as dashed
// grey lines, and the cut order number at each pierce. Drawn with the layout view's mirror: every y is drawn as F - y.
#include "cutting/cut_plan.h"
#include "geometry/drawing_surface.h"

namespace dravenor::cutting {

void drawCutPlan(const CutPlan& plan, DrawingSurface& surface, double mirror);

} // namespace dravenor::cutting
