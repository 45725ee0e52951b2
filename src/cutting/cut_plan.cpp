#include "cutting/cut_plan.h"

#include <algorithm>
#include <cmath>

#include "cutting/common_lines.h"
#include "cutting/cut_order.h"
#include "cutting/kerf_offset.h"
#include "cutting/layout_shapes.h"
#include "cutting/lead_room.h"
#include "cutting/micro_joints.h"
#include "cutting/part_contours.h"
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

struct PlacedPart {
    int number = 0; // placement number, 1-based
    std::string name;
    Shape shape;
    PartContours contours;
    std::vector<OffsetContour> paths; // per contour
    Extents box;
    int host = 0;      // the part in whose hole this one lies, 0 for none
    int hostHole = -1; // that hole's contour index
    std::vector<int> guests; // parts lying in this part's holes
    std::vector<int> loops;      // per contour: its torch path among the common lines, -1 for none
    std::vector<int> neighbours; // parts it shares a stretch of torch path with
};

Vec2 centreOf(const Extents& box) { return {(box.xmin + box.xmax) / 2, (box.ymin + box.ymax) / 2}; }

// The outer torch paths of parts not lying in holes, split where they share stretches, and which
// of them have been cut.
struct CommonLines {
    std::vector<SharedPath> paths;
    std::vector<std::pair<int, size_t>> owner; // per path: its part's number and contour
    std::vector<std::vector<bool>> cut;        // per path and piece: cut already
    PiecePath cuts; // the shared stretches, in the order they are cut
};

// Where a lead may start on a closed torch path.
struct StartPoint {
    size_t piece = 0;  // the path starts in this piece ...
    double at = 0;     // ... at this share of it
    Vec2 point, normal, tangent;
    bool corner = false;
    bool lineOnly = false;
};

std::vector<StartPoint> startPoints(const OffsetContour& path)
{
    std::vector<StartPoint> points;
    const size_t n = path.path.size();
    for (size_t k = 0; k < n; ++k) {
        const PathPiece& p = path.path[k];
        if (path.cornerArc[k]) {
            const Vec2 mid = pointAt(p, 0.5);
            points.push_back({k, 0.5, mid, unit(mid - p.c), tangentAt(p, 0.5), true, false});
            continue;
        }
        const Vec2 before = tangentAt(path.path[(k + n - 1) % n], 1), after = tangentAt(p, 0);
        if (n > 1 && dot(before, after) < 0.985)
            points.push_back({k, 0, p.a, unit(leftOf(before) + leftOf(after)), after, true, true});
        const int count = n == 1 ? 4 : 1;
        for (int i = 0; i < count; ++i) {
            const double at = n == 1 ? i / 4.0 : 0.5;
            points.push_back({k, at, pointAt(p, at), leftOf(tangentAt(p, at)), tangentAt(p, at), false, false});
        }
    }
    return points;
}

// The closed path turned to begin at the start point.
PiecePath fromStart(const PiecePath& path, const StartPoint& s)
{
    const PathPiece& first = path[s.piece];
    if (path.size() == 1) {
        // A circle on its own begins and ends at the start point.
        PathPiece circle = first;
        circle.a = circle.b = s.point;
        return {circle};
    }
    const bool split = s.at > 0 && s.at < 1;
    PiecePath turned{split ? tailOf(first, s.at) : first};
    for (size_t i = 1; i < path.size(); ++i) turned.push_back(path[(s.piece + i) % path.size()]);
    if (split) turned.push_back(headOf(first, s.at));
    return turned;
}

PiecePath leadInPath(const StartPoint& s, double len, bool arc)
{
    if (arc && !s.lineOnly) {
        const Vec2 centre = s.point + s.normal * len;
        return {arcPiece(centre - s.tangent * len, s.point, centre, true)};
    }
    return {linePiece(s.point + s.normal * len, s.point)};
}

struct Torch {
    Vec2 at;
};

class Planner {
public:
    Planner(std::vector<PlacedPart>& parts, const LeadRoom& room, const CutSettings& settings, std::vector<std::string>& warnings)
        : parts_(parts), room_(room), settings_(settings), warnings_(warnings)
    {
    }

    // Cuts the part: the parts in each hole, the hole, then its outer contours.
    void cutPart(int number, Torch& torch, std::vector<CutContour>& out)
    {
        cutHoles(number, torch, out);
        const PlacedPart& part = parts_[static_cast<size_t>(number - 1)];
        for (size_t o = 0; o < part.contours.contours.size(); ++o)
            if (!part.contours.contours[o].hole) cutContour(parts_[static_cast<size_t>(number - 1)], o, torch, out);
    }

    // Cuts parts joined by shared stretches: every hole of them first (so that no part comes
    // free before its holes), then their outlines. The first outline is cut whole; then, again
    // and again, the stretch of an outline not cut yet that starts nearest the torch where a cut
    // has already run, on to the next cut piece. A shared piece is cut once, for both parts; the
    // torch goes on without a stop where the next stretch starts where it stands.
    void cutGroup(const std::vector<int>& members, Torch& torch, std::vector<CutContour>& out)
    {
        if (members.size() == 1 || !common_) {
            for (int number : members) cutPart(number, torch, out);
            return;
        }
        const std::vector<int> order = neighbourOrder(members, torch.at);
        for (int number : order) cutHoles(number, torch, out);
        std::vector<int> untouched; // shared paths not begun, in the members' order
        for (int number : order) {
            PlacedPart& part = parts_[static_cast<size_t>(number - 1)];
            for (size_t o = 0; o < part.contours.contours.size(); ++o) {
                if (part.contours.contours[o].hole) continue;
                const int loop = o < part.loops.size() ? part.loops[o] : -1;
                if (loop < 0) cutContour(part, o, torch, out);
                else untouched.push_back(loop);
            }
        }
        std::vector<int> active; // shared paths begun and not done
        for (;;) {
            int bestLoop = -1;
            Run bestRun;
            double bestDistance = 0;
            for (int loop : active)
                for (const Run& run : uncutRuns(common_->cut[static_cast<size_t>(loop)])) {
                    const double d = distance(common_->paths[static_cast<size_t>(loop)].path[run.first].a, torch.at);
                    if (bestLoop < 0 || d < bestDistance) {
                        bestLoop = loop;
                        bestRun = run;
                        bestDistance = d;
                    }
                }
            if (bestLoop >= 0) {
                const PiecePath& path = common_->paths[static_cast<size_t>(bestLoop)].path;
                const int number = common_->owner[static_cast<size_t>(bestLoop)].first;
                cutRun(parts_[static_cast<size_t>(number - 1)], runPath(path, bestRun), bestDistance <= kCommonLineTolerance, torch, out);
                for (size_t i = 0; i < bestRun.count; ++i) markCut(bestLoop, (bestRun.first + i) % path.size(), active);
                continue;
            }
            // Nothing begun is left: the next path not begun is cut whole, from a pierce.
            const auto next = std::find_if(untouched.begin(), untouched.end(), [&](int loop) {
                const std::vector<bool>& cut = common_->cut[static_cast<size_t>(loop)];
                return std::find(cut.begin(), cut.end(), true) == cut.end();
            });
            if (next == untouched.end()) break;
            const int loop = *next;
            untouched.erase(next);
            const auto [number, o] = common_->owner[static_cast<size_t>(loop)];
            cutContour(parts_[static_cast<size_t>(number - 1)], o, torch, out);
            for (size_t k = 0; k < common_->paths[static_cast<size_t>(loop)].path.size(); ++k) markCut(loop, k, active);
        }
    }

    void shareLines(CommonLines& common) { common_ = &common; }

private:
    // The parts in each hole of the part, then the hole.
    void cutHoles(int number, Torch& torch, std::vector<CutContour>& out)
    {
        PlacedPart& part = parts_[static_cast<size_t>(number - 1)];
        std::vector<size_t> holes;
        for (size_t i = 0; i < part.contours.contours.size(); ++i)
            if (part.contours.contours[i].hole) holes.push_back(i);
        for (size_t h : nearestFirst(part, holes, torch.at)) {
            std::vector<Vec2> guestPoints;
            std::vector<int> guests;
            for (int g : part.guests)
                if (parts_[static_cast<size_t>(g - 1)].hostHole == static_cast<int>(h)) {
                    guests.push_back(g);
                    guestPoints.push_back(centreOf(parts_[static_cast<size_t>(g - 1)].box));
                }
            for (int i : shortTour(torch.at, guestPoints)) cutPart(guests[static_cast<size_t>(i)], torch, out);
            cutContour(part, h, torch, out);
        }
    }

    // The members nearest first from `from`, each later one next to one before it.
    std::vector<int> neighbourOrder(const std::vector<int>& members, Vec2 from) const
    {
        std::vector<int> order;
        std::vector<bool> taken(members.size(), false);
        for (size_t round = 0; round < members.size(); ++round) {
            size_t best = members.size();
            double bestDistance = 0;
            for (size_t i = 0; i < members.size(); ++i) {
                if (taken[i]) continue;
                const PlacedPart& p = parts_[static_cast<size_t>(members[i] - 1)];
                const bool joined = order.empty() || std::any_of(order.begin(), order.end(), [&](int n) {
                    return std::find(p.neighbours.begin(), p.neighbours.end(), n) != p.neighbours.end();
                });
                const double d = distance(centreOf(p.box), from);
                if (joined && (best == members.size() || d < bestDistance)) {
                    best = i;
                    bestDistance = d;
                }
            }
            if (best == members.size()) break;
            taken[best] = true;
            order.push_back(members[best]);
            from = centreOf(parts_[static_cast<size_t>(members[best] - 1)].box);
        }
        return order;
    }

    // An open stretch of an outline from a kerf already cut; straight on from the cut before when
    // the torch stands at its start.
    void cutRun(const PlacedPart& part, const PiecePath& run, bool goOn, Torch& torch, std::vector<CutContour>& out)
    {
        CutContour* last = out.empty() ? nullptr : &out.back();
        if (goOn && last && last->inKerf && last->leadOut.empty()) {
            if (distance(last->cut.back().b, run.front().a) > 1e-9) last->cut.push_back(linePiece(last->cut.back().b, run.front().a));
            last->cut.insert(last->cut.end(), run.begin(), run.end());
            if (part.number != last->part &&
                std::find(last->onto.begin(), last->onto.end(), part.number) == last->onto.end())
                last->onto.push_back(part.number);
        } else {
            CutContour contour;
            contour.part = part.number;
            contour.inKerf = true;
            contour.pierce = run.front().a;
            contour.cut = run;
            out.push_back(std::move(contour));
        }
        torch.at = run.back().b;
    }

    // Marks a piece of a shared path cut, with its partner's piece over the same stretch; a
    // shared stretch cut for the first time is kept for the drawing.
    void markCut(int loop, size_t piece, std::vector<int>& active)
    {
        auto mark = [&](int l, size_t k) {
            std::vector<bool>& cut = common_->cut[static_cast<size_t>(l)];
            if (cut[k]) return false;
            cut[k] = true;
            const bool done = std::find(cut.begin(), cut.end(), false) == cut.end();
            const auto at = std::find(active.begin(), active.end(), l);
            if (done && at != active.end()) active.erase(at);
            if (!done && at == active.end()) active.push_back(l);
            return true;
        };
        if (!mark(loop, piece)) return;
        const SharedPath& shared = common_->paths[static_cast<size_t>(loop)];
        const int partner = shared.partner[piece];
        if (partner >= 0 && mark(partner, static_cast<size_t>(shared.partnerPiece[piece])))
            common_->cuts.push_back(shared.path[piece]);
    }

    // Splits the contour's path at its microjoints, where it has any.
    void addJoints(CutContour& contour) const
    {
        if (settings_.jointWidth <= 0 || !settings_.compensate || (contour.hole && !settings_.jointHoles)) return;
        const JointSpec spec{settings_.jointWidth, settings_.joints, settings_.jointEvery, settings_.kerf,
                             settings_.overcut + settings_.kerf};
        std::vector<PiecePath> stretches = jointStretches(contour.cut, spec);
        if (stretches.size() < 2) return;
        contour.cut = std::move(stretches.front());
        contour.rest.assign(std::make_move_iterator(stretches.begin() + 1), std::make_move_iterator(stretches.end()));
    }

    // With compensation left to the controller the path is the drawn outline: a lead reaches it
    // across the half kerf the controller adds, straight along the normal.
    PiecePath leadIn(const StartPoint& s, double len, bool arc) const
    {
        if (settings_.compensate) return leadInPath(s, len, arc);
        return {linePiece(s.point + s.normal * (len + settings_.kerf / 2), s.point)};
    }

    // The part of a lead that must keep half the kerf from every part: all of it, or without
    // the half kerf at its end on a drawn outline.
    PiecePath roomTested(const PiecePath& lead) const
    {
        if (settings_.compensate) return lead;
        const PathPiece& l = lead.front();
        const double len = pieceLength(l);
        const double keep = len - settings_.kerf / 2;
        if (keep <= 0) return {};
        return {headOf(l, keep / len)};
    }

    std::vector<size_t> nearestFirst(const PlacedPart& part, const std::vector<size_t>& which, Vec2 from)
    {
        std::vector<Vec2> points;
        for (size_t i : which) points.push_back(pointAt(part.contours.contours[i].path.front(), 0));
        std::vector<size_t> ordered;
        for (int k : shortTour(from, points)) ordered.push_back(which[static_cast<size_t>(k)]);
        return ordered;
    }

    void cutContour(PlacedPart& part, size_t index, Torch& torch, std::vector<CutContour>& out)
    {
        const OffsetContour& path = part.paths[index];
        if (!path.ok) return;
        std::vector<StartPoint> starts = startPoints(path);
        std::stable_sort(starts.begin(), starts.end(), [&](const StartPoint& a, const StartPoint& b) {
            if (a.corner != b.corner) return a.corner;
            return distance(a.point, torch.at) < distance(b.point, torch.at);
        });
        CutContour contour;
        contour.part = part.number;
        contour.hole = part.contours.contours[index].hole;
        const StartPoint* chosen = nullptr;
        for (const StartPoint& s : starts) {
            for (double share : {1.0, 0.5, 0.25}) {
                const double len = settings_.leadIn * share;
                if (len <= 0) break;
                PiecePath lead = leadIn(s, len, settings_.arcLeadIn);
                if (!room_.hasRoom(roomTested(lead)) && settings_.arcLeadIn && !s.lineOnly) lead = leadIn(s, len, false);
                if (room_.hasRoom(roomTested(lead))) {
                    contour.leadIn = lead;
                    chosen = &s;
                    break;
                }
            }
            if (chosen) break;
        }
        if (!chosen && !starts.empty()) {
            // Pierce on the path itself, on the plate where the path crosses it.
            chosen = &starts.front();
            for (const StartPoint& s : starts)
                if (room_.onPlate(s.point)) {
                    chosen = &s;
                    break;
                }
            if (settings_.leadIn > 0)
                warnings_.push_back("part " + std::to_string(part.number) + " (" + part.name + "): no room for a lead-in" +
                                    (contour.hole ? " in a hole" : "") + "; it pierces on its path");
        }
        if (!chosen) return;
        contour.cut = fromStart(path.path, *chosen);
        contour.pierce = contour.leadIn.empty() ? chosen->point : contour.leadIn.front().a;
        contour.overcut = pathHead(contour.cut, settings_.overcut);
        const PiecePath& last = contour.overcut.empty() ? contour.cut : contour.overcut;
        const Vec2 end = last.back().b;
        const Vec2 away = leftOf(tangentAt(last.back(), 1));
        for (double share : {1.0, 0.5, 0.25}) {
            const double len = settings_.leadOut * share;
            if (len <= 0) break;
            // Tested from its far end, as a lead-in would be: the far end must lie on the plate.
            const double reach = settings_.compensate ? len : len + settings_.kerf / 2;
            const PiecePath back{linePiece(end + away * reach, end)};
            if (room_.hasRoom(roomTested(back))) {
                contour.leadOut = {linePiece(end, end + away * reach)};
                break;
            }
        }
        torch.at = contour.leadOut.empty() ? end : contour.leadOut.back().b;
        addJoints(contour);
        out.push_back(std::move(contour));
    }

    std::vector<PlacedPart>& parts_;
    CommonLines* common_ = nullptr;
    const LeadRoom& room_;
    const CutSettings& settings_;
    std::vector<std::string>& warnings_;
};

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

// Finds, for every part, the hole of another part it lies in (the smallest such hole).
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

// Splits the outer torch paths of the parts not lying in holes where two of them share a stretch
// longer than the kerf, and notes which parts share.
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

// The parts not lying in holes, in groups joined by shared stretches (each part alone without
// common lines), in the order of their first parts.
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
    Planner planner(parts, room, settings, plan.warnings);
    if (sharing) planner.shareLines(common);
    Torch torch{plan.home};
    std::vector<std::vector<CutContour>> blocks(top.size());
    std::vector<int> order = shortTour(plan.home, centres);
    for (int k : order) planner.cutGroup(top[static_cast<size_t>(k)], torch, blocks[static_cast<size_t>(k)]);
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
