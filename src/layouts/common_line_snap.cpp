#include "layouts/common_line_snap.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "geometry/layout_lists.h"
#include "geometry/primitives.h"
#include "layouts/checked_optimisation.h"
#include "layouts/kept_placement.h"
#include "layouts/layout_range.h"
#include "layouts/layout_rebuild.h"

namespace dravenor {

namespace {

// Edges this close to parallel face each other; gaps this close to the spacing already meet it.
constexpr double kParallel = 1e-7;
constexpr double kAtSpacing = 1e-6;

struct Point {
    double x = 0, y = 0;
};

struct Edge {
    Point a, b;
    double length = 0;
    Point along, left; // unit direction and its left
};

struct Part {
    int row = 0;                  // its row in the item list
    std::vector<size_t> entities; // its entities in the entity list
    Shape shape;
    Extents box;
    std::vector<Edge> edges; // straight edges longer than the spacing
};

void measure(Part& p, double spacing)
{
    p.box = shapeExtents(p.shape);
    p.edges.clear();
    for (const ShapeEntity& e : p.shape) {
        if (!e.isLine()) continue;
        const double length = std::hypot(e.X2 - e.X1, e.Y2 - e.Y1);
        if (length <= spacing) continue;
        const Point along{(e.X2 - e.X1) / length, (e.Y2 - e.Y1) / length};
        p.edges.push_back({{e.X1, e.Y1}, {e.X2, e.Y2}, length, along, {-along.y, along.x}});
    }
}

bool near(const Extents& a, const Extents& b, double gap)
{
    return a.xmin <= b.xmax + gap && b.xmin <= a.xmax + gap && a.ymin <= b.ymax + gap && b.ymin <= a.ymax + gap;
}

// Where edge f of another part faces edge e: the gap between them (at its narrowest over the
// stretch they share) and the unit direction from e toward f; none when they do not face each
// other over more than `least`.
struct Facing {
    double gap = 0;
    Point toward;
    double overlap = 0;
    double from = 0, to = 0; // the stretch of f along e, measured from e's start
};

std::optional<Facing> facing(const Edge& e, const Edge& f, double least)
{
    if (std::abs(e.along.x * f.along.y - e.along.y * f.along.x) > kParallel) return std::nullopt;
    auto across = [&](Point q) { return (q.x - e.a.x) * e.left.x + (q.y - e.a.y) * e.left.y; };
    auto on = [&](Point q) { return (q.x - e.a.x) * e.along.x + (q.y - e.a.y) * e.along.y; };
    const double ca = across(f.a), cb = across(f.b);
    if (ca * cb <= 0) return std::nullopt;
    const double sa = on(f.a), sb = on(f.b);
    const double overlap = std::min(e.length, std::max(sa, sb)) - std::max(0.0, std::min(sa, sb));
    if (overlap <= least) return std::nullopt;
    const double side = ca > 0 ? 1 : -1;
    return Facing{std::min(std::abs(ca), std::abs(cb)), {e.left.x * side, e.left.y * side}, overlap, std::min(sa, sb),
                  std::max(sa, sb)};
}

void translate(Shape& shape, double dx, double dy)
{
    for (ShapeEntity& e : shape) {
        e.X1 += dx, e.X2 += dx, e.CX += dx;
        e.Y1 += dy, e.Y2 += dy, e.CY += dy;
    }
}

class LayoutSnap {
public:
    LayoutSnap(NestingState& state, int layoutNo, const LeastDistances& room, double reach)
        : state_(state), layoutNo_(layoutNo), room_(room), reach_(reach)
    {
        const auto [firstRow, lastRow] = findItemRange(state.items, layoutNo);
        const auto [first, last] = findEntityRange(state.entities, layoutNo);
        std::map<int, Part> byInstance;
        for (int i = first; first >= 0 && i <= last; ++i) {
            const LayoutEntity& e = state.entities[static_cast<size_t>(i)];
            if (e.Instance == 0) {
                sheet_.push_back(shapeEntityOf(e));
                continue;
            }
            Part& p = byInstance[e.Instance];
            p.row = firstRow + e.Instance - 1;
            p.entities.push_back(static_cast<size_t>(i));
            p.shape.push_back(shapeEntityOf(e));
        }
        for (auto& [instance, part] : byInstance) {
            if (part.row > lastRow - 1) return; // rows and entities disagree: leave the layout alone
            measure(part, room.spacing);
            includePoint(reach_box_, part.box.xmin, part.box.ymin);
            includePoint(reach_box_, part.box.xmax, part.box.ymax);
            parts_.push_back(std::move(part));
        }
    }

    int run()
    {
        int moves = 0;
        for (int pass = 0; pass < 3; ++pass) {
            const int before = moves;
            for (size_t i = 0; i < parts_.size(); ++i)
                if (snap(i)) ++moves;
            if (moves == before) break;
        }
        return moves;
    }

private:
    // The length of the part's edges that stand exactly the spacing from a neighbour's.
    double sharedLength(const Part& p, size_t i) const
    {
        double shared = 0;
        for (size_t j = 0; j < parts_.size(); ++j) {
            if (j == i || !near(p.box, parts_[j].box, room_.spacing + kAtSpacing)) continue;
            for (const Edge& e : p.edges)
                for (const Edge& f : parts_[j].edges)
                    if (const std::optional<Facing> face = facing(e, f, room_.spacing);
                        face && std::abs(face->gap - room_.spacing) <= kAtSpacing)
                        shared += face->overlap;
        }
        return shared;
    }

    // Moves toward each facing edge within reach, to stand the spacing from it, and along it, so
    // that the two ends meet or the middles do; the longest stretch shared after the move first.
    // A part moves only where it then shares more of its edges than before.
    bool snap(size_t i)
    {
        Part& p = parts_[i];
        struct Move {
            double dx, dy, overlap;
        };
        std::vector<Move> moves;
        for (size_t j = 0; j < parts_.size(); ++j) {
            if (j == i || !near(p.box, parts_[j].box, room_.spacing + reach_)) continue;
            for (const Edge& e : p.edges)
                for (const Edge& f : parts_[j].edges) {
                    const std::optional<Facing> face = facing(e, f, room_.spacing);
                    if (!face) continue;
                    const double step = face->gap - room_.spacing;
                    if (step < -kAtSpacing || step > reach_) continue;
                    const double normal = std::abs(step) <= kAtSpacing ? 0 : step;
                    for (const double along : {0.0, face->from, face->to - e.length, (face->from + face->to - e.length) / 2}) {
                        const double overlap = std::min(along + e.length, face->to) - std::max(along, face->from);
                        if ((normal == 0 && along == 0) || (along != 0 && overlap <= face->overlap + kAtSpacing)) continue;
                        moves.push_back({face->toward.x * normal + e.along.x * along,
                                         face->toward.y * normal + e.along.y * along, overlap});
                    }
                }
        }
        std::stable_sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) { return a.overlap > b.overlap; });
        const double before = sharedLength(p, i);
        for (const Move& m : moves)
            if (tryMove(i, m.dx, m.dy, before)) return true;
        return false;
    }

    bool tryMove(size_t i, double dx, double dy, double sharedBefore)
    {
        Part& p = parts_[i];
        LayoutItem& row = state_.items[static_cast<size_t>(p.row)];
        const double x = keptPlacement(row.X + dx), y = keptPlacement(row.Y + dy);
        Shape moved = p.shape;
        translate(moved, x - row.X, y - row.Y);
        const Extents box = shapeExtents(moved);
        if (box.xmin < reach_box_.xmin || box.ymin < reach_box_.ymin || box.xmax > reach_box_.xmax ||
            box.ymax > reach_box_.ymax)
            return false;
        Part trial = p;
        trial.shape = moved;
        measure(trial, room_.spacing);
        if (sharedLength(trial, i) <= sharedBefore + room_.spacing) return false;
        std::vector<Shape> around{moved};
        for (size_t j = 0; j < parts_.size(); ++j)
            if (j != i && near(box, parts_[j].box, room_.spacing + 1)) around.push_back(parts_[j].shape);
        const std::vector<LayoutFault> faults =
            checkPlacedLayout(layoutNo_, sheet_, around, {}, kEngineLayoutTolerance, 0, room_);
        if (std::any_of(faults.begin(), faults.end(), [](const LayoutFault& f) { return f.partA == 1 || f.partB == 1; }))
            return false;
        for (size_t k = 0; k < p.entities.size(); ++k) copyGeometry(moved[k], state_.entities[p.entities[k]]);
        row.X = x;
        row.Y = y;
        p = std::move(trial);
        return true;
    }

    NestingState& state_;
    int layoutNo_;
    LeastDistances room_;
    double reach_;
    Shape sheet_;
    std::vector<Part> parts_;
    Extents reach_box_; // where the parts reach: no move goes beyond it
};

} // namespace

int snapCommonLines(NestingState& state, const LeastDistances& room, double reach)
{
    std::vector<int> layouts;
    for (const LayoutItem& row : state.items)
        if (layouts.empty() || layouts.back() != row.LayoutNo) layouts.push_back(row.LayoutNo);
    int moves = 0;
    for (int layoutNo : layouts) moves += LayoutSnap(state, layoutNo, room, reach).run();
    return moves;
}

int snapRunLayouts(NestingState& state, const LeastDistances& room)
{
    const NestingState before = state;
    const int moves = snapCommonLines(state, room, 3 * room.spacing);
    if (moves == 0) return 0;
    if (!rebuildRunLayouts(state).empty() || !checkLayouts(state, kEngineLayoutTolerance, room).empty()) {
        state = before;
        return 0;
    }
    return moves;
}

} // namespace dravenor
