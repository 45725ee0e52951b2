#include "cutting/remnant_cut.h"

#include <algorithm>
#include <cmath>

#include "job/number_format.h"

namespace dravenor::cutting {

namespace {

// Rounding that never counts as coming closer to a part.
constexpr double kGapTolerance = 1e-9;

// The direction from the parts into the remnant.
Vec2 intoRemnant(RemnantSide side)
{
    switch (side) {
    case RemnantSide::Right: return {1, 0};
    case RemnantSide::Top: return {0, 1};
    case RemnantSide::Left: return {-1, 0};
    case RemnantSide::Bottom: return {0, -1};
    case RemnantSide::None: break;
    }
    return {0, 0};
}

// The farthest reach of the box along the direction.
double reach(const Extents& box, Vec2 n)
{
    return std::max(box.xmin * n.x, box.xmax * n.x) + std::max(box.ymin * n.y, box.ymax * n.y);
}

} // namespace

std::string remnantCutLabel(const Remnant& remnant, std::int64_t id)
{
    return "remnant cut, keeps remnant " + (id > 0 ? std::to_string(id) + ": " : std::string()) +
           remnantSizeText(remnant.width, remnant.length);
}

RemnantCut remnantCut(const Remnant& remnant, const Extents& sheet, const Extents& parts, const CutSettings& settings,
                      Vec2 from)
{
    RemnantCut result;
    const Vec2 n = intoRemnant(remnant.side);
    if (remnant.side == RemnantSide::None || sheet.empty() || parts.empty()) return result;
    Vec2 start{remnant.cutX1, remnant.cutY1}, end{remnant.cutX2, remnant.cutY2};
    // Edge to edge of the plate, whatever the remnant module spanned.
    if (n.x != 0) start.y = sheet.ymin, end.y = sheet.ymax;
    else start.x = sheet.xmin, end.x = sheet.xmax;
    const double half = settings.kerf / 2;
    const double gap = dot(start, n) - reach(parts, n);
    // The torch centre runs `shift` toward the parts: half the kerf where the gap allows, so the
    // remnant keeps its recorded size; the controller always shifts by half the kerf.
    const double shift = settings.compensate ? std::min(half, gap - half) : half;
    if (shift < -kGapTolerance || (!settings.compensate && gap < settings.kerf - kGapTolerance)) {
        result.warning = "the remnant's cut line lies " + formatGeneral(std::round(gap * 1000) / 1000) +
                         " from the parts, closer than the kerf allows; the remnant is not cut off";
        return result;
    }
    if (settings.compensate) {
        start = start - n * std::max(shift, 0.0);
        end = end - n * std::max(shift, 0.0);
    }
    // The controller's compensation to the left of travel must fall on the parts' side; a path
    // already compensated starts at the end nearer the torch.
    const bool swap = settings.compensate ? distance(from, end) < distance(from, start)
                                          : cross(end - start, n * -1.0) < 0;
    if (swap) std::swap(start, end);
    const Vec2 d = unit(end - start);
    CutContour c;
    c.part = 0;
    if (!settings.remnantEdgeStart && settings.leadIn > 0) c.leadIn = {linePiece(start - d * settings.leadIn, start)};
    c.pierce = c.leadIn.empty() ? start : c.leadIn.front().a;
    c.cut = {linePiece(start, end)};
    if (settings.leadOut > 0) c.leadOut = {linePiece(end, end + d * settings.leadOut)};
    result.contour = std::move(c);
    return result;
}

} // namespace dravenor::cutting
