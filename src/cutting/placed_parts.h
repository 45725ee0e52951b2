#pragma once
// The parts of a layout as the cut plan sees them: each placed part with its exact contours, its
// torch paths, the part whose hole it lies in, and the parts it shares common lines with; which
// parts lie in which holes, and which are joined by shared stretches.
#include <string>
#include <vector>

#include "cutting/common_lines.h"
#include "cutting/kerf_offset.h"
#include "cutting/part_contours.h"
#include "geometry/shape.h"

namespace dravenor::cutting {

struct PlacedPart {
    int number = 0; // placement number, 1-based
    std::string name;
    Shape shape;
    PartContours contours;
    std::vector<OffsetContour> paths; // per contour
    Extents box;
    int host = 0;      // the part in whose hole this one lies, 0 for none
    int hostHole = -1; // that hole's contour index
    std::vector<int> guests; // parts lying in this part's holes
    std::vector<int> loops;      // per contour: its torch path among the common lines, -1 for none
    std::vector<int> neighbours; // parts it shares a stretch of torch path with
};

inline Vec2 centreOf(const Extents& box) { return {(box.xmin + box.xmax) / 2, (box.ymin + box.ymax) / 2}; }

// The outer torch paths of parts not lying in holes, split where they share stretches, and which
// of them have been cut.
struct CommonLines {
    std::vector<SharedPath> paths;
    std::vector<std::pair<int, size_t>> owner; // per path: its part's number and contour
    std::vector<std::vector<bool>> cut;        // per path and piece: cut already
    PiecePath cuts; // the shared stretches, in the order they are cut
};

// Finds, for every part, the hole of another part it lies in (the smallest such hole).
void findHosts(std::vector<PlacedPart>& parts);
// Splits the outer torch paths of the parts not lying in holes where two of them share a stretch
// longer than the kerf, and notes which parts share.
void shareLines(std::vector<PlacedPart>& parts, double kerf, CommonLines& common);
// The parts not lying in holes, in groups joined by shared stretches (each part alone without
// common lines), in the order of their first parts.
std::vector<std::vector<int>> partGroups(const std::vector<PlacedPart>& parts);

} // namespace dravenor::cutting
