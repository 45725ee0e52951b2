#pragma once
// Drawing key points: pairs of values (row, then column) from the run's random sequence until
// enough of them land on occupied cells of the part. A pair's cell depends only on its place in
// the sequence, so pairs can be worked out eight at a time where the processor allows; both ways
// give the same points and use up the same number of draws.
#include <cstddef>
#include <cstdint>
#include <utility>

namespace dravenor {

struct KeyPointDraws {
    const std::uint64_t* cells = nullptr; // the part raster's words, row 0 first
    std::ptrdiff_t stride = 0;            // words per row
    int rowSpan = 0, columnSpan = 0;      // H - 1 and W - 1: a pair gives row Round(r1 * rowSpan + 1)
    std::int32_t count = 0;               // hits wanted
    long long drawLimit = 0;              // pairs in a row without a hit that end the search
    std::size_t stored = 0;               // hits written out (the first ones)
};

struct KeyPointOutcome {
    bool complete = false;  // all `count` hits found
    std::uint64_t draws = 0; // values used up (two per pair)
};

// Round(m / 2^53 * span + 1), halves to even, for a 53-bit draw m and a span of 0 or more, as
// the doubles give it: (m / 2^53) * span equals m * (span / 2^53) exactly (scaling by a power of
// two), and the value lies in 1..2^31, where adding and taking away 2^52 rounds it to the
// nearest whole number, halves to even.
class SpanRounding {
public:
    explicit SpanRounding(int span) : scaledSpan_(static_cast<double>(span) * 0x1.0p-53) {}
    double scaledSpan() const { return scaledSpan_; }

    int operator()(std::uint64_t m) const
    {
        constexpr double twoTo52 = 4503599627370496.0;
        const double v = static_cast<double>(m) * scaledSpan_ + 1;
        return static_cast<int>((v + twoTo52) - twoTo52);
    }

private:
    double scaledSpan_;
};

// The draws starting after random counter `counter`, one pair at a time. `points` has room for
// job.stored + 1 cells; the last one is scratch.
KeyPointOutcome drawKeyPointsOneByOne(const KeyPointDraws& job, std::uint64_t counter, std::pair<int, int>* points);
// The same, eight pairs at a time; only where wideVectorsAvailable() (wide_vectors.h).
KeyPointOutcome drawKeyPointsWide(const KeyPointDraws& job, std::uint64_t counter, std::pair<int, int>* points);

} // namespace dravenor
