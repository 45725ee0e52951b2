#include "cutting/micro_joints.h"

#include <algorithm>
#include <cmath>

namespace dravenor::cutting {

PiecePath pathSlice(const PiecePath& path, double from, double to)
{
    PiecePath slice;
    double s = 0;
    for (const PathPiece& p : path) {
        const double len = pieceLength(p);
        const double a = std::max(from, s), b = std::min(to, s + len);
        if (b > a && len > 0) {
            PathPiece piece = p;
            if (a > s) piece.a = pointAt(p, (a - s) / len);
            if (b < s + len) piece.b = pointAt(p, (b - s) / len);
            slice.push_back(piece);
        }
        s += len;
    }
    return slice;
}

std::vector<PiecePath> jointStretches(const PiecePath& path, const JointPlacing& placing)
{
    const double total = pathLength(path);
    const double gap = placing.width + placing.kerf;
    const double margin = std::max(placing.kerf, placing.width);
    const int count = placing.every > 0 ? std::max(1, static_cast<int>(std::floor(total / placing.every))) : placing.count;
    if (placing.width <= 0 || count <= 0) return {path};
    // Where the middle of a gap may lie: on a straight piece, the margin from its ends, and clear
    // of the path's start and end.
    std::vector<std::pair<double, double>> allowed;
    double s = 0;
    for (const PathPiece& p : path) {
        const double len = pieceLength(p);
        const double lo = std::max(s + margin, placing.clearStart) + gap / 2;
        const double hi = std::min(s + len, total) - margin - gap / 2;
        if (!p.arc && hi >= lo) allowed.emplace_back(lo, hi);
        s += len;
    }
    // Each joint in the middle of the straight piece nearest its even share of the path, one to a
    // piece while pieces last, then anywhere they allow.
    std::vector<double> middles;
    std::vector<bool> taken(allowed.size(), false);
    for (int k = 0; k < count && !allowed.empty(); ++k) {
        const double target = total * (k + 0.5) / count;
        const bool spare = std::find(taken.begin(), taken.end(), false) != taken.end();
        double best = -1, bestOff = 0;
        size_t bestPiece = 0;
        for (size_t i = 0; i < allowed.size(); ++i) {
            if (spare && taken[i]) continue;
            const auto [lo, hi] = allowed[i];
            const double at = spare ? (lo + hi) / 2 : std::clamp(target, lo, hi);
            if (best < 0 || std::abs(at - target) < bestOff) best = at, bestOff = std::abs(at - target), bestPiece = i;
        }
        taken[bestPiece] = true;
        if (std::none_of(middles.begin(), middles.end(), [&](double m) { return std::abs(m - best) < gap + margin; }))
            middles.push_back(best);
    }
    if (middles.empty()) return {path};
    std::sort(middles.begin(), middles.end());
    std::vector<PiecePath> stretches;
    double at = 0;
    for (double m : middles) {
        stretches.push_back(pathSlice(path, at, m - gap / 2));
        at = m + gap / 2;
    }
    stretches.push_back(pathSlice(path, at, total));
    return stretches;
}

} // namespace dravenor::cutting
