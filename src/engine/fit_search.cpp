#include "engine/fit_search.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstddef>

#include "engine/row_bits.h"

namespace dravenor {

namespace {

// Probe cells per group of 64 positions: enough to rule out most occupied stretches after one
// or two, few enough that free stretches cost little before the full test.
constexpr size_t kProbes = 16;
static_assert(kProbes <= kKeyPointsUsed);

} // namespace

SheetRows::SheetRows(const Raster& sheet)
    : sheet_(sheet), longest_(static_cast<size_t>(std::max(sheet.H() + 1, 0)), INT_MAX), stale_(longest_.size(), 1),
      firstRun_(longest_.size()), runCount_(longest_.size())
{
}

void SheetRows::read(int row)
{
    const size_t r = static_cast<size_t>(row);
    int longest = 0;
    const size_t start = runs_.size();
    forEachRun(sheet_.row(row), sheet_.W(), false, [&](int first, int end) {
        longest = std::max(longest, end - first);
        runs_.emplace_back(first, end);
    });
    const int count = static_cast<int>(runs_.size() - start);
    if (count <= runCount_[r] && count > 0) {
        // No more runs than the row had when read before: they take the old ones' place.
        std::copy(runs_.begin() + static_cast<std::ptrdiff_t>(start), runs_.end(),
                  runs_.begin() + static_cast<std::ptrdiff_t>(firstRun_[r]));
        runs_.resize(start);
    } else {
        firstRun_[r] = start;
    }
    runCount_[r] = count;
    longest_[r] = longest;
    stale_[r] = 0;
}

std::pair<const SheetRows::Run*, const SheetRows::Run*> SheetRows::freeRuns(int row)
{
    if (stale_[static_cast<size_t>(row)]) read(row);
    const Run* first = runs_.data() + firstRun_[static_cast<size_t>(row)];
    return {first, first + runCount_[static_cast<size_t>(row)]};
}

void SheetRows::stamped(int y0, int y1)
{
    for (int r = std::max(y0, 0); r <= std::min(y1, sheet_.H()); ++r) stale_[static_cast<size_t>(r)] = 1;
}

FitFinder::FitFinder(const Raster& part, const KeyPoints& keys, SheetRows* rows, const PartProfile* profile)
    : part_(part), rows_(rows), profile_(profile ? *profile : ownProfile_.emplace(part))
{
    for (size_t k = 0; k < keys.size() && probes_.size() < kProbes; ++k) probes_.push_back(keys[k]);
    // Parts with few key points (small or sparse ones) are probed at the first and last cells of
    // rows spread over their height as well.
    for (const PartProfile::RowEnds& ends : profile_.rowEnds) {
        if (probes_.size() >= kProbes) break;
        probes_.emplace_back(ends.first, ends.row);
        if (ends.last != ends.first) probes_.emplace_back(ends.last, ends.row);
    }
}

void FitFinder::filterRow(const Raster& sheet, int y)
{
    filteredRow_ = y;
    ranges_.clear();
    cursor_ = 0;
    cursorColumn_ = 0;
    const int lastX = sheet.W() - part_.W();
    if (y < 0 || y + part_.H() > sheet.H() || lastX < 0) return;
    const int runRow = profile_.runRow, runStart = profile_.runStart, runLength = profile_.runLength;
    if (runLength == 0) {
        ranges_.emplace_back(0, lastX);
        return;
    }
    // Each free run of the sheet row under the part's run, long enough to hold it, admits the
    // columns that put the part's run inside it.
    auto admit = [&](int first, int end) {
        if (end - first < runLength) return;
        const int lo = std::max(first - runStart, 0);
        const int hi = std::min(end - runLength - runStart, lastX);
        if (lo <= hi) ranges_.emplace_back(lo, hi);
    };
    if (!rows_) {
        forEachRun(sheet.row(y + runRow), sheet.W(), false, admit);
        return;
    }
    if (!rows_->hasRun(y + runRow, runLength)) return;
    const auto [first, last] = rows_->freeRuns(y + runRow);
    for (const SheetRows::Run* run = first; run != last; ++run) admit(run->first, run->second);
}

void FitFinder::seek(int x)
{
    if (x < cursorColumn_) cursor_ = 0;
    cursorColumn_ = x;
    while (cursor_ < ranges_.size() && ranges_[cursor_].second < x) ++cursor_;
}

int FitFinder::nextCandidate(const Raster& sheet, int x, int y)
{
    if (y != filteredRow_) filterRow(sheet, y);
    seek(x);
    return cursor_ < ranges_.size() ? std::max(ranges_[cursor_].first, x) : INT_MAX;
}

std::uint64_t FitFinder::mayFit(const Raster& sheet, int x, int y)
{
    if (y != filteredRow_) filterRow(sheet, y);
    seek(x);
    std::uint64_t may = 0;
    for (size_t r = cursor_; r < ranges_.size() && ranges_[r].first <= x + 63; ++r)
        may |= bitRange(std::max(ranges_[r].first - x, 0), std::min(ranges_[r].second - x, 63));
    if (!may) return 0;
    if (x < 0) {
        for (const auto& [px, py] : probes_) may &= ~sheet.cellsFrom(x + px, y + py);
        return may;
    }
    // Some position from x on lies inside the sheet, so every probe cell and the word after it
    // are stored cells: read them directly.
    const std::uint64_t* cells = sheet.row(0);
    const std::ptrdiff_t stride = sheet.stride();
    for (const auto& [px, py] : probes_) {
        const int column = x + px;
        const std::uint64_t* word = cells + (y + py) * stride + (column >> 6);
        const int shift = column & 63;
        may &= ~(shift ? (word[0] >> shift) | (word[1] << (64 - shift)) : word[0]);
        if (!may) break;
    }
    return may;
}

bool FitFinder::fitsAt(const Raster& sheet, int x, int y) const
{
    // The part lies inside the sheet, so the word after each sheet word read is always stored.
    const std::uint64_t* base = sheet.row(y) + (x >> 6);
    const std::ptrdiff_t stride = sheet.stride();
    const int shift = x & 63;
    if (shift == 0) {
        for (const PartProfile::Word& p : profile_.words)
            if (p.cells & base[p.row * stride + p.word]) return false;
        return true;
    }
    for (const PartProfile::Word& p : profile_.words) {
        const std::uint64_t* word = base + p.row * stride + p.word;
        if (p.cells & ((word[0] >> shift) | (word[1] << (64 - shift)))) return false;
    }
    return true;
}

int FitFinder::firstFitInRow(const Raster& sheet, int y, int x0, int x1)
{
    for (int from = nextCandidate(sheet, std::max(x0, 0), y); from <= x1; from = nextCandidate(sheet, from + 64, y)) {
        std::uint64_t may = mayFit(sheet, from, y);
        if (x1 - from < 63) may &= bitRange(0, x1 - from);
        for (; may; may &= may - 1) {
            const int x = from + std::countr_zero(may);
            if (fitsAt(sheet, x, y)) return x;
        }
    }
    return -1;
}

} // namespace dravenor
