#pragma once
// An optimisation whose layouts are checked on the vector outlines before it is called done. The
// engine's rasters keep parts apart; this is the guard that no fault of the engine, however it
// came about, reaches the cutting table as "Full Optimization Done".
#include <functional>
#include <string>
#include <vector>

#include "engine/nesting_driver.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor {

// How deep an outline of an engine layout may reach into another or past its sheet, and how far
// it may fall short of the room it keeps: rounding only.
inline constexpr double kEngineLayoutTolerance = 0.01;

// The room the classic engine keeps: the kerf as entered between parts and half of it to the
// sheet's outline and holes, so that a torch running half the kerf outside each part cuts neither
// a neighbour nor beyond the plate (less the tolerance; nothing without a kerf).
LeastDistances classicEngineRoom(double kerf);

// optimise(), then the check of every layout, the room included: each fault is named through the progress warning,
// and a run with a faulty layout ends as "Optimization Done, Layouts Need Checking" with the
// Partial status, never as Full.
// Names each fault through `warn`; a Full run with faults becomes Partial, "Optimization Done,
// Layouts Need Checking".
void takeLayoutFaults(RunResult& result, const std::vector<LayoutFault>& faults,
                      const std::function<void(const std::string&)>& warn);

RunResult optimiseChecked(NestingState& state, NestingMode mode, NestingProgress& progress,
                          FitTest fitTest = nullptr);

} // namespace dravenor
