#include <algorithm>
#include <cstddef>

#include "engine/placement.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

// Round(r * span + 1), halves to even, for a draw r = m / 2^53 and a span of 0 or more, as the
// doubles give it: (m / 2^53) * span equals m * (span / 2^53) exactly (scaling by a power of
// two), and the value lies in 1..2^31, where adding and taking away 2^52 rounds it to the
// nearest whole number, halves to even.
class SpanRounding {
public:
    explicit SpanRounding(int span) : scaledSpan_(static_cast<double>(span) * 0x1.0p-53) {}

    int operator()(std::uint64_t m) const
    {
        constexpr double twoTo52 = 4503599627370496.0;
        const double v = static_cast<double>(m) * scaledSpan_ + 1;
        return static_cast<int>((v + twoTo52) - twoTo52);
    }

private:
    double scaledSpan_;
};

} // namespace

KeyPoints makeKeyPoints(const Raster& part, UniformRandom& random, size_t kept)
{
    const int W = part.W();
    const int H = part.H();
    const std::int32_t count = std::min(toWhole(W * 0.08 * H), 32000);
    // A point not found within this many draws means the part is too sparse for key points.
    const long long drawLimit = 2LL * (W - 1) * (H - 1);
    if (count <= 0) return {};
    // Points past the kept ones are all written to one spare slot after them.
    const std::int32_t stored = static_cast<std::int32_t>(std::min(static_cast<size_t>(count), kept));
    KeyPoints keys(static_cast<size_t>(stored) + 1);
    // Each draw is a row Round(r1 * (H - 1) + 1) and a column Round(r2 * (W - 1) + 1): always
    // stored cells, read directly.
    const SpanRounding rowOf(H - 1), columnOf(W - 1);
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
        const int cy = rowOf(draws.nextBits());
        const int cx = columnOf(draws.nextBits());
        const bool hit = (cells[cy * stride + (cx >> 6)] >> (cx & 63)) & 1;
        keys[static_cast<size_t>(std::min(found, stored))] = {cx, cy};
        found += hit;
        misses = (misses + 1) * !hit;
    }
    random = draws;
    keys.pop_back();
    return keys;
}

KeyPoints makeKeyPointsFor(const NestingRun& run, const Raster& part, UniformRandom& random)
{
    return makeKeyPoints(part, random, run.fitTest ? SIZE_MAX : kKeyPointsUsed);
}

} // namespace dravenor
