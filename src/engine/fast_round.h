#pragma once
// Round-half-to-even for the engine's hot loops (key points, seed search, digitising): the same
// result as roundHalfEven, without its library calls. Adding and taking away 2^52 rounds a
// double of magnitude below 2^51 to a whole number with the processor's own rounding, which is
// to the nearest, halves to even.
#include <cmath>

#include "job/number_format.h"

namespace dravenor {

inline double roundHalfEvenFast(double v)
{
    constexpr double twoTo52 = 4503599627370496.0;
    constexpr double twoTo51 = 2251799813685248.0;
    if (v >= 0 && v < twoTo51) return (v + twoTo52) - twoTo52;
    if (v < 0 && v > -twoTo51) return (v - twoTo52) + twoTo52;
    return roundHalfEven(v);
}

} // namespace dravenor
