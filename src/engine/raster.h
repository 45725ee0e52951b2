#pragma once
// A raster: cells (x, y) with x in 0..W and y in 0..H, one kerf wide, each free or occupied.
// For a part raster occupied means covered by the part; for a sheet raster, not available
// (outside the sheet, on its edge, or covered by a part already placed).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dravenor {

class Raster {
public:
    // Rasters larger than this many stored cells are refused (std::length_error): no sheet or
    // part of a job whose kerf and scale were set up needs one.
    static constexpr long long kMaxCells = 1LL << 30;
    // Cells stored beyond W and beyond H.
    static constexpr int kSpareCells = 3;

    Raster() = default;
    // All cells free; W and H are the largest cell indices. Cells up to three beyond W and H are
    // stored as well (digitised outlines may touch them) but never tested by the fit rules.
    // A negative W or H gives a raster without cells.
    Raster(int W, int H);
    // The empty raster for a box of width w and height h in raster units:
    // W = Round(w + 3) - 3, H = Round(h + 3) - 3 (halves to even).
    static Raster forBox(double w, double h);

    int W() const { return W_; }
    int H() const { return H_; }

    // Cells outside the stored area read as free and ignore writes.
    bool test(int x, int y) const;
    void set(int x, int y);
    void clear(int x, int y);

    // The part was too small to have a free inside and was filled as a solid box.
    bool tooSmall() const { return tooSmall_; }
    void setTooSmall(bool v) { tooSmall_ = v; }

    // Number of occupied cells in 0..W x 0..H.
    long long countOccupied() const;

    // Word access for the word-parallel operations. Cell x of a row is bit x % 64 of word x / 64;
    // each row has one spare zero word after its last stored cell, so that 64 cells can be read
    // from any column up to the last stored one by reading two neighbouring words.
    int stride() const { return stride_; }
    // The last column and row that hold cells (W + 3 and H + 3), or -1 without cells.
    int lastStoredColumn() const { return stride_ ? W_ + kSpareCells : -1; }
    int lastStoredRow() const { return storedRows_ - 1; }
    int storedRows() const { return storedRows_; }
    const std::uint64_t* row(int y) const { return words_.data() + static_cast<std::size_t>(y) * stride_; }
    std::uint64_t* row(int y) { return words_.data() + static_cast<std::size_t>(y) * stride_; }
    // The 64 cells from column x on in row y (bit k is cell x + k); cells outside the stored
    // area read as free.
    std::uint64_t cellsFrom(int x, int y) const;
    // Sets cells x0..x1 of row y (both inside 0..W).
    void setRun(int x0, int x1, int y);
    // Every cell of 0..W x 0..H occupied / inverted.
    void fillBox();
    void invertBox();
    // The mask of the cells 0..W within word k of a row.
    std::uint64_t boxMask(int k) const;

    bool operator==(const Raster& other) const = default;

private:
    int W_ = -1, H_ = -1;
    int stride_ = 0;                       // 64-bit words per stored row
    int storedRows_ = 0;
    bool tooSmall_ = false;
    std::vector<std::uint64_t> words_;     // row-major, bit x % 64 of word x / 64
};

// Bits lo..hi (0..63, lo <= hi) of a word.
inline std::uint64_t bitRange(int lo, int hi)
{
    const std::uint64_t upTo = hi >= 63 ? ~0ull : (1ull << (hi + 1)) - 1;
    return upTo & (~0ull << lo);
}

inline std::uint64_t Raster::cellsFrom(int x, int y) const
{
    if (y < 0 || y >= storedRows_ || x <= -64 || stride_ == 0) return 0;
    if (x < 0) return row(y)[0] << -x;
    const int w = x >> 6;
    if (w >= stride_) return 0;
    const std::uint64_t* r = row(y);
    const int s = x & 63;
    if (s == 0) return r[w];
    const std::uint64_t high = w + 1 < stride_ ? r[w + 1] << (64 - s) : 0;
    return (r[w] >> s) | high;
}

inline bool Raster::test(int x, int y) const
{
    if (x < 0 || y < 0 || y >= storedRows_ || (x >> 6) >= stride_) return false;
    return (row(y)[x >> 6] >> (x & 63)) & 1u;
}

} // namespace dravenor
