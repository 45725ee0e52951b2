#pragma once
// Fewer corners for the regions the search tests, at the price of a little more material: a
// notch's corner is cut across, or two corners of a bulge give way to the point where the edges
// beside them meet. Either only adds material, so a region coarsened this way still holds the
// part, and every arrangement free of collisions stays so with the true outlines.
#include "deep/material.h"

namespace dravenor::deep {

// The material with corners taken away, cheapest first, until the material added would pass
// `areaShare` of each component's area. Rings stay simple and keep at least three corners.
Material coarsened(const Material& material, double areaShare);

} // namespace dravenor::deep
