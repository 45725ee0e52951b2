#pragma once
// ELLIPSE entities, and the ellipses that circles and arcs become under an uneven scale, as
// fitted arcs.
#include "geometry/dxf_entities.h"
#include "geometry/dxf_transform.h"

namespace dravenor {

// The points centre + u cos t + v sin t for t from t0 to t1 (t1 > t0; t1 - t0 = 2 pi for a whole
// ellipse). u and v need not be square to each other: any affine image of a circle is one.
struct DxfEllipticArc {
    DxfPoint centre, u, v;
    double t0 = 0, t1 = 6.283185307179586;
};

// Appends the arc as fitted arcs; a whole ellipse ends exactly where it starts.
void appendEllipticArc(const DxfEllipticArc& arc, Shape& shape);

// Reads an ELLIPSE (centre 10/20/30, end of the major axis from the centre 11/21/31, minor to
// major ratio 40, start and end parameters 41/42 in radians, plane normal 210/220/230) seen
// along the z axis, placed by the transform. False when it draws nothing (an axis of length 0).
bool readDxfEllipse(const DxfEntity& entity, DxfNumberTally& tally, const DxfTransform& at, Shape& shape);

} // namespace dravenor
