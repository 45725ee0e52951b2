#include "stock/remnant.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "geometry/primitives.h"
#include "geometry/shape_measure.h"
#include "job/number_format.h"
#include "stock/half_plane_clip.h"

namespace dravenor {

namespace {

struct SideDirection {
    RemnantSide side;
    double nx, ny;
};
constexpr SideDirection kSides[] = {
    {RemnantSide::Right, 1, 0}, {RemnantSide::Top, 0, 1}, {RemnantSide::Left, -1, 0}, {RemnantSide::Bottom, 0, -1}};

// The farthest reach of the box along the direction.
double reach(const Extents& box, double nx, double ny)
{
    return std::max(box.xmin * nx, box.xmax * nx) + std::max(box.ymin * ny, box.ymax * ny);
}

Remnant remnantOnSide(const Shape& sheet, const Extents& sheetBox, const Extents& partBox, double clearance,
                      const SideDirection& d)
{
    Remnant r;
    r.side = d.side;
    HalfPlane plane{d.nx, d.ny, reach(partBox, d.nx, d.ny) + clearance};
    if (plane.offset >= reach(sheetBox, d.nx, d.ny)) return r;
    r.outline = clipShapeToHalfPlane(sheet, plane);
    if (r.outline.empty()) return r;
    const Extents box = shapeExtents(r.outline);
    const bool across = d.nx != 0; // the cut runs along y
    r.width = across ? box.width() : box.height();
    r.length = across ? box.height() : box.width();
    r.area = enclosedArea(r.outline);
    const double at = plane.offset * (d.nx + d.ny); // the cut's x or y
    if (across) r.cutX1 = r.cutX2 = at, r.cutY1 = sheetBox.ymin, r.cutY2 = sheetBox.ymax;
    else r.cutY1 = r.cutY2 = at, r.cutX1 = sheetBox.xmin, r.cutX2 = sheetBox.xmax;
    return r;
}

bool usable(const Remnant& r, const RemnantSettings& least)
{
    return r.area > 0 && r.width >= least.minWidth && r.area >= least.minArea;
}

} // namespace

Remnant remnantBeyondParts(const Shape& sheet, const Shape& parts, double clearance, const RemnantSettings& least)
{
    Remnant best;
    if (sheet.empty() || parts.empty()) return best;
    const Extents sheetBox = shapeExtents(sheet);
    const Extents partBox = shapeExtents(parts);
    for (const SideDirection& d : kSides) {
        Remnant r = remnantOnSide(sheet, sheetBox, partBox, clearance, d);
        r.kept = usable(r, least);
        // A usable remnant beats scrap; then the larger area, then the squarer outline.
        const auto rank = [](const Remnant& x) { return std::make_tuple(x.kept, x.area, x.rectangularity()); };
        if (r.side != RemnantSide::None && r.area > 0 && rank(r) > rank(best)) best = std::move(r);
    }
    return best;
}

Remnant layoutRemnant(const NestingState& state, std::int32_t layoutNo, double clearance, const RemnantSettings& least)
{
    Shape sheet, parts;
    for (const LayoutEntity& e : state.entities) {
        if (e.LayoutNo != layoutNo) continue;
        const ShapeEntity entity{e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
        (e.PartIndex == 0 ? sheet : parts).push_back(entity);
    }
    return remnantBeyondParts(sheet, parts, clearance, least);
}

double remnantClearance(const BasicDetails& details, double margin)
{
    return std::max(details.Kerf, details.ActKerf) + std::max(0.0, margin);
}

std::string remnantSizeText(double width, double length)
{
    return formatGeneral(std::round(width * 10) / 10) + " x " + formatGeneral(std::round(length * 10) / 10);
}

} // namespace dravenor
