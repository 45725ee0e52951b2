#pragma once
// Microjoints: small bridges of uncut material that keep a part in the skeleton until it is
// taken out. The torch stops on a straight stretch of the part's torch path and goes on a little
// further: a gap of the joint's width plus the kerf in the path leaves exactly the joint's width
// of material between the two ends of the cut. Joints keep clear of corners (the piece's ends)
// and of the path's start, where the lead-in, overcut and lead-out run.
#include <vector>

#include "cutting/path_piece.h"

namespace dravenor::cutting {

struct JointPlacing {
    double width = 0;  // material left, along the path
    int count = 0;     // joints on the path, spread evenly ...
    double every = 0;  // ... or one every this much of its length, when above 0
    double kerf = 0;
    double clearStart = 0; // no joint on the first stretch of the path this long
};

// The closed path (from its start) split at its joints: the stretches the torch cuts, in order;
// the whole path alone where no joint fits.
std::vector<PiecePath> jointStretches(const PiecePath& path, const JointPlacing& placing);

// The part of the path from length `from` to length `to` along it.
PiecePath pathSlice(const PiecePath& path, double from, double to);

} // namespace dravenor::cutting
