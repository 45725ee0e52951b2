#pragma once
// Common lines: two parts standing the kerf apart along straight edges that face each other have
// torch paths on one line, midway between the edges, over the stretch both edges share. That
// stretch needs cutting once. This finds such stretches between the torch paths of outer
// contours, splits the paths at their ends so that every piece is either shared with one other
// path or not at all, and gives what is left of a path once its neighbours have been cut.
#include <vector>

#include "cutting/path_piece.h"

namespace dravenor::cutting {

// Torch paths closer than this to one line count as one (edges the kerf apart within it).
inline constexpr double kCommonLineTolerance = 0.01;

// A closed torch path split at the ends of its shared stretches: per piece, the index of the
// other path it shares that piece with, or -1.
struct SharedPath {
    PiecePath path;
    std::vector<bool> cornerArc; // carried over from the path given, false for the new pieces
    std::vector<int> partner;
};

// The closed torch paths (all waste on their left), each with its owner (paths of one owner never
// share) and its per-piece corner flags. A stretch is shared when two line pieces run in opposite
// directions within the tolerance of one line over more than `least`.
std::vector<SharedPath> shareCommonLines(const std::vector<PiecePath>& paths, const std::vector<std::vector<bool>>& cornerArcs,
                                         const std::vector<int>& owners, double least);

// The open runs of the path still to cut once the paths marked done have been cut, each in the
// path's direction; the whole path (one run, closed) when it shares nothing with them.
std::vector<PiecePath> uncutRuns(const SharedPath& path, const std::vector<bool>& done);

} // namespace dravenor::cutting
