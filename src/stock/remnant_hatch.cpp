#include "stock/remnant_hatch.h"

#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"

namespace dravenor {

SegmentList remnantHatch(const Shape& outline, double spacing)
{
    SegmentList hatch;
    const Extents box = shapeExtents(outline);
    if (box.empty() || !(spacing > 0)) return hatch;
    const SegmentList edges = shapeToSegments(outline);
    // Lines x - y = c; c runs over the box's range of x - y.
    const double lowest = box.xmin - box.ymax, highest = box.xmax - box.ymin;
    if ((highest - lowest) / spacing > 100000) return hatch;
    for (double c = lowest + spacing / 2; c < highest; c += spacing) {
        // Crossings of the line (t, t - c) with every edge, by the edge's x; even-odd pairs inside.
        std::vector<double> xs;
        for (const Segment& s : edges) {
            const double a = s.X1 - s.Y1 - c, b = s.X2 - s.Y2 - c;
            if ((a > 0) == (b > 0)) continue;
            const double t = a / (a - b);
            xs.push_back(s.X1 + t * (s.X2 - s.X1));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) hatch.push_back({xs[i], xs[i] - c, xs[i + 1], xs[i + 1] - c, 0});
    }
    return hatch;
}

} // namespace dravenor
