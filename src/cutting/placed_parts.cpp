#include "cutting/placed_parts.h"

#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"

namespace dravenor::cutting {

void findHosts(std::vector<PlacedPart>& parts)
{
    struct Hole {
        int part;
        int contour;
        Extents box;
        std::vector<Vec2> polygon;
        double area;
    };
    std::vector<Hole> holes;
    for (const PlacedPart& p : parts)
        for (size_t i = 0; i < p.contours.contours.size(); ++i) {
            const Contour& c = p.contours.contours[i];
            if (!c.hole) continue;
            Hole h{p.number, static_cast<int>(i), {}, chordPolygon(c.path, 1e-3), std::abs(doubleSignedArea(c.path))};
            for (Vec2 q : h.polygon) includePoint(h.box, q.x, q.y);
            holes.push_back(std::move(h));
        }
    if (holes.empty()) return;
    for (PlacedPart& p : parts) {
        if (p.contours.contours.empty()) continue;
        const Vec2 probe = pointAt(p.contours.contours.front().path.front(), 0);
        const Hole* best = nullptr;
        for (const Hole& h : holes) {
            if (h.part == p.number || p.box.xmin < h.box.xmin || p.box.xmax > h.box.xmax || p.box.ymin < h.box.ymin ||
                p.box.ymax > h.box.ymax)
                continue;
            if (insidePolygon(probe, h.polygon) && (!best || h.area < best->area)) best = &h;
        }
        if (best) {
            p.host = best->part;
            p.hostHole = best->contour;
            parts[static_cast<size_t>(best->part - 1)].guests.push_back(p.number);
        }
    }
}

void shareLines(std::vector<PlacedPart>& parts, double kerf, CommonLines& common)
{
    std::vector<PiecePath> paths;
    std::vector<std::vector<bool>> corners;
    std::vector<int> owners;
    for (PlacedPart& p : parts) {
        p.loops.assign(p.contours.contours.size(), -1);
        if (p.host != 0) continue;
        for (size_t i = 0; i < p.contours.contours.size(); ++i) {
            if (p.contours.contours[i].hole || !p.paths[i].ok) continue;
            p.loops[i] = static_cast<int>(paths.size());
            common.owner.emplace_back(p.number, i);
            paths.push_back(p.paths[i].path);
            corners.push_back(p.paths[i].cornerArc);
            owners.push_back(p.number);
        }
    }
    common.paths = shareCommonLines(paths, corners, owners, kerf);
    for (const SharedPath& shared : common.paths) common.cut.emplace_back(shared.path.size(), false);
    for (PlacedPart& p : parts)
        for (size_t i = 0; i < p.loops.size(); ++i) {
            if (p.loops[i] < 0) continue;
            const SharedPath& shared = common.paths[static_cast<size_t>(p.loops[i])];
            p.paths[i].path = shared.path;
            p.paths[i].cornerArc = shared.cornerArc;
            for (int partner : shared.partner) {
                if (partner < 0) continue;
                const int other = owners[static_cast<size_t>(partner)];
                if (std::find(p.neighbours.begin(), p.neighbours.end(), other) == p.neighbours.end())
                    p.neighbours.push_back(other);
            }
        }
}

std::vector<std::vector<int>> partGroups(const std::vector<PlacedPart>& parts)
{
    std::vector<int> groupOf(parts.size(), -1);
    std::vector<std::vector<int>> groups;
    for (const PlacedPart& p : parts) {
        if (p.host != 0 || groupOf[static_cast<size_t>(p.number - 1)] >= 0) continue;
        const int g = static_cast<int>(groups.size());
        std::vector<int> group{p.number}, stack{p.number};
        groupOf[static_cast<size_t>(p.number - 1)] = g;
        while (!stack.empty()) {
            const int n = stack.back();
            stack.pop_back();
            for (int m : parts[static_cast<size_t>(n - 1)].neighbours)
                if (groupOf[static_cast<size_t>(m - 1)] < 0) {
                    groupOf[static_cast<size_t>(m - 1)] = g;
                    group.push_back(m);
                    stack.push_back(m);
                }
        }
        std::sort(group.begin(), group.end());
        groups.push_back(std::move(group));
    }
    return groups;
}

} // namespace dravenor::cutting
