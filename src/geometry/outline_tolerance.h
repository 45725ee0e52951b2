#pragma once
// How far apart two entity ends may lie and still meet: the rule every reader of a job's shapes
// (the start checks, both optimisers, the vector check of layouts) closes outlines by.
#include "job/nesting_state.h"

namespace dravenor {

// The kerf a job without one is cut with.
inline constexpr double kZeroKerfDefault = 0.0625;

// Ends of a shape's entities closer than this meet: half the kerf (of the default kerf when none
// is given).
inline double closingTolerance(const BasicDetails& details)
{
    return (details.Kerf > 0 ? details.Kerf : kZeroKerfDefault) / 2;
}

} // namespace dravenor
