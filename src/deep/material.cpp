#include "deep/material.h"

#include <cmath>

#include <polyclipping/clipper.hpp>

namespace dravenor::deep {

namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

Path toPath(const Ring& ring, double unit)
{
    Path path;
    path.reserve(ring.size());
    for (const Point& p : ring)
        path.push_back(IntPoint(static_cast<cInt>(std::llround(p.x / unit)), static_cast<cInt>(std::llround(p.y / unit))));
    return path;
}

Ring toRing(const Path& path, double unit)
{
    Ring ring;
    ring.reserve(path.size());
    for (const IntPoint& p : path) ring.push_back({static_cast<double>(p.X) * unit, static_cast<double>(p.Y) * unit});
    return ring;
}

// Outer rings with their holes; islands inside holes become components of their own.
void collect(const ClipperLib::PolyNode& node, double unit, Material& out)
{
    for (const ClipperLib::PolyNode* child : node.Childs) {
        if (child->IsHole()) continue;
        Component component;
        component.outer = toRing(child->Contour, unit);
        for (const ClipperLib::PolyNode* hole : child->Childs) {
            component.holes.push_back(toRing(hole->Contour, unit));
            collect(*hole, unit, out);
        }
        if (component.outer.size() >= 3) out.push_back(std::move(component));
    }
}

Paths evenOddUnion(const std::vector<Ring>& rings, double unit)
{
    Paths in;
    for (const Ring& ring : rings)
        if (ring.size() >= 3) in.push_back(toPath(ring, unit));
    ClipperLib::Clipper clipper;
    clipper.AddPaths(in, ClipperLib::ptSubject, true);
    Paths out;
    clipper.Execute(ClipperLib::ctUnion, out, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
    return out;
}

} // namespace

Material grownMaterial(const std::vector<Ring>& rings, double delta, double arcTolerance, double unit)
{
    const Paths clean = evenOddUnion(rings, unit);
    ClipperLib::ClipperOffset offset(2.0, std::max(arcTolerance / unit, 0.25));
    offset.AddPaths(clean, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    ClipperLib::PolyTree tree;
    offset.Execute(tree, delta / unit);
    Material material;
    collect(tree, unit, material);
    return material;
}

Material boxMinus(const Box& box, const Material& material, double unit)
{
    const Ring frame{{box.x0, box.y0}, {box.x1, box.y0}, {box.x1, box.y1}, {box.x0, box.y1}};
    ClipperLib::Clipper clipper;
    clipper.AddPath(toPath(frame, unit), ClipperLib::ptSubject, true);
    for (const Ring& ring : ringsOf(material)) clipper.AddPath(toPath(ring, unit), ClipperLib::ptClip, true);
    ClipperLib::PolyTree tree;
    clipper.Execute(ClipperLib::ctDifference, tree, ClipperLib::pftNonZero, ClipperLib::pftEvenOdd);
    Material free;
    collect(tree, unit, free);
    return free;
}

std::vector<Ring> ringsOf(const Material& material)
{
    std::vector<Ring> rings;
    for (const Component& c : material) {
        rings.push_back(c.outer);
        rings.insert(rings.end(), c.holes.begin(), c.holes.end());
    }
    return rings;
}

double materialArea(const Material& material)
{
    double area = 0;
    for (const Component& c : material) {
        area += std::fabs(signedArea(c.outer));
        for (const Ring& hole : c.holes) area -= std::fabs(signedArea(hole));
    }
    return area;
}

} // namespace dravenor::deep
