#include "cutting/skeleton_cut.h"

#include <algorithm>
#include <cmath>

namespace dravenor::cutting {

namespace {

constexpr double kShortest = 1e-3; // stretches shorter than this are not cut
constexpr double kInside = 1e-3;   // an end on the plate's edge is kept this far on the plate

// What an end of a stretch lies on: the plate's edge or a part's kerf (open, so the torch may
// light there), or the remnant's cut line (not cut yet).
enum class End { Edge, Kerf, Keep };

struct Stretch {
    double from, to; // shares of the line
    End fromEnd, toEnd;
};

// Shares of the line a -> b where it crosses the polygon, sorted. An edge crosses when its ends
// lie on either side of the line, a vertex on the line counting on one side always, so that the
// crossings pair up (even-odd) whatever the line runs through.
std::vector<double> crossings(Vec2 a, Vec2 b, const std::vector<Vec2>& polygon)
{
    const Vec2 d = b - a, n = leftOf(d);
    std::vector<double> shares;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Vec2 p = polygon[i], q = polygon[(i + 1) % polygon.size()];
        const double sp = dot(p - a, n), sq = dot(q - a, n);
        if ((sp <= 0) == (sq <= 0)) continue;
        const Vec2 at = p + (q - p) * (sp / (sp - sq));
        shares.push_back(dot(at - a, d) / dot(d, d));
    }
    std::sort(shares.begin(), shares.end());
    return shares;
}

// The shares of the line inside the polygons (even-odd over all of them together).
std::vector<std::pair<double, double>> insideOf(Vec2 a, Vec2 b, const std::vector<std::vector<Vec2>>& polygons)
{
    std::vector<double> all;
    for (const std::vector<Vec2>& p : polygons) {
        const std::vector<double> s = crossings(a, b, p);
        all.insert(all.end(), s.begin(), s.end());
    }
    std::sort(all.begin(), all.end());
    std::vector<std::pair<double, double>> spans;
    for (size_t i = 0; i + 1 < all.size(); i += 2) spans.emplace_back(all[i], all[i + 1]);
    return spans;
}

// The stretches of the line a -> b on the plate, outside every part's torch path and on the
// parts' side of a kept remnant.
std::vector<Stretch> wasteStretches(Vec2 a, Vec2 b, const SkeletonWaste& waste)
{
    std::vector<std::pair<double, double>> blocked;
    for (const std::vector<Vec2>& part : waste.parts) {
        const std::vector<std::pair<double, double>> in = insideOf(a, b, {part});
        blocked.insert(blocked.end(), in.begin(), in.end());
    }
    std::sort(blocked.begin(), blocked.end());
    double keepFrom = 0, keepTo = 1;
    End keepFromEnd = End::Edge, keepToEnd = End::Edge;
    if (waste.keepNormal) {
        // dot(a + (b - a) t, n) <= limit
        const double at = dot(a, *waste.keepNormal), slope = dot(b - a, *waste.keepNormal);
        if (std::abs(slope) < 1e-12) {
            if (at > waste.keepLimit) return {};
        } else if (slope > 0) {
            keepTo = (waste.keepLimit - at) / slope;
            keepToEnd = End::Keep;
        } else {
            keepFrom = (waste.keepLimit - at) / slope;
            keepFromEnd = End::Keep;
        }
    }
    const double nudge = kInside / std::max(distance(a, b), kInside);
    std::vector<Stretch> stretches;
    for (auto [s0, s1] : insideOf(a, b, waste.plate)) {
        Stretch open{s0 + nudge, 0, End::Edge, End::Edge};
        if (keepFrom > open.from) open.from = keepFrom, open.fromEnd = keepFromEnd;
        const double end = std::min(s1 - nudge, keepTo);
        const End endKind = keepTo < s1 - nudge ? keepToEnd : End::Edge;
        for (auto [b0, b1] : blocked) {
            if (b1 <= open.from || b0 >= end) {
                continue;
            }
            if (b0 > open.from) stretches.push_back({open.from, b0, open.fromEnd, End::Kerf});
            open = {std::max(open.from, b1), 0, End::Kerf, End::Edge};
        }
        if (end > open.from) stretches.push_back({open.from, end, open.fromEnd, endKind});
    }
    std::vector<Stretch> kept;
    const double shortest = kShortest / std::max(distance(a, b), kShortest);
    for (const Stretch& s : stretches)
        if (s.to - s.from > shortest) kept.push_back(s);
    return kept;
}

} // namespace

std::vector<CutContour> skeletonCuts(const SkeletonWaste& waste, const Extents& sheet, double piece, Vec2& from)
{
    std::vector<std::pair<Vec2, Vec2>> lines;
    if (piece <= 0 || sheet.empty()) return {};
    const int across = static_cast<int>(std::ceil(sheet.width() / piece - 1e-9)) - 1;
    for (int k = 1; k <= across; ++k) {
        const double x = sheet.xmin + sheet.width() * k / (across + 1);
        lines.push_back({{x, sheet.ymin - 1}, {x, sheet.ymax + 1}});
    }
    const int up = static_cast<int>(std::ceil(sheet.height() / piece - 1e-9)) - 1;
    for (int k = 1; k <= up; ++k) {
        const double y = sheet.ymin + sheet.height() * k / (up + 1);
        lines.push_back({{sheet.xmin - 1, y}, {sheet.xmax + 1, y}});
    }
    std::vector<CutContour> cuts;
    for (auto [a, b] : lines) {
        std::vector<Stretch> stretches = wasteStretches(a, b, waste);
        if (stretches.empty()) continue;
        // Along the line from the end nearer the torch.
        const bool back = distance(from, b) < distance(from, a);
        if (back) std::reverse(stretches.begin(), stretches.end());
        for (Stretch s : stretches) {
            Vec2 p = a + (b - a) * s.from, q = a + (b - a) * s.to;
            End start = s.fromEnd;
            if (back) std::swap(p, q), start = s.toEnd;
            // The torch lights in a kerf or at the plate's edge, never on the remnant's line.
            if (start == End::Keep) std::swap(p, q);
            CutContour c;
            c.label = kSkeletonCutLabel;
            c.inKerf = true;
            c.pierce = p;
            c.cut = {linePiece(p, q)};
            from = q;
            cuts.push_back(std::move(c));
        }
    }
    return cuts;
}

} // namespace dravenor::cutting
