#include "cutting/contour_planner.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "cutting/cut_order.h"
#include "cutting/micro_joints.h"

namespace dravenor::cutting {

namespace {

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
        const size_t firstOutline = out.size();
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
            // Nothing begun is left: the next path not begun is cut whole, from a pierce; the
            // first whose outline has room for a lead-in where one has, so that no part is
            // pierced on its edge only because it stands first (in a corner of the plate).
            const auto notBegun = [&](int loop) {
                const std::vector<bool>& cut = common_->cut[static_cast<size_t>(loop)];
                return std::find(cut.begin(), cut.end(), true) == cut.end();
            };
            auto next = std::find_if(untouched.begin(), untouched.end(), [&](int loop) {
                if (!notBegun(loop) || settings_.leadIn <= 0) return false;
                const auto [number, o] = common_->owner[static_cast<size_t>(loop)];
                const OffsetContour& path = parts_[static_cast<size_t>(number - 1)].paths[o];
                return path.ok && leadInFor(startPoints(path)).has_value();
            });
            if (next == untouched.end()) next = std::find_if(untouched.begin(), untouched.end(), notBegun);
            if (next == untouched.end()) break;
            const int loop = *next;
            untouched.erase(next);
            const auto [number, o] = common_->owner[static_cast<size_t>(loop)];
            cutContour(parts_[static_cast<size_t>(number - 1)], o, torch, out);
            for (size_t k = 0; k < common_->paths[static_cast<size_t>(loop)].path.size(); ++k) markCut(loop, k, active);
        }
        // Outlines cut from the kerf hold their parts too: joints on their straight pieces, which
        // start and end in a kerf rather than at a lead-in.
        for (size_t i = firstOutline; i < out.size(); ++i)
            if (out[i].inKerf) addJoints(out[i], 0);
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

    // Splits the contour's path at its microjoints, where it has any; none within `clearStart` of
    // its start.
    void addJoints(CutContour& contour, double clearStart) const
    {
        if (settings_.jointWidth <= 0 || !settings_.compensate || (contour.hole && !settings_.jointHoles)) return;
        const JointPlacing placing{settings_.jointWidth, settings_.joints, settings_.jointEvery, settings_.kerf, clearStart};
        std::vector<PiecePath> stretches = jointStretches(contour.cut, placing);
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

    // The first of the starts with room for a lead-in (full, half or a quarter long), and that
    // lead-in.
    std::optional<std::pair<size_t, PiecePath>> leadInFor(const std::vector<StartPoint>& starts) const
    {
        for (size_t k = 0; k < starts.size(); ++k) {
            const StartPoint& s = starts[k];
            for (double share : {1.0, 0.5, 0.25}) {
                const double len = settings_.leadIn * share;
                if (len <= 0) break;
                PiecePath lead = leadIn(s, len, settings_.arcLeadIn);
                if (!room_.hasRoom(roomTested(lead)) && settings_.arcLeadIn && !s.lineOnly) lead = leadIn(s, len, false);
                if (room_.hasRoom(roomTested(lead))) return std::pair(k, std::move(lead));
            }
        }
        return std::nullopt;
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
        if (auto found = leadInFor(starts)) {
            chosen = &starts[found->first];
            contour.leadIn = std::move(found->second);
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
        addJoints(contour, settings_.overcut + settings_.kerf);
        out.push_back(std::move(contour));
    }

    std::vector<PlacedPart>& parts_;
    CommonLines* common_ = nullptr;
    const LeadRoom& room_;
    const CutSettings& settings_;
    std::vector<std::string>& warnings_;
};

} // namespace

std::vector<std::vector<CutContour>> cutGroups(std::vector<PlacedPart>& parts, const std::vector<std::vector<int>>& groups,
                                               const std::vector<int>& order, const LeadRoom& room,
                                               const CutSettings& settings, Vec2 home, CommonLines* common,
                                               std::vector<std::string>& warnings)
{
    Planner planner(parts, room, settings, warnings);
    if (common) planner.shareLines(*common);
    Torch torch{home};
    std::vector<std::vector<CutContour>> blocks(groups.size());
    for (int k : order) planner.cutGroup(groups[static_cast<size_t>(k)], torch, blocks[static_cast<size_t>(k)]);
    return blocks;
}

} // namespace dravenor::cutting
