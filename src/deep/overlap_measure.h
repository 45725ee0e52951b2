#pragma once
// How bad a collision is, for the search that removes collisions: the depth to which the poles of
// two colliding regions reach into each other (never zero for regions that collide), and how far
// a region's box stands outside its container. Both grow with the sizes of the regions, so that
// large parts are moved apart before small ones are pushed about.
#include "deep/region.h"

namespace dravenor::deep {

// Infinity as soon as the loss is known to exceed the bound.
double overlapLoss(const Region& a, Point da, const Region& b, Point db, double bound = kInfinity);
double exteriorLoss(const Box& box, const Box& container, double hullArea);

} // namespace dravenor::deep
