#pragma once
// A layout as a drawing for other CAM programs (DXF release 2000): every contour of every part
// as one closed LWPOLYLINE with bulges for its arcs, on the layer of its kind (OUTER, INNER),
// the lead-ins of the cut plan as open polylines on LEAD-IN, the part names on TEXT and the
// sheet on SHEET, with $INSUNITS naming the job's unit.
#include <string>

#include "cutting/cut_plan.h"
#include "job/nesting_state.h"

namespace dravenor::cutting {

// The drawing's text, or why there is none (a layout that is not there).
struct CamDrawing {
    std::string text;
    std::string error;
};
CamDrawing camDxfDrawing(const NestingState& state, int layoutNo, const CutPlan& plan);

// Writes the drawing atomically. Returns "" or the message.
std::string saveCamDxf(const NestingState& state, int layoutNo, const CutPlan& plan, const std::string& path);

} // namespace dravenor::cutting
