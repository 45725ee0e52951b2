#pragma once
// The mark of layouts that fail the outline check (parts overlapping or off their sheet): worked
// out from the outlines wherever it is shown (the layout list and view, the report, the printout,
// the job opened), so that it always says what the layouts are, and worded for each of them.
#include <string>
#include <vector>

#include "job/job.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor {

inline constexpr const char* kFaultyLayoutMark = "  FAILS CHECK";

// A layout the check rejects, and what it found, one text per fault without "layout N: ".
struct FaultyLayout {
    std::int32_t LayoutNo = 0;
    std::vector<std::string> faults;
    bool operator==(const FaultyLayout&) const = default;
};
using FaultyLayouts = std::vector<FaultyLayout>;

// The faults grouped by layout, in layout order.
FaultyLayouts faultyLayoutsOf(const std::vector<LayoutFault>& faults);
// Every layout of the job checked as the layout editor checks it (its tolerance, and the spacing
// and margin of Deep Nesting layouts).
FaultyLayouts faultyLayoutsOf(const Job& job);
// The mark of one layout; nullptr when it passes the check.
const FaultyLayout* faultyLayout(const FaultyLayouts& faulty, int layoutNo);
// "Fails the overlap check: parts 3 (a.shp) and 5 (b.shp) overlap; ..." (the first few faults
// and how many more); "" for a layout that passes.
std::string faultyLayoutLine(const FaultyLayouts& faulty, int layoutNo);
// The layout list's lines, the faulty layouts' marked with kFaultyLayoutMark.
std::vector<std::string> markedLayoutListEntries(const NestingState& state, const FaultyLayouts& faulty);
// For a job opened with faulty layouts: "Layouts 2 and 4 fail the overlap check ..." with each
// layout's faults and what to do; "" when every layout passes.
std::string faultyLayoutsWarning(const FaultyLayouts& faulty);
// Messages one per line, the first few and how many more (faults, for a question).
std::string listedLines(const std::vector<std::string>& lines);

} // namespace dravenor
