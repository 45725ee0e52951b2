#pragma once
// The old-style polyline: a POLYLINE entity followed by its VERTEX entities and a SEQEND.
#include "geometry/dxf_entities.h"

namespace dravenor {

struct DxfPolylineRead {
    bool mesh = false;          // a polygon or polyface mesh: read nothing
    bool hasSeqend = true;      // false: the vertices ran into another entity or the end
    bool drawsNothing = false;  // no segment came of it (no vertex, or one vertex and open)
};

// Reads the polyline whose POLYLINE entity `head` the cursor has just given, taking its
// vertices and SEQEND from the cursor: one segment per pair of consecutive vertices (a line, or
// an arc where the first vertex has a bulge) and, when the polyline is closed (flag 1), the
// segment back to the first vertex.
DxfPolylineRead readDxfPolyline(const DxfEntity& head, DxfEntityCursor& cursor, DxfNumberTally& tally, Shape& shape);

// Passes over the vertices and SEQEND of a polyline not to be read; false when it has no SEQEND.
bool skipDxfPolylineVertices(DxfEntityCursor& cursor);

} // namespace dravenor
