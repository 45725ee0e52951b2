#pragma once
// Where lead-ins and lead-outs have room: the part outlines and the sheet's edge as short
// segments in a grid of cells, so that a lead is tested only against what lies near it. A lead
// has room when it keeps half the kerf from every part outline (so it never crosses material or
// another part's torch path) and from the sheet's edge, and its pierce lies on the plate.
#include <vector>

#include "cutting/path_piece.h"

namespace dravenor::cutting {

class LeadRoom {
public:
    // `sheet` are the sheet's closed contours (outline and holes, even-odd), `parts` every
    // contour of every part. `clearance` is half the kerf.
    LeadRoom(const std::vector<PiecePath>& sheet, const std::vector<PiecePath>& parts, double clearance);

    // Whether the lead, as chords, keeps the clearance everywhere and its first point is on
    // the plate.
    bool hasRoom(const PiecePath& lead) const;
    bool onPlate(Vec2 q) const;

private:
    struct Edge {
        Vec2 a, b;
    };
    void addPath(const PiecePath& path, std::vector<Edge>& into);
    void index(const std::vector<Edge>& edges);
    bool segmentClear(Vec2 a, Vec2 b) const;

    double clearance_;
    double cell_ = 1;
    Vec2 origin_;
    int cols_ = 1, rows_ = 1;
    std::vector<Edge> edges_;
    std::vector<std::vector<int>> cells_;
    std::vector<std::vector<Vec2>> sheetPolygons_;
};

} // namespace dravenor::cutting
