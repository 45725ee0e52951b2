#include "cutting/cut_plan.h"

#include <algorithm>
#include <cmath>

#include "cutting/contour_planner.h"
#include "cutting/cut_order.h"
#include "cutting/layout_shapes.h"
#include "cutting/lead_room.h"
#include "cutting/remnant_cut.h"
#include "cutting/skeleton_cut.h"
#include "geometry/layout_lists.h"
#include "geometry/primitives.h"
#include "job/files.h"
#include "job/number_format.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor::cutting {

namespace {

// Ends of a drawn outline closer than this meet.
constexpr double kJoinTolerance = 0.01;

Vec2 startCorner(const Extents& sheet, StartCorner corner)
{
    switch (corner) {
    case StartCorner::BottomRight: return {sheet.xmax, sheet.ymin};
    case StartCorner::TopLeft: return {sheet.xmin, sheet.ymax};
    case StartCorner::TopRight: return {sheet.xmax, sheet.ymax};
    case StartCorner::BottomLeft: break;
    }
    return {sheet.xmin, sheet.ymin};
}

std::string refusal(const std::vector<LayoutFault>& faults, int layoutNo, double kerf)
{
    std::string text = "layout " + std::to_string(layoutNo) + " cannot be cut: parts must stand at least the kerf (" +
                       formatGeneral(kerf) + ") apart";
    size_t shown = 0;
    for (const LayoutFault& f : faults) {
        if (f.kind != LayoutFault::Kind::Overlap && f.kind != LayoutFault::Kind::TooClose) continue;
        if (shown++ == 5) {
            text += "; ...";
            break;
        }
        std::string what = f.text;
        const std::string prefix = "layout " + std::to_string(layoutNo) + ": ";
        if (what.rfind(prefix, 0) == 0) what = what.substr(prefix.size());
        text += "; " + what;
    }
    return shown ? text : "";
}

// The kept remnant's cut from where the torch stands; it frees the remnant, so it comes last.
std::optional<CutContour> remnantCutOf(const NestingState& state, int layoutNo, const Extents& sheet,
                                       const std::vector<PlacedPart>& parts, const CutSettings& settings, Vec2 from,
                                       std::vector<std::string>& warnings)
{
    const std::optional<Remnant> remnant = markedRemnant(state, layoutNo, *settings.remnants);
    if (!remnant) return std::nullopt;
    Extents reach;
    for (const PlacedPart& p : parts) {
        includePoint(reach, p.box.xmin, p.box.ymin);
        includePoint(reach, p.box.xmax, p.box.ymax);
    }
    RemnantCut cut = remnantCut(*remnant, sheet, reach, settings, from);
    if (!cut.contour) {
        warnings.push_back(cut.warning);
        return std::nullopt;
    }
    cut.contour->label = remnantCutLabel(*remnant, settings.remnants->idOf(layoutNo));
    return cut.contour;
}

// The waste the skeleton cut-up runs through: the plate, outside the parts' outer torch paths,
// on the parts' side of the remnant's cut.
SkeletonWaste skeletonWaste(const std::vector<PiecePath>& sheetPaths, const std::vector<PlacedPart>& parts,
                            const std::optional<CutContour>& remnant)
{
    SkeletonWaste waste;
    for (const PiecePath& p : sheetPaths) waste.plate.push_back(chordPolygon(p, 1e-3));
    Extents reach;
    for (const PlacedPart& p : parts) {
        includePoint(reach, p.box.xmin, p.box.ymin);
        includePoint(reach, p.box.xmax, p.box.ymax);
        for (size_t i = 0; i < p.contours.contours.size(); ++i)
            if (!p.contours.contours[i].hole)
                waste.parts.push_back(chordPolygon(p.paths[i].ok ? p.paths[i].path : p.contours.contours[i].path, 1e-3));
    }
    if (remnant && !reach.empty()) {
        const PathPiece& line = remnant->cut.front();
        Vec2 n = leftOf(unit(line.b - line.a));
        if (dot(centreOf(reach) - line.a, n) > 0) n = n * -1;
        waste.keepNormal = n;
        waste.keepLimit = dot(line.a, n);
    }
    return waste;
}

} // namespace

Vec2 contourEnd(const CutContour& c)
{
    if (!c.leadOut.empty()) return c.leadOut.back().b;
    if (!c.overcut.empty()) return c.overcut.back().b;
    return c.rest.empty() ? c.cut.back().b : c.rest.back().back().b;
}

double rapidTravel(Vec2 home, const std::vector<CutContour>& contours)
{
    double total = 0;
    Vec2 at = home;
    for (const CutContour& c : contours) {
        total += distance(at, c.pierce);
        at = contourEnd(c);
    }
    return total;
}

void measurePlan(CutPlan& plan, const CutSettings& settings)
{
    plan.cutLength = 0;
    plan.kerfStarts = static_cast<int>(std::count_if(plan.contours.begin(), plan.contours.end(), [](const CutContour& c) { return c.inKerf; }));
    plan.pierces = static_cast<int>(plan.contours.size()) - plan.kerfStarts;
    Vec2 at = plan.home;
    double jointGaps = 0;
    for (CutContour& c : plan.contours) {
        c.rapidBefore = distance(at, c.pierce);
        plan.cutLength += pathLength(c.leadIn) + pathLength(c.cut) + pathLength(c.overcut) + pathLength(c.leadOut);
        Vec2 stop = c.cut.back().b;
        for (const PiecePath& r : c.rest) {
            plan.cutLength += pathLength(r);
            jointGaps += distance(stop, r.front().a);
            stop = r.back().b;
        }
        if (!settings.jointByController) plan.pierces += static_cast<int>(c.rest.size());
        at = contourEnd(c);
    }
    // Over a joint the torch travels at rapid speed after a stop, or on at the feed.
    if (settings.jointByController) plan.cutLength += jointGaps;
    plan.rapidLength = rapidTravel(plan.home, plan.contours) + (settings.jointByController ? 0 : jointGaps);
    plan.seconds = plan.cutLength / settings.feed * 60 + plan.pierces * settings.pierceDelay +
                   plan.rapidLength / settings.rapidSpeed * 60;
}

CutPlanResult planLayoutCut(const NestingState& state, int layoutNo, const CutSettings& settings)
{
    CutPlanResult result;
    const LayoutShapes layout = layoutShapes(state, layoutNo);
    result.error = layout.error;
    if (!result.error.empty()) return result;
    const Shape& sheet = layout.sheet;
    CutPlan plan;
    plan.layoutNo = layoutNo;
    plan.sheetCount = layout.count;
    if (layout.sheetIndex >= 1 && layout.sheetIndex <= static_cast<int>(state.sheets.size()))
        plan.sheetName = fileNameOnly(state.sheet(layout.sheetIndex).FileName);
    std::vector<PlacedPart> parts;
    for (const PlacedShape& placed : layout.parts) {
        PlacedPart part;
        part.number = static_cast<int>(parts.size()) + 1;
        part.name = placed.name;
        part.shape = placed.shape;
        parts.push_back(std::move(part));
    }
    for (const PlacedPart& p : parts) plan.partNames.push_back(p.name);

    // Parts closer than the kerf cannot all be cut whole.
    std::vector<Shape> shapes;
    for (const PlacedPart& p : parts) shapes.push_back(p.shape);
    const std::vector<LayoutFault> faults =
        checkPlacedLayout(layoutNo, sheet, shapes, plan.partNames, 0.01, kJoinTolerance, {settings.kerf, 0});
    result.error = refusal(faults, layoutNo, settings.kerf);
    if (!result.error.empty()) return result;

    const double half = settings.kerf / 2;
    std::vector<PiecePath> outlines;
    for (PlacedPart& p : parts) {
        p.contours = partContours(p.shape, kJoinTolerance);
        p.box = shapeExtents(p.shape);
        const std::string who = "part " + std::to_string(p.number) + " (" + p.name + ")";
        if (p.contours.openChains > 0) plan.warnings.push_back(who + ": an outline that does not close is not cut");
        std::vector<const PiecePath*> guards;
        for (const Contour& c : p.contours.contours) guards.push_back(&c.path);
        for (const Contour& c : p.contours.contours) {
            outlines.push_back(c.path);
            OffsetContour path;
            if (settings.compensate) {
                path = offsetContour(c.path, half, guards);
            } else {
                path.ok = true;
                path.path = c.path;
                path.cornerArc.assign(c.path.size(), false);
            }
            if (!path.ok)
                plan.warnings.push_back(who + (c.hole ? ": a hole too small for the kerf is not cut"
                                                      : ": an outline too narrow for the kerf is not cut"));
            else if (path.leftUncut)
                plan.warnings.push_back(who + (c.hole ? ": a part of a hole narrower than the kerf is left uncut"
                                                      : ": a notch narrower than the kerf is left uncut"));
            p.paths.push_back(std::move(path));
        }
    }
    findHosts(parts);

    const PartContours sheetContours = partContours(sheet, kJoinTolerance);
    std::vector<PiecePath> sheetPaths;
    for (const Contour& c : sheetContours.contours) sheetPaths.push_back(c.path);
    const LeadRoom room(sheetPaths, outlines, half);
    plan.home = startCorner(shapeExtents(sheet), settings.startCorner);

    // Top-level parts, each with the parts joined to it by common lines, in a short tour of their
    // box centres; each cut with what lies in its holes.
    CommonLines common;
    const bool sharing = settings.commonLine && settings.compensate;
    if (settings.commonLine && !settings.compensate)
        plan.warnings.push_back("common lines are cut only where the program runs the compensated path (compensation = path)");
    if (settings.jointWidth > 0 && !settings.compensate)
        plan.warnings.push_back("microjoints are left only where the program runs the compensated path (compensation = path)");
    if (sharing) shareLines(parts, settings.kerf, common);
    const std::vector<std::vector<int>> top = partGroups(parts);
    std::vector<Vec2> centres;
    for (const std::vector<int>& group : top) {
        Extents box;
        for (int n : group) {
            const Extents& b = parts[static_cast<size_t>(n - 1)].box;
            includePoint(box, b.xmin, b.ymin);
            includePoint(box, b.xmax, b.ymax);
        }
        centres.push_back(centreOf(box));
    }
    const std::vector<int> order = shortTour(plan.home, centres);
    const std::vector<std::vector<CutContour>> blocks =
        cutGroups(parts, top, order, room, settings, plan.home, sharing ? &common : nullptr, plan.warnings);
    plan.commonCuts = std::move(common.cuts);

    // Never travel further than the layout's own part order would with the same pierces.
    std::vector<int> listed(top.size());
    for (size_t i = 0; i < listed.size(); ++i) listed[i] = static_cast<int>(i);
    auto flatten = [&](const std::vector<int>& sequence) {
        std::vector<CutContour> all;
        for (int k : sequence)
            for (const CutContour& c : blocks[static_cast<size_t>(k)]) all.push_back(c);
        return all;
    };
    plan.contours = flatten(order);
    std::vector<CutContour> asListed = flatten(listed);
    if (rapidTravel(plan.home, asListed) < rapidTravel(plan.home, plan.contours)) plan.contours = std::move(asListed);
    // The skeleton's cut-up after every part, then the remnant's cut from where the torch ends.
    const Extents sheetBox = shapeExtents(sheet);
    Vec2 at = plan.contours.empty() ? plan.home : contourEnd(plan.contours.back());
    std::vector<std::string> ignored;
    std::optional<CutContour> remnant;
    if (settings.remnants) remnant = remnantCutOf(state, layoutNo, sheetBox, parts, settings, at, ignored);
    if (settings.skeletonPiece > 0 && !settings.compensate)
        plan.warnings.push_back("the skeleton is cut up only where the program runs the compensated path (compensation = path)");
    else if (settings.skeletonPiece > 0)
        for (CutContour& c : skeletonCuts(skeletonWaste(sheetPaths, parts, remnant), sheetBox, settings.skeletonPiece, at))
            plan.contours.push_back(std::move(c));
    if (settings.remnants) remnant = remnantCutOf(state, layoutNo, sheetBox, parts, settings, at, plan.warnings);
    if (remnant) plan.contours.push_back(std::move(*remnant));
    measurePlan(plan, settings);
    result.plan = std::move(plan);
    return result;
}

} // namespace dravenor::cutting