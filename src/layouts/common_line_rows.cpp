#include "layouts/common_line_rows.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

#include "geometry/layout_lists.h"
#include "geometry/primitives.h"
#include "job/part_rules.h"
#include "layouts/placed_shape.h"
#include "layouts/sheet_use.h"

namespace dravenor {

namespace {

constexpr double kOnSide = 1e-6;

bool onOneSide(const ShapeEntity& e, const Extents& box)
{
    auto both = [](double a, double b, double side) { return std::abs(a - side) < kOnSide && std::abs(b - side) < kOnSide; };
    return both(e.X1, e.X2, box.xmin) || both(e.X1, e.X2, box.xmax) || both(e.Y1, e.Y2, box.ymin) ||
           both(e.Y1, e.Y2, box.ymax);
}

// Whether the shape's outline is its box: lines along the box's sides cover its whole perimeter.
// A sheet must be nothing else (no holes or bays); a part may have holes.
bool outlineIsBox(const Shape& shape, bool nothingElse)
{
    const Extents box = shapeExtents(shape);
    if (box.empty() || box.width() <= 0 || box.height() <= 0) return false;
    double along = 0;
    for (const ShapeEntity& e : shape) {
        if (e.isLine() && onOneSide(e, box)) along += std::hypot(e.X2 - e.X1, e.Y2 - e.Y1);
        else if (nothingElse) return false;
    }
    const double perimeter = 2 * (box.width() + box.height());
    return std::abs(along - perimeter) <= 1e-9 * perimeter + kOnSide;
}

// A part of lines only (outline and holes): it lies in the rows by its box, its edges along the
// box shared with its neighbours'.
bool straightEdged(const Shape& shape)
{
    return std::all_of(shape.begin(), shape.end(), [](const ShapeEntity& e) { return e.isLine(); });
}

// A right triangle whose legs lie along its box: the corner of the box at its right angle (0 or 1
// in x and y), or none.
std::optional<std::pair<int, int>> rightAngleCorner(const Shape& shape)
{
    if (shape.size() != 3 || !straightEdged(shape)) return std::nullopt;
    const Extents box = shapeExtents(shape);
    int seen[2][2] = {};
    for (const ShapeEntity& e : shape)
        for (const auto& [x, y] : {std::pair(e.X1, e.Y1), std::pair(e.X2, e.Y2)}) {
            const int cx = std::abs(x - box.xmin) < kOnSide ? 0 : std::abs(x - box.xmax) < kOnSide ? 1 : -1;
            const int cy = std::abs(y - box.ymin) < kOnSide ? 0 : std::abs(y - box.ymax) < kOnSide ? 1 : -1;
            if (cx < 0 || cy < 0) return std::nullopt;
            seen[cx][cy] = 1;
        }
    for (int cx = 0; cx < 2; ++cx)
        for (int cy = 0; cy < 2; ++cy)
            if (seen[cx][cy] && !seen[1 - cx][1 - cy] && seen[1 - cx][cy] && seen[cx][1 - cy]) return std::pair(cx, cy);
    return std::nullopt;
}

// One part, or two that lie together, with the box of each within the block's box.
struct Member {
    int part = 0; // index into state.parts
    double angle = 0;
    double x = 0, y = 0, width = 0, height = 0;
};

struct Piece {
    std::vector<Member> members;
    ShelfBox drawn;
    bool turns = false; // may lie a quarter turned
};

Piece single(int part, const Extents& box, bool turns)
{
    return {{{part, 0, 0, 0, box.width(), box.height()}}, {box.width(), box.height()}, turns};
}

// Two right triangles of one part, the second turned half round, their long sides the spacing
// apart: together nearly a rectangle.
Piece pairOfTriangles(int part, const Extents& box, std::pair<int, int> corner, double spacing, bool turns)
{
    const double a = box.width(), b = box.height(), h = std::hypot(a, b);
    const double dx = spacing * (corner.first ? -1 : 1) * b / h, dy = spacing * (corner.second ? -1 : 1) * a / h;
    Piece piece{{{part, 0, 0, 0, a, b}, {part, 180, dx, dy, a, b}}, {a + std::abs(dx), b + std::abs(dy)}, turns};
    for (Member& m : piece.members) m.x -= std::min(0.0, dx), m.y -= std::min(0.0, dy);
    return piece;
}

// The piece's members with the piece turned a quarter counter-clockwise.
std::vector<Member> turnedMembers(const Piece& piece)
{
    std::vector<Member> turned = piece.members;
    for (Member& m : turned) {
        m = {m.part, m.angle + 90, piece.drawn.height - (m.y + m.height), m.x, m.height, m.width};
        if (m.angle >= 360) m.angle -= 360;
    }
    return turned;
}

struct Laid {
    int piece = 0;
    double x = 0, y = 0;
    bool turned = false;
};

struct SheetLayout {
    int sheet = 0;
    std::vector<Laid> parts;
    int copies = 1;
};

// One sheet filled from the pieces pending, in rows or, `columns`, in columns: turnable pieces lie
// flat along the rows where they fit so; the tallest first, by the parts' priority.
struct Fill {
    std::vector<Laid> laid;
    double area = 0, used = 0; // area placed; share of the room's depth used
};

Fill fillSheet(const std::vector<Piece>& pieces, const std::vector<int>& pending, const std::vector<PartEntry>& parts,
               ShelfBox room, double spacing, bool columns)
{
    auto across = [&](ShelfBox b) { return columns ? ShelfBox{b.height, b.width} : b; };
    const ShelfBox frame = across(room);
    std::vector<ShelfBox> boxes;
    std::vector<bool> turned;
    for (int p : pending) {
        const Piece& piece = pieces[static_cast<size_t>(p)];
        ShelfBox b = across(piece.drawn);
        const bool flatter = piece.turns && b.height > b.width && b.height <= frame.width && b.width <= frame.height;
        const bool fitsOnlyTurned = piece.turns && (b.width > frame.width || b.height > frame.height);
        const bool turn = flatter || fitsOnlyTurned;
        if (turn) std::swap(b.width, b.height);
        boxes.push_back(b);
        turned.push_back(turn);
    }
    std::vector<int> order(boxes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int pa = parts[static_cast<size_t>(pieces[static_cast<size_t>(pending[a])].members[0].part)].Pri;
        const int pb = parts[static_cast<size_t>(pieces[static_cast<size_t>(pending[b])].members[0].part)].Pri;
        if (pa != pb) return pa < pb;
        if (boxes[a].height != boxes[b].height) return boxes[a].height > boxes[b].height;
        return boxes[a].width > boxes[b].width;
    });
    Fill fill;
    double top = 0;
    for (const ShelfPlace& at : fillShelves(boxes, order, frame, spacing)) {
        const ShelfBox& b = boxes[static_cast<size_t>(at.box)];
        fill.area += b.width * b.height;
        top = std::max(top, at.y + b.height);
        fill.laid.push_back({pending[static_cast<size_t>(at.box)], columns ? at.y : at.x, columns ? at.x : at.y,
                             turned[static_cast<size_t>(at.box)]});
    }
    fill.used = frame.height > 0 ? top / frame.height : 1;
    return fill;
}

} // namespace

std::vector<ShelfPlace> fillShelves(const std::vector<ShelfBox>& boxes, const std::vector<int>& order, ShelfBox room,
                                    double spacing)
{
    // Each box of a row starts a stack: a later box no wider goes on top of it while the row's
    // height allows.
    struct Stack {
        double x, width, top;
    };
    struct Shelf {
        double y, height, end; // end: where the next box of the row starts
        std::vector<Stack> stacks;
    };
    std::vector<Shelf> shelves;
    std::vector<ShelfPlace> placed;
    auto onStack = [&](int i, const ShelfBox& b) {
        for (Shelf& shelf : shelves)
            for (Stack& stack : shelf.stacks)
                if (b.width <= stack.width && stack.top + spacing + b.height <= shelf.y + shelf.height) {
                    placed.push_back({i, stack.x, stack.top + spacing});
                    stack.top += spacing + b.height;
                    return true;
                }
        return false;
    };
    for (int i : order) {
        const ShelfBox& b = boxes[static_cast<size_t>(i)];
        if (b.width > room.width || b.height > room.height || onStack(i, b)) continue;
        auto shelf = std::find_if(shelves.begin(), shelves.end(),
                                  [&](const Shelf& s) { return b.height <= s.height && s.end + b.width <= room.width; });
        if (shelf == shelves.end()) {
            const double y = shelves.empty() ? 0 : shelves.back().y + shelves.back().height + spacing;
            if (y + b.height > room.height) continue;
            shelves.push_back({y, b.height, 0, {}});
            shelf = shelves.end() - 1;
        }
        placed.push_back({i, shelf->end, shelf->y});
        shelf->stacks.push_back({shelf->end, b.width, shelf->y + b.height});
        shelf->end += b.width + spacing;
    }
    return placed;
}

std::optional<NestingState> rowsForCommonLines(const NestingState& state, const LeastDistances& room,
                                             const ShapeLoader& load)
{
    std::map<std::string, Shape> shapes;
    auto shapeOf = [&](const std::string& path) -> const Shape* {
        auto it = shapes.find(path);
        if (it == shapes.end()) {
            Shape shape;
            if (!load(path, shape).readable) shape.clear();
            it = shapes.emplace(path, std::move(shape)).first;
        }
        return it->second.empty() ? nullptr : &it->second;
    };
    std::vector<Piece> pieces;
    for (size_t p = 0; p < state.parts.size(); ++p) {
        const PartEntry& part = state.parts[p];
        if (part.Qty <= 0) continue;
        const Shape* shape = shapeOf(part.FileName);
        if (!shape) return std::nullopt;
        const Extents box = shapeExtents(*shape);
        const int index = static_cast<int>(p);
        const bool turns = allowsQuarterTurns(part.Orn);
        int singles = part.Qty;
        if (const auto corner = rightAngleCorner(*shape); corner && allowsHalfTurn(part.Orn)) {
            for (; singles >= 2; singles -= 2) pieces.push_back(pairOfTriangles(index, box, *corner, room.spacing, turns));
        } else if (!outlineIsBox(*shape, false) && !straightEdged(*shape)) {
            return std::nullopt;
        }
        for (int k = 0; k < singles; ++k) pieces.push_back(single(index, box, turns));
    }
    std::vector<int> pending(pieces.size());
    std::iota(pending.begin(), pending.end(), 0);
    std::vector<SheetLayout> layouts;
    for (size_t s = 0; s < state.sheets.size() && !pending.empty(); ++s) {
        const Shape* sheet = shapeOf(state.sheets[s].FileName);
        if (!sheet || !outlineIsBox(*sheet, true)) return std::nullopt;
        const Extents box = shapeExtents(*sheet);
        const ShelfBox inside{box.width() - 2 * room.margin, box.height() - 2 * room.margin};
        for (int copy = 0; copy < state.sheets[s].Qty && !pending.empty(); ++copy) {
            Fill rows = fillSheet(pieces, pending, state.parts, inside, room.spacing, false);
            Fill columns = fillSheet(pieces, pending, state.parts, inside, room.spacing, true);
            Fill& best = columns.area > rows.area || (columns.area == rows.area && columns.used < rows.used) ? columns : rows;
            if (best.laid.empty()) break;
            for (Laid& l : best.laid) l.x += box.xmin + room.margin, l.y += box.ymin + room.margin;
            std::erase_if(pending, [&](int p) {
                return std::any_of(best.laid.begin(), best.laid.end(), [p](const Laid& l) { return l.piece == p; });
            });
            const bool same = !layouts.empty() && layouts.back().sheet == static_cast<int>(s) &&
                              std::equal(best.laid.begin(), best.laid.end(), layouts.back().parts.begin(),
                                         layouts.back().parts.end(), [&](const Laid& a, const Laid& b) {
                                             const Member& ma = pieces[static_cast<size_t>(a.piece)].members[0];
                                             const Member& mb = pieces[static_cast<size_t>(b.piece)].members[0];
                                             return ma.part == mb.part && a.x == b.x && a.y == b.y &&
                                                    a.turned == b.turned &&
                                                    pieces[static_cast<size_t>(a.piece)].members.size() ==
                                                        pieces[static_cast<size_t>(b.piece)].members.size();
                                         });
            if (same) ++layouts.back().copies;
            else layouts.push_back({static_cast<int>(s), std::move(best.laid), 1});
        }
    }
    if (!pending.empty()) return std::nullopt;

    NestingState rows = state;
    rows.entities.clear();
    for (SheetEntry& s : rows.sheets) s.Remaining = s.Qty;
    for (PartEntry& p : rows.parts) p.Remaining = 0;
    std::int32_t layoutNo = 0;
    for (const SheetLayout& layout : layouts) {
        ++layoutNo;
        const auto sheetIndex = static_cast<std::int32_t>(layout.sheet + 1);
        std::int32_t instance = 0;
        for (const Laid& l : layout.parts) {
            const Piece& piece = pieces[static_cast<size_t>(l.piece)];
            for (const Member& m : l.turned ? turnedMembers(piece) : piece.members) {
                const Shape& original = *shapeOf(state.parts[static_cast<size_t>(m.part)].FileName);
                const Shape placed = placedInstance(original, m.angle, l.x + m.x, l.y + m.y);
                appendShape(rows.entities, placed, layoutNo, sheetIndex, m.part + 1, ++instance, m.angle, layout.copies);
            }
        }
        appendShape(rows.entities, *shapeOf(state.sheets[static_cast<size_t>(layout.sheet)].FileName), layoutNo,
                    sheetIndex, 0, 0, 0, layout.copies);
        rows.sheets[static_cast<size_t>(layout.sheet)].Remaining -= layout.copies;
    }
    normaliseArcs(rows.entities);
    rows.items = buildItemList(rows);
    return rows;
}

int sheetsUsed(const NestingState& state)
{
    int used = 0;
    for (const SheetEntry& s : state.sheets) used += s.Qty - s.Remaining;
    return used;
}

bool preferRowsForCommonLines(NestingState& state, const LeastDistances& room)
{
    const DrawingUnit unit = state.drawingUnit;
    std::optional<NestingState> rows = rowsForCommonLines(
        state, room, [unit](const std::string& path, Shape& shape) { return loadShape(path, shape, unit); });
    if (!rows) return false;
    // Rows cost no sheet: no more sheets than the run's, and of the last one no more of its length.
    const bool runPlacedAll =
        std::all_of(state.parts.begin(), state.parts.end(), [](const PartEntry& p) { return p.Remaining <= 0; });
    const int rowSheets = sheetsUsed(*rows), runSheets = sheetsUsed(state);
    if (runPlacedAll && (rowSheets > runSheets || (rowSheets == runSheets && leastUsedShare(*rows) > leastUsedShare(state))))
        return false;
    state = std::move(*rows);
    return true;
}

} // namespace dravenor
