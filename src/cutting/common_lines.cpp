#include "cutting/common_lines.h"

#include <algorithm>
#include <cmath>

namespace dravenor::cutting {

namespace {

// Stretches shorter than this along a piece are not worth a piece of their own.
constexpr double kLeastPiece = 1e-6;

struct Line {
    int path;
    size_t piece;
    Vec2 a, b;
    double xmin, xmax;
};

struct Interval {
    double from, to; // shares of the piece
    int partner;
};

double offLine(Vec2 q, Vec2 a, Vec2 u) { return std::abs(cross(u, q - a)); }

// Records the stretch two opposite line pieces share, if any, on both.
void matchLines(const Line& p, const Line& q, double least, std::vector<std::vector<std::vector<Interval>>>& found)
{
    const double lp = distance(p.a, p.b), lq = distance(q.a, q.b);
    const Vec2 u = unit(p.b - p.a), v = unit(q.b - q.a);
    if (dot(u, v) >= 0 || offLine(q.a, p.a, u) > kCommonLineTolerance || offLine(q.b, p.a, u) > kCommonLineTolerance)
        return;
    const double sa = dot(q.a - p.a, u), sb = dot(q.b - p.a, u);
    const double lo = std::max(0.0, std::min(sa, sb)), hi = std::min(lp, std::max(sa, sb));
    if (hi - lo <= least) return;
    const Vec2 from = p.a + u * lo, to = p.a + u * hi;
    found[static_cast<size_t>(p.path)][p.piece].push_back({lo / lp, hi / lp, q.path});
    const double qFrom = std::clamp(dot(to - q.a, v) / lq, 0.0, 1.0), qTo = std::clamp(dot(from - q.a, v) / lq, 0.0, 1.0);
    found[static_cast<size_t>(q.path)][q.piece].push_back({qFrom, qTo, p.path});
}

PathPiece lineBetween(const PathPiece& p, double from, double to)
{
    return linePiece(from <= 0 ? p.a : pointAt(p, from), to >= 1 ? p.b : pointAt(p, to));
}

// The path with its line pieces split at the ends of their shared stretches.
SharedPath splitPath(const PiecePath& path, const std::vector<bool>& cornerArc, std::vector<std::vector<Interval>>& found)
{
    SharedPath shared;
    for (size_t k = 0; k < path.size(); ++k) {
        const PathPiece& p = path[k];
        std::vector<Interval>& stretches = found[k];
        if (stretches.empty()) {
            shared.path.push_back(p);
            shared.cornerArc.push_back(k < cornerArc.size() && cornerArc[k]);
            shared.partner.push_back(-1);
            continue;
        }
        std::sort(stretches.begin(), stretches.end(), [](const Interval& x, const Interval& y) { return x.from < y.from; });
        const double snap = kLeastPiece / std::max(pieceLength(p), kLeastPiece);
        double at = 0;
        auto add = [&](double from, double to, int partner) {
            shared.path.push_back(lineBetween(p, from, to));
            shared.cornerArc.push_back(false);
            shared.partner.push_back(partner);
        };
        for (Interval s : stretches) {
            s.from = std::max(s.from, at);
            if (s.from < snap) s.from = 0;
            if (s.to > 1 - snap) s.to = 1;
            if (s.to - s.from <= snap) continue;
            if (s.from - at > snap) add(at, s.from, -1);
            else s.from = at;
            add(s.from, s.to, s.partner);
            at = s.to;
        }
        if (1 - at > snap) add(at, 1, -1);
    }
    return shared;
}

} // namespace

std::vector<SharedPath> shareCommonLines(const std::vector<PiecePath>& paths, const std::vector<std::vector<bool>>& cornerArcs,
                                         const std::vector<int>& owners, double least)
{
    std::vector<Line> lines;
    std::vector<std::vector<std::vector<Interval>>> found(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        found[i].resize(paths[i].size());
        for (size_t k = 0; k < paths[i].size(); ++k) {
            const PathPiece& p = paths[i][k];
            if (p.arc || distance(p.a, p.b) <= least) continue;
            lines.push_back({static_cast<int>(i), k, p.a, p.b, std::min(p.a.x, p.b.x), std::max(p.a.x, p.b.x)});
        }
    }
    // Sweep along x: only pieces whose spans in x meet can share.
    std::sort(lines.begin(), lines.end(), [](const Line& x, const Line& y) { return x.xmin < y.xmin; });
    for (size_t i = 0; i < lines.size(); ++i)
        for (size_t j = i + 1; j < lines.size() && lines[j].xmin <= lines[i].xmax + kCommonLineTolerance; ++j)
            if (owners[static_cast<size_t>(lines[i].path)] != owners[static_cast<size_t>(lines[j].path)])
                matchLines(lines[i], lines[j], least, found);
    std::vector<SharedPath> shared;
    for (size_t i = 0; i < paths.size(); ++i)
        shared.push_back(splitPath(paths[i], i < cornerArcs.size() ? cornerArcs[i] : std::vector<bool>{}, found[i]));
    // Each shared piece and its partner's piece over the same stretch (their middles meet).
    for (size_t i = 0; i < shared.size(); ++i) {
        SharedPath& s = shared[i];
        s.partnerPiece.assign(s.path.size(), -1);
        for (size_t k = 0; k < s.path.size(); ++k) {
            if (s.partner[k] < 0) continue;
            const SharedPath& other = shared[static_cast<size_t>(s.partner[k])];
            const Vec2 middle = pointAt(s.path[k], 0.5);
            for (size_t m = 0; m < other.path.size(); ++m)
                if (other.partner[m] == static_cast<int>(i) && distance(pointAt(other.path[m], 0.5), middle) <= 2 * kCommonLineTolerance) {
                    s.partnerPiece[k] = static_cast<int>(m);
                    break;
                }
            if (s.partnerPiece[k] < 0) s.partner[k] = -1; // no stretch to match: cut on its own
        }
    }
    return shared;
}

std::vector<Run> uncutRuns(const std::vector<bool>& cut)
{
    const size_t n = cut.size();
    const size_t first = static_cast<size_t>(std::find(cut.begin(), cut.end(), true) - cut.begin());
    if (first == n) return n ? std::vector<Run>{{0, n}} : std::vector<Run>{};
    std::vector<Run> runs;
    for (size_t i = 1; i <= n; ++i) {
        const size_t k = (first + i) % n;
        if (cut[k]) continue;
        if (!runs.empty() && (runs.back().first + runs.back().count) % n == k) ++runs.back().count;
        else runs.push_back({k, 1});
    }
    return runs;
}

PiecePath runPath(const PiecePath& path, Run run)
{
    PiecePath pieces;
    for (size_t i = 0; i < run.count; ++i) pieces.push_back(path[(run.first + i) % path.size()]);
    return pieces;
}

} // namespace dravenor::cutting
