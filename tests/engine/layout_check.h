#pragma once
// Independent checks of finished layouts against the vector geometry (not the engine's raster):
// every part instance lies inside its sheet and no two instances overlap, each within a
// tolerance (one raster cell); and quantities placed never exceed demand or stock.
#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/nesting_state.h"
#include "geometry/segments.h"

namespace dravenor::testing {

struct PlacedOutline {
    std::int32_t layoutNo = 0, instance = 0, partIndex = 0;
    SegmentList segments;
    double xmin = 1e300, ymin = 1e300, xmax = -1e300, ymax = -1e300;
};

inline PlacedOutline outlineOf(std::int32_t layoutNo, std::int32_t instance, std::int32_t partIndex, const Shape& shape)
{
    PlacedOutline o{layoutNo, instance, partIndex, shapeToSegments(shape)};
    for (const Segment& s : o.segments) {
        o.xmin = std::min({o.xmin, s.X1, s.X2});
        o.ymin = std::min({o.ymin, s.Y1, s.Y2});
        o.xmax = std::max({o.xmax, s.X1, s.X2});
        o.ymax = std::max({o.ymax, s.Y1, s.Y2});
    }
    return o;
}

inline double distanceToSegment(double px, double py, const Segment& s)
{
    const double dx = s.X2 - s.X1, dy = s.Y2 - s.Y1;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((px - s.X1) * dx + (py - s.Y1) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (s.X1 + t * dx), py - (s.Y1 + t * dy));
}

inline double distanceToOutline(double px, double py, const PlacedOutline& o)
{
    double best = 1e300;
    for (const Segment& s : o.segments) best = std::min(best, distanceToSegment(px, py, s));
    return best;
}

// Even-odd rule over all loops: a point in a hole is outside. The ray runs a hair above the
// point so that edges and chord ends at exactly the point's height cannot upset the count.
inline bool insideOutline(double px, double py, const PlacedOutline& o)
{
    py += 1e-7 * (1 + std::fabs(py));
    bool inside = false;
    for (const Segment& s : o.segments) {
        if ((s.Y1 > py) == (s.Y2 > py)) continue;
        const double x = s.X1 + (py - s.Y1) / (s.Y2 - s.Y1) * (s.X2 - s.X1);
        if (x > px) inside = !inside;
    }
    return inside;
}

// Points along the outline no further apart than the spacing, corners included.
inline std::vector<std::pair<double, double>> boundarySamples(const PlacedOutline& o, double spacing)
{
    std::vector<std::pair<double, double>> points;
    for (const Segment& s : o.segments) {
        const double length = std::hypot(s.X2 - s.X1, s.Y2 - s.Y1);
        const int steps = std::max(1, static_cast<int>(std::ceil(length / spacing)));
        for (int k = 0; k < steps; ++k)
            points.emplace_back(s.X1 + (s.X2 - s.X1) * k / steps, s.Y1 + (s.Y2 - s.Y1) * k / steps);
    }
    return points;
}

// A point of one outline that lies inside the other deeper than the tolerance.
inline bool reachesInto(const PlacedOutline& a, const PlacedOutline& b, double tolerance)
{
    for (const auto& [x, y] : boundarySamples(a, tolerance / 2))
        if (insideOutline(x, y, b) && distanceToOutline(x, y, b) > tolerance) return true;
    return false;
}

inline bool boxesMeet(const PlacedOutline& a, const PlacedOutline& b, double tolerance)
{
    return a.xmin < b.xmax + tolerance && b.xmin < a.xmax + tolerance && a.ymin < b.ymax + tolerance &&
           b.ymin < a.ymax + tolerance;
}

inline std::map<std::pair<std::int32_t, std::int32_t>, Shape> shapesByInstance(const NestingState& state)
{
    std::map<std::pair<std::int32_t, std::int32_t>, Shape> shapes;
    for (const LayoutEntity& e : state.entities)
        shapes[{e.LayoutNo, e.Instance}].push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
    return shapes;
}

// One line per fault: a part leaving its sheet or two parts overlapping by more than the
// tolerance. Empty when the layouts are sound.
inline std::vector<std::string> geometryFaults(const NestingState& state, double tolerance)
{
    std::map<std::int32_t, PlacedOutline> sheets;
    std::map<std::int32_t, std::vector<PlacedOutline>> parts;
    std::map<std::pair<std::int32_t, std::int32_t>, std::int32_t> partIndex;
    for (const LayoutEntity& e : state.entities) partIndex[{e.LayoutNo, e.Instance}] = e.PartIndex;
    for (const auto& [key, shape] : shapesByInstance(state)) {
        PlacedOutline o = outlineOf(key.first, key.second, partIndex[key], shape);
        if (key.second == 0) sheets[key.first] = std::move(o);
        else parts[key.first].push_back(std::move(o));
    }
    std::vector<std::string> faults;
    auto fault = [&](std::int32_t layout, std::int32_t a, std::int32_t b, const char* what) {
        std::ostringstream text;
        text << "layout " << layout << ": ";
        if (b) text << "instances " << a << " and " << b << " " << what;
        else if (a) text << "instance " << a << " " << what;
        else text << what;
        faults.push_back(text.str());
    };
    for (const auto& [layout, placed] : parts) {
        const auto sheet = sheets.find(layout);
        if (sheet == sheets.end()) {
            fault(layout, 0, 0, "no sheet outline");
            continue;
        }
        for (const PlacedOutline& p : placed) {
            for (const auto& [x, y] : boundarySamples(p, tolerance / 2))
                if (!insideOutline(x, y, sheet->second) && distanceToOutline(x, y, sheet->second) > tolerance) {
                    fault(layout, p.instance, 0, "leaves the sheet");
                    break;
                }
        }
        for (size_t i = 0; i < placed.size(); ++i)
            for (size_t j = i + 1; j < placed.size(); ++j)
                if (boxesMeet(placed[i], placed[j], tolerance) &&
                    (reachesInto(placed[i], placed[j], tolerance) || reachesInto(placed[j], placed[i], tolerance)))
                    fault(layout, placed[i].instance, placed[j].instance, "overlap");
    }
    return faults;
}

// Instances of each part (0-based like state.parts) over all layouts, each layout counted with
// its quantity; and sheets used per sheet entry.
struct PlacedCounts {
    std::vector<long long> parts, sheets;
};

inline PlacedCounts placedCounts(const NestingState& state)
{
    PlacedCounts counts{std::vector<long long>(state.parts.size()), std::vector<long long>(state.sheets.size())};
    std::map<std::pair<std::int32_t, std::int32_t>, const LayoutEntity*> first;
    for (const LayoutEntity& e : state.entities) first.emplace(std::make_pair(e.LayoutNo, e.Instance), &e);
    for (const auto& [key, e] : first) {
        if (key.second == 0) counts.sheets.at(static_cast<size_t>(e->SheetIndex - 1)) += e->Qty;
        else counts.parts.at(static_cast<size_t>(e->PartIndex - 1)) += e->Qty;
    }
    return counts;
}

} // namespace dravenor::testing
