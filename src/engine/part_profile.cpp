#include "engine/part_profile.h"

#include <algorithm>

#include "engine/row_bits.h"

namespace dravenor {

namespace {

// Rows sampled for the row ends; the probes use at most this many cells anyway.
constexpr size_t kRowEndsKept = 16;

} // namespace

PartProfile::PartProfile(const Raster& part)
{
    const int H = part.H();
    const int words = part.W() >= 0 ? part.W() / 64 + 1 : 0;
    if (words == 0) return;
    for (int j = 0; j <= H; ++j)
        forEachRun(part.row(j), part.W(), true, [&](int first, int end) {
            if (end - first <= runLength) return;
            runRow = j;
            runStart = first;
            runLength = end - first;
        });
    const int spread = std::max(1, (H + 1) / 8);
    const std::uint64_t lastMask = part.boxMask(words - 1);
    this->words.reserve(static_cast<size_t>((H + 1) * words));
    for (int first = 0; first < spread; ++first)
        for (int j = first; j <= H; j += spread) {
            const std::uint64_t* row = part.row(j);
            for (int k = 0; k < words; ++k) {
                const std::uint64_t cells = k + 1 == words ? row[k] & lastMask : row[k];
                if (cells) this->words.push_back({j, k, cells});
            }
        }
    for (int j = 0; j <= H && rowEnds.size() < kRowEndsKept; j += spread) {
        const int first = nextBit(part.row(j), 0, part.W(), true);
        if (first > part.W()) continue;
        int last = first;
        forEachRun(part.row(j), part.W(), true, [&last](int, int end) { last = end - 1; });
        rowEnds.push_back({j, first, last});
    }
}

} // namespace dravenor
