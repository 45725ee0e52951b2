#pragma once
// What Deep Nesting works on: every part type in each orientation its rule allows, grown for the
// spacing and for the margin; every sheet type's free space; the instances to place in order.
// Built once per run and shared, read only, by every search thread.
#include <functional>
#include <string>
#include <vector>

#include "deep/region.h"
#include "geometry/shape.h"
#include "job/nesting_state.h"

namespace dravenor::deep {

struct Orientation {
    double angle = 0;  // degrees, as the layout records the turn
    bool mirrored = false;  // mirrored left to right before the turn
    Region spacing;    // the part grown by half the spacing: two such regions never meet
    Region margin;     // the part grown by the margin: stays inside the sheet's free space
};

struct PartType {
    std::size_t record = 0;  // index into the state's parts
    std::string file;
    int priority = 0;
    int quantity = 0;
    Shape shape;             // as loaded, its box starting at (0, 0)
    double area = 0;         // true area
    // Every allowed turn as drawn, then (for a part that may be mirrored) every turn mirrored.
    std::vector<Orientation> orientations;
    bool freeTurn = false;   // any angle: neighbouring orientations lie one small step apart
    bool mirrors = false;    // the second half of the orientations lies mirrored
    double minSide = 0;      // the smaller side of its spacing box, the scale of its moves
    std::vector<bool> fits;  // per sheet type: some orientation's margin box fits its free box
};

struct SheetType {
    std::size_t record = 0;  // index into the state's sheets
    std::string file;
    int priority = 0;
    int stock = 0;
    Shape shape;             // as loaded, its box starting at (0, 0)
    double area = 0;         // true area
    Box outline;             // box of the sheet's own outline
    int axis = 0;            // the longer side of that box: 0 along x, 1 along y
    Box free;                // box of the free space parts' margin regions must stay in
    // What inside that box is not free: the sheet's holes and what lies outside its outline.
    std::vector<Region> hazards;
    double length() const { return outline.high(axis) - outline.low(axis); }
};

struct DeepJob {
    std::vector<PartType> parts;
    std::vector<SheetType> sheets;
    std::vector<int> items;  // part type of every instance to place, in placing order
    double spacing = 0, margin = 0;
    double partArea = 0;     // true area of all items
    int fewestSheets = 0;    // no layout of the items uses fewer sheets (set once they are known)
    std::vector<std::string> warnings;
};

struct JobGeometry {
    double spacing = 0;
    double margin = 0;
};

// Sorts the state's sheet and part records as the classic engine orders them (priority 0 read as
// the last, then the larger first), sets their Area to the true area and builds the job. Parts
// and sheets that cannot be used are named in the warnings and left out. `stop` is polled
// between shapes.
DeepJob buildDeepJob(NestingState& state, const JobGeometry& geometry, const std::function<bool()>& stop);

// Orientation angles of a part's rule: "No" as drawn, "step180" as drawn or turned half round,
// "step90" the right angles, any other rule every 5 degrees.
std::vector<double> allowedAngles(const std::string& rule);

// The orientation `step` places further round (+1 or -1) on the same side, mirrored or not, so
// that a small turn never flips a part over.
int turnedBy(const PartType& part, int orient, int step);

} // namespace dravenor::deep
