#pragma once
// How finely a layout keeps where its parts lie: positions and angles to 1e-9 of the job's unit
// and of a degree. The layout editor shows and hands back no more, and a run's layouts are
// rounded alike, so a layout is the same to the last digit after a trip through the editor.
#include <cmath>

namespace dravenor {

// The value to 1e-9, never -0: the editor shows 873, not the 873.000000000001 the engines'
// arithmetic leaves; far below anything a cut can hold.
inline double keptPlacement(double value)
{
    const double rounded = std::round(value * 1e9) / 1e9;
    return rounded == 0 ? 0.0 : rounded;
}

} // namespace dravenor
