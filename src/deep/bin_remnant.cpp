#include "deep/bin_remnant.h"

namespace dravenor::deep {

namespace {

RemnantMeasure measureOf(const SheetType& sheet, const Box& remnant)
{
    RemnantMeasure m;
    if (remnant.empty() || remnant.area() <= 0) return m;
    double hazards = 0;
    for (const Region& hazard : sheet.hazards) {
        const Box common = hazard.box.intersection(remnant);
        if (common.empty() || hazard.box.area() <= 0) continue;
        hazards += hazard.area * common.area() / hazard.box.area();
    }
    m.area = std::max(0.0, remnant.area() - hazards);
    m.rectangularity = m.area / remnant.area();
    return m;
}

} // namespace

RemnantMeasure remnantBeyond(const SheetType& sheet, const Box& used, double clearance)
{
    const Box& free = sheet.free;
    if (used.empty()) return measureOf(sheet, free);
    // Beyond each side of the used box: right, top, left, bottom.
    const Box sides[] = {{used.x1 + clearance, free.y0, free.x1, free.y1},
                         {free.x0, used.y1 + clearance, free.x1, free.y1},
                         {free.x0, free.y0, used.x0 - clearance, free.y1},
                         {free.x0, free.y0, free.x1, used.y0 - clearance}};
    RemnantMeasure best;
    for (const Box& side : sides) {
        const RemnantMeasure m = measureOf(sheet, side);
        if (m.area > best.area || (m.area == best.area && m.rectangularity > best.rectangularity)) best = m;
    }
    return best;
}

RemnantMeasure binRemnant(const Arrangement& a, int b)
{
    Box used;
    for (int item : a.itemsIn(b)) used.take(a.marginBox(item, a.placement(item)));
    return remnantBeyond(a.sheetOf(b), used, a.job().spacing);
}

} // namespace dravenor::deep
