#pragma once
// Whether a layout can be cut as drawn, judged on the vector outlines (not the raster): no part
// reaches into another (a part lying in another's hole is fine) and none leaves its sheet.
// Parts that touch, or stand one kerf apart, are sound. Asked for least distances, it also
// measures how close parts come to each other and to the sheet's outline and holes.
#include <string>
#include <vector>

#include "job/nesting_state.h"
#include "geometry/shape.h"

namespace dravenor {

struct LayoutFault {
    enum class Kind { Overlap, OutsideSheet, Unchecked, TooClose, NearSheetEdge };
    Kind kind = Kind::Overlap;
    int layoutNo = 0;
    int partA = 0; // 1-based placement number within the layout (file line - 1)
    int partB = 0; // the other part of an overlap or of parts too close; 0 otherwise
    std::string text; // "layout 2: parts 3 (a.shp) and 5 (b.dxf) overlap", "... leaves the sheet"
};

// Least distances between parts (spacing) and from a part to its sheet's outline and holes
// (margin), measured exactly on the true outlines, arcs as arcs; 0 asks for nothing. A distance
// short of them by more than kDistanceSlack is a fault.
struct LeastDistances {
    double spacing = 0;
    double margin = 0;
};
inline constexpr double kDistanceSlack = 1e-6;

// Default allowance: how deep one outline may reach into another (or past the sheet edge)
// before it counts, covering the chords that stand in for arcs. Outlines that touch along
// chords of the same arc never count. Layouts the engine makes hold at any tolerance down to
// rounding (0.01 is the check used on them).
inline constexpr double kDefaultCheckTolerance = 0.05;

// Coordinates beyond this (or not numbers at all) cannot be checked: such a part, or every part
// of such a sheet, is a fault of its own (Unchecked, partA 0 for the sheet).
inline constexpr double kMostCheckedCoordinate = 1e9;

// One layout: the sheet outline and the part outlines, all already placed in sheet
// coordinates; names are used in the fault texts only (may be shorter than parts). Every part
// at fault is named at least once; a pair of parts that are both at fault already is not
// checked again, so that parts stacked on one spot cost time and memory in proportion to the
// parts, not to the pairs. Faults come in part order: those of single parts, then overlaps.
// Gaps between lone ends up to `bridge` (at least the tolerance) are bridged first, as the start
// checks and the engine close them. Distance faults follow, those to the sheet first; a part
// already at fault is not measured against the sheet, a pair both at fault not against each other.
std::vector<LayoutFault> checkPlacedLayout(int layoutNo, const Shape& sheet, const std::vector<Shape>& parts,
                                           const std::vector<std::string>& names,
                                           double tolerance = kDefaultCheckTolerance, double bridge = 0,
                                           const LeastDistances& least = {});

// Every layout of the entity list (instance 0 the sheet, 1.. the parts), gaps bridged as far
// as the job's kerf lets a run close them.
std::vector<LayoutFault> checkLayouts(const NestingState& state, double tolerance = kDefaultCheckTolerance,
                                      const LeastDistances& least = {});

// Placement numbers (1-based) of the parts named in any fault, sorted and unique.
std::vector<int> faultyParts(const std::vector<LayoutFault>& faults);

} // namespace dravenor
