#pragma once
// The mark of layouts that fail the outline check: worked out from the check's faults, and
// worded for the layout list, the view, the report, the printout and the job opened.
#include <string>
#include <vector>

#include "job/job.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor {

inline constexpr const char* kFaultyLayoutMark = "  FAILS CHECK";

// The faults grouped by layout, in layout order, each text without its "layout N: ".
std::vector<FaultyLayout> faultyLayoutsOf(const std::vector<LayoutFault>& faults);
// Checks every layout of the job as the layout editor does (its tolerance, and the spacing and
// margin of Deep Nesting layouts) and keeps the result in job.nesting.faultyLayouts.
void markFaultyLayouts(Job& job);
// The mark of one layout; nullptr when it passes the check.
const FaultyLayout* faultyLayout(const NestingState& state, int layoutNo);
// "Fails the overlap check: parts 3 (a.shp) and 5 (b.shp) overlap; ..." (the first few faults
// and how many more); "" for a layout that passes.
std::string faultyLayoutLine(const NestingState& state, int layoutNo);
// The layout list's lines, the faulty layouts' marked with kFaultyLayoutMark.
std::vector<std::string> markedLayoutListEntries(const NestingState& state);
// For a job opened with faulty layouts: "Layouts 2 and 4 fail the overlap check: ..." and what
// to do; "" when every layout passes.
std::string faultyLayoutsWarning(const NestingState& state);
// Messages one per line, the first few and how many more (faults, for a question).
std::string listedLines(const std::vector<std::string>& faults);

} // namespace dravenor
