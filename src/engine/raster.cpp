#include "engine/raster.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <string>

#include "job/number_format.h"

namespace dravenor {

Raster::Raster(int W, int H) : W_(std::max(W, -1)), H_(std::max(H, -1))
{
    if (W_ < 0 || H_ < 0) return;
    stride_ = (W_ + kSpareCells) / 64 + 2; // the last stored cell's word and one spare word
    storedRows_ = H_ + kSpareCells + 1;
    const long long cells = static_cast<long long>(stride_) * 64 * storedRows_;
    if (cells > kMaxCells) throw std::length_error("raster of " + std::to_string(W_ + 1) + " x " +
                                                   std::to_string(H_ + 1) + " cells is too large");
    words_.assign(static_cast<size_t>(stride_) * static_cast<size_t>(storedRows_), 0);
}

Raster Raster::forBox(double w, double h)
{
    const double W = roundHalfEven(w + 3) - 3;
    const double H = roundHalfEven(h + 3) - 3;
    // A box that is no number or absurdly large cannot be stored; the size check refuses it.
    constexpr double limit = 1e9;
    if (!(W < limit) || !(H < limit)) throw std::length_error("raster box too large");
    return Raster(static_cast<int>(std::max(W, -1.0)), static_cast<int>(std::max(H, -1.0)));
}

void Raster::set(int x, int y)
{
    if (x < 0 || y < 0 || x > W_ + kSpareCells || y > H_ + kSpareCells || stride_ == 0) return;
    row(y)[x >> 6] |= 1ull << (x & 63);
}

void Raster::clear(int x, int y)
{
    if (x < 0 || y < 0 || x > W_ + kSpareCells || y > H_ + kSpareCells || stride_ == 0) return;
    row(y)[x >> 6] &= ~(1ull << (x & 63));
}

std::uint64_t Raster::boxMask(int k) const
{
    const int first = k * 64;
    if (first > W_) return 0;
    return bitRange(0, std::min(63, W_ - first));
}

long long Raster::countOccupied() const
{
    long long count = 0;
    const int words = W_ >= 0 ? W_ / 64 + 1 : 0;
    for (int y = 0; y <= H_; ++y) {
        const std::uint64_t* r = row(y);
        for (int k = 0; k < words; ++k) count += std::popcount(r[k] & boxMask(k));
    }
    return count;
}

void Raster::setRun(int x0, int x1, int y)
{
    for (int k = x0 >> 6; k <= (x1 >> 6); ++k) {
        const int lo = k == (x0 >> 6) ? (x0 & 63) : 0;
        const int hi = k == (x1 >> 6) ? (x1 & 63) : 63;
        row(y)[k] |= bitRange(lo, hi);
    }
}

void Raster::fillBox()
{
    const int words = W_ >= 0 ? W_ / 64 + 1 : 0;
    for (int y = 0; y <= H_; ++y)
        for (int k = 0; k < words; ++k) row(y)[k] |= boxMask(k);
}

void Raster::invertBox()
{
    const int words = W_ >= 0 ? W_ / 64 + 1 : 0;
    for (int y = 0; y <= H_; ++y)
        for (int k = 0; k < words; ++k) row(y)[k] ^= boxMask(k);
}

} // namespace dravenor
