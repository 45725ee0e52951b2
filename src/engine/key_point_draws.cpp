#include "engine/key_point_draws.h"

#include <algorithm>

#include "engine/uniform_random.h"

namespace dravenor {

KeyPointOutcome drawKeyPointsOneByOne(const KeyPointDraws& job, std::uint64_t counter, std::pair<int, int>* points)
{
    const SpanRounding rowOf(job.rowSpan), columnOf(job.columnSpan);
    const std::int32_t stored = static_cast<std::int32_t>(std::min(static_cast<std::size_t>(job.count), job.stored));
    std::uint64_t z = counter;
    std::uint64_t pairs = 0;
    std::int32_t found = 0;
    long long misses = 0;
    // Without a branch on each draw's outcome: the draw is written and kept only when it hits.
    while (found < job.count) {
        if (misses >= job.drawLimit) return {false, 2 * pairs};
        const int cy = rowOf(UniformRandom::bitsAt(z += UniformRandom::kStep));
        const int cx = columnOf(UniformRandom::bitsAt(z += UniformRandom::kStep));
        const bool hit = (job.cells[cy * job.stride + (cx >> 6)] >> (cx & 63)) & 1;
        points[std::min(found, stored)] = {cx, cy};
        found += hit;
        misses = (misses + 1) * !hit;
        ++pairs;
    }
    return {true, 2 * pairs};
}

} // namespace dravenor
