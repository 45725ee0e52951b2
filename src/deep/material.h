#pragma once
// Growing and shrinking material by a distance, and what a box leaves free around material: the
// polygon clipping library's offset and difference on whole units of a fine grid. Every result
// errs on the safe side only when the caller adds the grid's rounding (kRoundingUnits) to the
// distance.
#include <vector>

#include "deep/region.h"

namespace dravenor::deep {

// One connected piece of material: its outer ring and the holes in it.
struct Component {
    Ring outer;
    std::vector<Ring> holes;
};
using Material = std::vector<Component>;

// Grid units every corner may move by in rounding to the grid and back (with room to spare).
inline constexpr double kRoundingUnits = 4;

// A grown corner reaches at most this many times the distance from the true corner.
inline constexpr double kMiterLimit = 2;
// Growing by up to this distance, corners are mitred; by more, squared.
inline constexpr double kMitreUpTo = 0.5;

// The material of the rings (even-odd) grown by `delta` (shrunk when negative), on a grid of
// `unit`. Corners are mitred (squared off where sharper than 60 degrees) or, growing by more than
// kMitreUpTo, squared: grown, the result holds every point within `delta`; shrunk, it keeps at
// least `delta` from the outline.
Material grownMaterial(const std::vector<Ring>& rings, double delta, double unit);

// The material with its holes filled: every outer ring whole, islands inside holes taken in.
Material filledMaterial(const Material& material, double unit);

// The parts of the box the material does not cover.
Material boxMinus(const Box& box, const Material& material, double unit);

// The material with every ring thinned (Douglas-Peucker): no corner left out lies further than
// the tolerance from the ring that replaces it. The outline moves by at most the tolerance either
// way, so material grown (or shrunk) by it beforehand still holds (or stays inside) the original.
Material simplified(const Material& material, double tolerance);

// All rings of the material, outer rings and holes alike.
std::vector<Ring> ringsOf(const Material& material);
double materialArea(const Material& material);

} // namespace dravenor::deep
