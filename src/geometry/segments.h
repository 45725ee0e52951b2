#pragma once
// The straight-segment form of a shape: lines as they are, arcs cut into chords of at most 2
// degrees (at least 0.01 degrees, and at least four chords per arc).
#include <string>
#include <vector>

#include "geometry/shape.h"
#include "job/drawing_unit.h"

namespace dravenor {

struct Segment {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    // How far the true edge may stand from this segment: 0 for a line, the sagitta for an arc's
    // chord (the arc bulges at most this far from it, on either side for a hole or an outside).
    double sag = 0;
};
using SegmentList = std::vector<Segment>;

// The arc's end angle raised until it follows the start counter-clockwise: equal angles are a
// full circle (end + 360), and an end below the start gets 360 added until it is above.
void unwrapArcAngles(double& startDegrees, double& endDegrees);
// Degrees swept counter-clockwise from s to e by that rule (360 for a circle).
double arcSweep(double startDegrees, double endDegrees);
// Chord step in degrees for an arc swept from s to e (after the circle and wrap rules).
double chordStep(double sweepDegrees);
// The largest distance between an arc of the radius and its chords of the step (degrees).
double chordSagitta(double radius, double stepDegrees);
// Calls sink(x1, y1, x2, y2) for every chord of the arc, in drawing direction, the closing
// chord (possibly of zero length) included. Angles as stored; s == e is a full circle.
template <class Sink>
void forEachArcChord(double cx, double cy, double rad, double s, double e, Sink&& sink);

// How many segments the entity's segment form has, counted without making them.
std::size_t segmentCount(const ShapeEntity& entity);

// Appends the segments of every entity in shape order: one per line, the chords of each arc.
void appendShapeSegments(const Shape& shape, SegmentList& out);
SegmentList shapeToSegments(const Shape& shape);
// The segments of one entity, in its drawing direction.
void appendEntitySegments(const ShapeEntity& entity, SegmentList& out);
// Reads the file by its extension (no move; drawings converted to `unit`) and returns its
// segment form.
SegmentList loadShapeSegments(const std::string& path, DrawingUnit unit = DrawingUnit::Millimetre);

} // namespace dravenor

#include "geometry/segments_impl.h"
