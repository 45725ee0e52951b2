#pragma once
// Bridging the small gaps of an outline before anything asks what lies inside it: an end that
// meets no other end gets a straight segment to the nearest other such end within reach. An
// inside test by crossings over an outline with a gap, however small, miscounts along the line
// through the gap; bridged, the outline closes as the user meant it to.
#include "geometry/segments.h"

namespace dravenor {

// Ends closer than this meet exactly (coordinates as computed, not as rounded in files).
inline constexpr double kEndsMeet = 1e-9;

// Appends one bridging segment per pair of open ends within reach of each other, nearest first;
// ends that meet another end, and open ends with no partner within reach, are left as they are.
void bridgeOpenEnds(SegmentList& segments, double reach);

} // namespace dravenor
