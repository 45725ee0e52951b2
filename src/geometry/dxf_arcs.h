#pragma once
// Arc geometry of DXF drawings: polyline bulges and entities drawn in a mirrored plane.
#include "geometry/shape.h"

namespace dravenor {

struct DxfVertex {
    double x = 0, y = 0;
    double bulge = 0; // tan(included angle / 4) of the segment to the next vertex; > 0 counter-clockwise
};

// The segment from one vertex to the next: a line when the bulge is 0 or the segment too short
// to bend, else the arc through both vertices, written counter-clockwise (for a clockwise bulge
// it starts at the second vertex).
ShapeEntity dxfPolylineSegment(const DxfVertex& from, const DxfVertex& to);

// Appends the segments of a polyline path; a closed path also gets the segment from its last
// vertex back to the first, bent by the last vertex's bulge.
void appendDxfPolylinePath(const std::vector<DxfVertex>& vertices, bool closed, Shape& shape);

// An entity whose extrusion direction points to -Z lies in a plane seen from behind: its x
// runs the other way. These turn such an entity into drawing coordinates.
void mirrorArcInX(ShapeEntity& arc);           // centre x negated; angles s, e -> 180 - e, 180 - s
void mirrorVerticesInX(std::vector<DxfVertex>& vertices); // x negated, bulges change side

// Degrees in [0, 360).
double dxfNormalisedDegrees(double degrees);
// Degrees counter-clockwise from +x of the direction (dx, dy), in [0, 360).
double dxfDirectionDegrees(double dx, double dy);

} // namespace dravenor
