#pragma once
// Regions from material: the edges of every ring, a corner of each ring as its anchor, the poles,
// the area and the hull.
#include "deep/material.h"
#include "deep/poles.h"
#include "deep/region.h"

namespace dravenor::deep {

std::vector<Edge> edgesOf(const std::vector<Ring>& rings);
Region regionOf(const Material& material, const PoleLimits& limits = {});

} // namespace dravenor::deep
