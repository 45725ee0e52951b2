#pragma once
// Searching and marking bits of a row of 64-bit words (a raster row or a row of candidate
// columns): bit x is bit x % 64 of word x / 64.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "engine/raster.h"

namespace dravenor {

// Cells lo..hi of word k, as a mask (empty when the word holds none of them).
inline std::uint64_t wordRange(int k, int lo, int hi)
{
    const int first = k * 64;
    const int a = std::max(lo - first, 0);
    const int b = std::min(hi - first, 63);
    return a > b ? 0 : bitRange(a, b);
}

// The first x in from..to whose bit equals `value`, or to + 1.
inline int nextBit(const std::uint64_t* words, int from, int to, bool value)
{
    if (from < 0) from = 0;
    for (int k = from >> 6; k <= (to >> 6) && from <= to; ++k) {
        const std::uint64_t bits = (value ? words[k] : ~words[k]) & wordRange(k, from, to);
        if (bits) return k * 64 + std::countr_zero(bits);
    }
    return to + 1;
}

// Sets bits lo..hi.
inline void setBits(std::uint64_t* words, int lo, int hi)
{
    for (int k = lo >> 6; k <= (hi >> 6); ++k) words[k] |= wordRange(k, lo, hi);
}

// The 64 bits from x on (bit k is bit x + k) of a row of `count` words; bits outside read 0.
inline std::uint64_t bitsFrom(const std::uint64_t* words, int count, int x)
{
    const int w = x >> 6;
    const int s = x & 63;
    if (x < 0 || w >= count) return 0;
    const std::uint64_t low = words[w] >> s;
    const std::uint64_t high = s && w + 1 < count ? words[w + 1] << (64 - s) : 0;
    return low | high;
}

// Calls visit(first, end) for every maximal run of bits equal to `value` among bits 0..last, with
// `end` the bit after the run, in ascending order.
template <class Visit>
void forEachRun(const std::uint64_t* words, int last, bool value, Visit&& visit)
{
    int runStart = -1;
    std::uint64_t carry = 0; // the previous word's top bit
    const int lastWord = last >> 6;
    for (int k = 0; k <= lastWord; ++k) {
        std::uint64_t bits = value ? words[k] : ~words[k];
        if (k == lastWord) bits &= bitRange(0, last & 63);
        for (std::uint64_t changes = bits ^ ((bits << 1) | carry); changes; changes &= changes - 1) {
            const int p = std::countr_zero(changes);
            if ((bits >> p) & 1) {
                runStart = k * 64 + p;
            } else {
                visit(runStart, k * 64 + p);
                runStart = -1;
            }
        }
        carry = bits >> 63;
    }
    if (runStart >= 0) visit(runStart, last + 1);
}

} // namespace dravenor
