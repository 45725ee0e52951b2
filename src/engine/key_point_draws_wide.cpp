// Key point draws eight pairs at a time with 512-bit vectors. Every step rounds exactly as the
// one-by-one draws do (explicit rounding, no fused multiply-add), so the cells are the same.
// GCC 12 warns wrongly about the undefined vectors that its own intrinsics start from.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>

#include <algorithm>
#include <bit>

#include "engine/key_point_draws.h"
#include "engine/uniform_random.h"
#include "engine/wide_vectors.h"

namespace dravenor {

namespace {

constexpr int kRounding = _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC;
constexpr int kLanes = 8;

DRAVENOR_WIDE __m512i valuesAt(__m512i z)
{
    z = _mm512_xor_si512(z, _mm512_srli_epi64(z, 30));
    z = _mm512_mullo_epi64(z, _mm512_set1_epi64(static_cast<long long>(UniformRandom::kMix1)));
    z = _mm512_xor_si512(z, _mm512_srli_epi64(z, 27));
    z = _mm512_mullo_epi64(z, _mm512_set1_epi64(static_cast<long long>(UniformRandom::kMix2)));
    z = _mm512_xor_si512(z, _mm512_srli_epi64(z, 31));
    return _mm512_srli_epi64(z, 11);
}

// SpanRounding on eight draws.
DRAVENOR_WIDE __m512i cellsOf(__m512i m, __m512d scaledSpan)
{
    const __m512d scaled = _mm512_mul_round_pd(_mm512_cvtepu64_pd(m), scaledSpan, kRounding);
    const __m512d v = _mm512_add_round_pd(scaled, _mm512_set1_pd(1.0), kRounding);
    return _mm512_cvt_roundpd_epi64(v, kRounding);
}

} // namespace

DRAVENOR_WIDE KeyPointOutcome drawKeyPointsWide(const KeyPointDraws& job, std::uint64_t counter,
                                                std::pair<int, int>* points)
{
    if (job.count <= 0) return {true, 0};
    const std::int32_t stored = static_cast<std::int32_t>(std::min(static_cast<std::size_t>(job.count), job.stored));
    // Lane j holds pair j of the batch: its row is draw 2j + 1 and its column draw 2j + 2.
    alignas(64) std::uint64_t rowStart[kLanes], columnStart[kLanes];
    for (int j = 0; j < kLanes; ++j) {
        rowStart[j] = counter + (2 * j + 1) * UniformRandom::kStep;
        columnStart[j] = counter + (2 * j + 2) * UniformRandom::kStep;
    }
    __m512i rowZ = _mm512_load_si512(rowStart);
    __m512i columnZ = _mm512_load_si512(columnStart);
    const __m512i batchStep = _mm512_set1_epi64(static_cast<long long>(2 * kLanes * UniformRandom::kStep));
    const __m512d rowSpan = _mm512_set1_pd(SpanRounding(job.rowSpan).scaledSpan());
    const __m512d columnSpan = _mm512_set1_pd(SpanRounding(job.columnSpan).scaledSpan());
    const __m512i stride = _mm512_set1_epi64(job.stride);
    const __m512i bitOfWord = _mm512_set1_epi64(63);
    const __m512i one = _mm512_set1_epi64(1);

    std::uint64_t pairs = 0;
    std::int32_t found = 0;
    long long misses = 0;
    alignas(64) long long xs[kLanes], ys[kLanes];
    while (true) {
        const __m512i cy = cellsOf(valuesAt(rowZ), rowSpan);
        const __m512i cx = cellsOf(valuesAt(columnZ), columnSpan);
        const __m512i word = _mm512_add_epi64(_mm512_mul_epu32(cy, stride), _mm512_srli_epi64(cx, 6));
        const __m512i cells = _mm512_i64gather_epi64(word, job.cells, 8);
        const __m512i bit = _mm512_srlv_epi64(cells, _mm512_and_si512(cx, bitOfWord));
        const unsigned hits = _mm512_test_epi64_mask(bit, one);
        rowZ = _mm512_add_epi64(rowZ, batchStep);
        columnZ = _mm512_add_epi64(columnZ, batchStep);
        const int hitCount = std::popcount(hits);
        if (found + hitCount < job.count && misses + kLanes < job.drawLimit) {
            // Neither the last point nor the miss limit lies in this batch.
            if (found < stored) {
                _mm512_mask_compressstoreu_epi64(xs, static_cast<__mmask8>(hits), cx);
                _mm512_mask_compressstoreu_epi64(ys, static_cast<__mmask8>(hits), cy);
                for (int k = 0; k < hitCount && found + k < stored; ++k)
                    points[found + k] = {static_cast<int>(xs[k]), static_cast<int>(ys[k])};
            }
            found += hitCount;
            misses = hits ? std::countl_zero(static_cast<std::uint8_t>(hits)) : misses + kLanes;
            pairs += kLanes;
            continue;
        }
        _mm512_store_si512(xs, cx);
        _mm512_store_si512(ys, cy);
        for (int j = 0; j < kLanes; ++j) {
            if (misses >= job.drawLimit) return {false, 2 * pairs};
            ++pairs;
            if ((hits >> j) & 1) {
                if (found < stored) points[found] = {static_cast<int>(xs[j]), static_cast<int>(ys[j])};
                misses = 0;
                if (++found == job.count) return {true, 2 * pairs};
            } else {
                ++misses;
            }
        }
    }
}

} // namespace dravenor
