#include "layouts/remnant_marks.h"

#include <algorithm>

#include "geometry/primitives.h"
#include "stock/remnant_hatch.h"

namespace dravenor {

namespace {

constexpr std::uint32_t kCutLineRgb = 0xD02020;  // red: where the torch parts the remnant off
constexpr std::uint32_t kHatchRgb = 0x9090A0;    // grey-blue hatching

} // namespace

std::int64_t RemnantMarks::idOf(std::int32_t layoutNo) const
{
    return layoutNo >= 0 && static_cast<size_t>(layoutNo) < ids.size() ? ids[static_cast<size_t>(layoutNo)] : 0;
}

RemnantMarks remnantMarksOf(const Job& job)
{
    RemnantMarks marks = remnantMarksOf(job.nesting, job.deep.margin, job.remnants);
    marks.ids = job.remnantIds;
    return marks;
}

RemnantMarks remnantMarksOf(const NestingState& state, double deepMargin, const RemnantSettings& least)
{
    RemnantMarks marks;
    marks.clearance = remnantClearance(state.details, state.deepLayouts ? deepMargin : 0);
    marks.least = least;
    return marks;
}

std::optional<Remnant> markedRemnant(const NestingState& state, std::int32_t layoutNo, const RemnantMarks& marks)
{
    Remnant r = layoutRemnant(state, layoutNo, marks.clearance, marks.least);
    if (!r.kept) return std::nullopt;
    return r;
}

std::string remnantLabel(const Remnant& remnant, std::int64_t id)
{
    return "Remnant " + (id > 0 ? std::to_string(id) + ": " : std::string()) +
        remnantSizeText(remnant.width, remnant.length);
}

double remnantLabelLeft(const Remnant& remnant, const Extents& box, double labelWidth)
{
    if (labelWidth <= box.width()) return box.xmin + (box.width() - labelWidth) / 2;
    // Wider than a narrow remnant: it reaches over the parts instead of past the sheet's edge.
    return remnant.side == RemnantSide::Left ? box.xmin : box.xmax - labelWidth;
}

void drawRemnantMarks(const NestingState& state, std::int32_t layoutNo, const RemnantMarks& marks,
                      DrawingSurface& surface, double mirror)
{
    const std::optional<Remnant> remnant = markedRemnant(state, layoutNo, marks);
    if (!remnant) return;
    const Extents box = shapeExtents(remnant->outline);
    const double spacing = std::max(box.width(), box.height()) / 40;
    for (const Segment& s : remnantHatch(remnant->outline, spacing))
        surface.lineRgb(s.X1, mirror - s.Y1, s.X2, mirror - s.Y2, kHatchRgb);
    surface.lineRgb(remnant->cutX1, mirror - remnant->cutY1, remnant->cutX2, mirror - remnant->cutY2, kCutLineRgb);
    const std::string label = remnantLabel(*remnant, marks.idOf(layoutNo));
    surface.text(remnantLabelLeft(*remnant, box, surface.textWidth(label)),
                 mirror - (box.ymin + box.height() / 2) - surface.textHeight(label) / 2, label);
}

} // namespace dravenor
