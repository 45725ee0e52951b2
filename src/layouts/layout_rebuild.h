#pragma once
// The layout geometry rebuilt from the item list: after a job is loaded and after the layout
// editor hands a layout back, every item's shape file is read again and placed.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "job/nesting_state.h"
#include "geometry/shape.h"
#include "geometry/shape_file.h"
#include "layouts/layout_range.h"

namespace dravenor {

// Reads one shape file moved to the origin (loadShape by default).
using ShapeLoader = std::function<ShapeReadReport(const std::string& path, Shape& shape)>;

// Replaces state.entities by the geometry of state.items. Within each run of equal LayoutNo the
// last row is the sheet (appended as instance 0); the rows before it are part instances 1, 2, ...
// turned by their Angle and moved to their X, Y. Each row's Angle is brought into 0..360 in place.
// Every distinct file is read once per rebuild. A row whose file is missing, unreadable or empty
// adds nothing (its instance number is still used) and gives one message naming the layout and the
// file; the rebuild goes on. Returns those messages in item order.
std::vector<std::string> rebuildEntityList(NestingState& state);
std::vector<std::string> rebuildEntityList(NestingState& state, const ShapeLoader& load);

// The layouts a run has just made, their items' positions and angles rounded as the layout
// editor keeps them (keptPlacement) and rebuilt from the items as above. The engines leave
// circles starting where their turns put them and coordinates a little off the rebuilt ones, and
// the cut plan's start points and order follow such differences; after this a layout is the same
// to the last digit fresh from a run, read back from the job file or handed back unchanged by the
// layout editor. Each sheet keeps the angle it was nested at.
std::vector<std::string> rebuildRunLayouts(NestingState& state);

} // namespace dravenor
