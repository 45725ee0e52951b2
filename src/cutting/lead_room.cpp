#include "cutting/lead_room.h"

#include <algorithm>
#include <cmath>

#include "cutting/part_contours.h"

namespace dravenor::cutting {

namespace {

// How far chords may stand off the arcs they replace: a few thousandths of a unit keeps the
// outlines of a large layout to a few hundred chords a circle.
constexpr double kSag = 2e-3;

double pointSegment(Vec2 q, Vec2 a, Vec2 b) { return distanceToPiece(q, linePiece(a, b)); }

bool segmentsCross(Vec2 a, Vec2 b, Vec2 c, Vec2 d)
{
    const double d1 = cross(b - a, c - a), d2 = cross(b - a, d - a);
    const double d3 = cross(d - c, a - c), d4 = cross(d - c, b - c);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && d1 != 0 && d2 != 0 && d3 != 0 && d4 != 0;
}

double segmentGap(Vec2 a, Vec2 b, Vec2 c, Vec2 d)
{
    if (segmentsCross(a, b, c, d)) return 0;
    return std::min({pointSegment(a, c, d), pointSegment(b, c, d), pointSegment(c, a, b), pointSegment(d, a, b)});
}

} // namespace

LeadRoom::LeadRoom(const std::vector<PiecePath>& sheet, const std::vector<PiecePath>& parts, double clearance)
    : clearance_(clearance)
{
    for (const PiecePath& p : sheet) {
        addPath(p, edges_);
        sheetPolygons_.push_back(chordPolygon(p, 1e-3));
    }
    for (const PiecePath& p : parts) addPath(p, edges_);
    index(edges_);
}

void LeadRoom::addPath(const PiecePath& path, std::vector<Edge>& into)
{
    const std::vector<Vec2> points = chordPolygon(path, kSag);
    for (size_t i = 0; i < points.size(); ++i) into.push_back({points[i], points[(i + 1) % points.size()]});
}

void LeadRoom::index(const std::vector<Edge>& edges)
{
    if (edges.empty()) return;
    double xmin = 1e300, ymin = 1e300, xmax = -1e300, ymax = -1e300;
    for (const Edge& e : edges)
        for (Vec2 p : {e.a, e.b}) {
            xmin = std::min(xmin, p.x);
            ymin = std::min(ymin, p.y);
            xmax = std::max(xmax, p.x);
            ymax = std::max(ymax, p.y);
        }
    const double span = std::max({xmax - xmin, ymax - ymin, 1e-9});
    cell_ = std::max(span / 512, clearance_ * 2);
    origin_ = {xmin - cell_, ymin - cell_};
    cols_ = static_cast<int>((xmax - origin_.x) / cell_) + 2;
    rows_ = static_cast<int>((ymax - origin_.y) / cell_) + 2;
    cells_.assign(static_cast<size_t>(cols_) * static_cast<size_t>(rows_), {});
    for (size_t i = 0; i < edges.size(); ++i) {
        const Edge& e = edges[i];
        const int c0 = static_cast<int>((std::min(e.a.x, e.b.x) - origin_.x) / cell_);
        const int c1 = static_cast<int>((std::max(e.a.x, e.b.x) - origin_.x) / cell_);
        const int r0 = static_cast<int>((std::min(e.a.y, e.b.y) - origin_.y) / cell_);
        const int r1 = static_cast<int>((std::max(e.a.y, e.b.y) - origin_.y) / cell_);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) cells_[static_cast<size_t>(r) * static_cast<size_t>(cols_) + static_cast<size_t>(c)].push_back(static_cast<int>(i));
    }
}

bool LeadRoom::segmentClear(Vec2 a, Vec2 b) const
{
    if (cells_.empty()) return true;
    // Chords of an outline and of the lead stand up to their sag off their arcs: allow for both.
    const double least = clearance_ * (1 - 1e-6) - 2 * kSag - 1e-7;
    const double reach = clearance_ + cell_ * 1e-9;
    const int c0 = std::max(0, static_cast<int>((std::min(a.x, b.x) - reach - origin_.x) / cell_));
    const int c1 = std::min(cols_ - 1, static_cast<int>((std::max(a.x, b.x) + reach - origin_.x) / cell_));
    const int r0 = std::max(0, static_cast<int>((std::min(a.y, b.y) - reach - origin_.y) / cell_));
    const int r1 = std::min(rows_ - 1, static_cast<int>((std::max(a.y, b.y) + reach - origin_.y) / cell_));
    if (c0 > c1 || r0 > r1) return true;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            for (int i : cells_[static_cast<size_t>(r) * static_cast<size_t>(cols_) + static_cast<size_t>(c)]) {
                const Edge& e = edges_[static_cast<size_t>(i)];
                if (segmentGap(a, b, e.a, e.b) < least) return false;
            }
    return true;
}

bool LeadRoom::onPlate(Vec2 q) const
{
    bool inside = false;
    for (const std::vector<Vec2>& polygon : sheetPolygons_)
        if (insidePolygon(q, polygon)) inside = !inside;
    return inside;
}

bool LeadRoom::hasRoom(const PiecePath& lead) const
{
    if (lead.empty()) return true;
    if (!onPlate(lead.front().a)) return false;
    std::vector<Vec2> points{lead.front().a};
    for (const PathPiece& p : lead) appendChordPoints(p, kSag, points);
    for (size_t i = 0; i + 1 < points.size(); ++i)
        if (!segmentClear(points[i], points[i + 1])) return false;
    return true;
}

} // namespace dravenor::cutting
