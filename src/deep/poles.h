#pragma once
// Inscribed circles ("poles") of a region's material: the largest circle inside it, then the
// largest that stays clear of those found, and so on until they cover most of the material.
// They stand in for the region where exact edges cost too much: two overlapping poles prove a
// collision, and how deep poles reach into each other measures an overlap.
#include <vector>

#include "deep/region.h"

namespace dravenor::deep {

struct PoleLimits {
    std::size_t most = 24;          // never more poles than this
    double smallest = 0.02;         // stop below this share of the region's diameter
};

// Poles of the region's material, largest first; empty for material without room. The region's
// edges, runs, box and area must be set.
std::vector<Circle> inscribedCircles(const Region& region, const PoleLimits& limits = {});

} // namespace dravenor::deep
