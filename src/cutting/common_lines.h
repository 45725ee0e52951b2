#pragma once
// Common lines: two parts standing the kerf apart along straight edges that face each other have
// torch paths on one line, midway between the edges, over the stretch both edges share. That
// stretch needs cutting once. This finds such stretches between the torch paths of outer
// contours, splits the paths at their ends so that every piece is either shared with one other
// path or not at all, and gives what is left of a path once its neighbours have been cut.
#include <cstddef>
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
    std::vector<int> partnerPiece; // the same stretch's piece in the partner's path, -1 for none
};

// The closed torch paths (all waste on their left), each with its owner (paths of one owner never
// share) and its per-piece corner flags. A stretch is shared when two line pieces run in opposite
// directions within the tolerance of one line over more than `least`.
std::vector<SharedPath> shareCommonLines(const std::vector<PiecePath>& paths, const std::vector<std::vector<bool>>& cornerArcs,
                                         const std::vector<int>& owners, double least);

// Pieces first .. first + count - 1 of a closed path, counted on past its end.
struct Run {
    size_t first = 0, count = 0;
};

// The runs of pieces not cut yet, each in the path's direction, between pieces that are; the
// whole path from its first piece when none is cut, none when all are.
std::vector<Run> uncutRuns(const std::vector<bool>& cut);
// The run's pieces.
PiecePath runPath(const PiecePath& path, Run run);

} // namespace dravenor::cutting
