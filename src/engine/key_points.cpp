#include <algorithm>
#include <cstddef>

#include "engine/fast_round.h"
#include "engine/placement.h"

namespace dravenor {

KeyPoints makeKeyPoints(const Raster& part, UniformRandom& random)
{
    const int W = part.W();
    const int H = part.H();
    const std::int32_t count = std::min(toWhole(W * 0.08 * H), 32000);
    // A point not found within this many draws means the part is too sparse for key points.
    const long long drawLimit = 2LL * (W - 1) * (H - 1);
    KeyPoints keys(static_cast<size_t>(std::max(count, 0)));
    if (count <= 0) return keys;
    // Draws land on columns 1..W and rows 1..H, always stored cells: they are read directly.
    const double rowSpan = H - 1, columnSpan = W - 1;
    const std::uint64_t* cells = part.row(0);
    const std::ptrdiff_t stride = part.stride();
    // The sequence is drawn from a local copy (which the compiler keeps in registers) and
    // handed back at the end.
    UniformRandom draws = random;
    // Without a branch on each draw's outcome: the draw is written and kept only when it hits.
    std::int32_t found = 0;
    long long misses = 0;
    while (found < count) {
        if (misses >= drawLimit) {
            random = draws;
            return {};
        }
        const double y = draws.next() * rowSpan + 1;
        const double x = draws.next() * columnSpan + 1;
        const int cx = static_cast<int>(roundHalfEvenFast(x));
        const int cy = static_cast<int>(roundHalfEvenFast(y));
        const bool hit = (cells[cy * stride + (cx >> 6)] >> (cx & 63)) & 1;
        keys[static_cast<size_t>(found)] = {cx, cy};
        found += hit;
        misses = (misses + 1) * !hit;
    }
    random = draws;
    return keys;
}

} // namespace dravenor
