#include "deep/region_builder.h"

namespace dravenor::deep {

std::vector<Edge> edgesOf(const std::vector<Ring>& rings)
{
    std::vector<Edge> edges;
    for (const Ring& ring : rings)
        for (std::size_t i = 0, n = ring.size(); i < n; ++i) edges.push_back({ring[i], ring[(i + 1) % n]});
    return edges;
}

Region regionOf(const Material& material, const PoleLimits& limits)
{
    Region region;
    std::vector<Point> outerPoints;
    for (const Component& c : material) {
        std::vector<Ring> rings{c.outer};
        rings.insert(rings.end(), c.holes.begin(), c.holes.end());
        for (const Ring& ring : rings)
            if (!ring.empty()) region.anchors.push_back(ring.front());
        const std::vector<Edge> edges = edgesOf(rings);
        region.edges.insert(region.edges.end(), edges.begin(), edges.end());
        outerPoints.insert(outerPoints.end(), c.outer.begin(), c.outer.end());
    }
    region.area = materialArea(material);
    region.hullArea = convexHullArea(std::move(outerPoints));
    takeBox(region);
    for (const Circle& c : inscribedCircles(region, limits)) region.poles.push_back(c);
    return region;
}

} // namespace dravenor::deep
