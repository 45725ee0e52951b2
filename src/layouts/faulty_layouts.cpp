#include "layouts/faulty_layouts.h"

#include <algorithm>

#include "layouts/layout_exchange.h"
#include "layouts/layout_list.h"
#include "layouts/number_list.h"

namespace dravenor {

namespace {

constexpr size_t kFaultsNamed = 3;
constexpr size_t kFaultsListed = 8;

// "layout 2: parts 3 and 5 overlap" -> "parts 3 and 5 overlap".
std::string withoutLayoutPrefix(const std::string& text)
{
    const size_t colon = text.find(": ");
    return text.starts_with("layout ") && colon != std::string::npos ? text.substr(colon + 2) : text;
}

// The first few faults of a layout, and how many more.
std::string faultSummary(const FaultyLayout* layout)
{
    std::string text;
    for (size_t i = 0; i < layout->faults.size() && i < kFaultsNamed; ++i)
        text += (i > 0 ? "; " : "") + layout->faults[i];
    if (layout->faults.size() > kFaultsNamed)
        text += "; and " + std::to_string(layout->faults.size() - kFaultsNamed) + " more";
    return text;
}

} // namespace

FaultyLayouts faultyLayoutsOf(const std::vector<LayoutFault>& faults)
{
    FaultyLayouts layouts;
    for (const LayoutFault& fault : faults) {
        auto it = std::find_if(layouts.begin(), layouts.end(),
                               [&](const FaultyLayout& f) { return f.LayoutNo == fault.layoutNo; });
        if (it == layouts.end()) it = layouts.insert(layouts.end(), FaultyLayout{fault.layoutNo, {}});
        it->faults.push_back(withoutLayoutPrefix(fault.text));
    }
    std::sort(layouts.begin(), layouts.end(), [](const auto& a, const auto& b) { return a.LayoutNo < b.LayoutNo; });
    return layouts;
}

FaultyLayouts faultyLayoutsOf(const Job& job)
{
    if (job.nesting.entities.empty()) return {};
    return faultyLayoutsOf(checkLayouts(job.nesting, kDefaultCheckTolerance, exchangeDistances(job)));
}

const FaultyLayout* faultyLayout(const FaultyLayouts& faulty, int layoutNo)
{
    for (const FaultyLayout& layout : faulty)
        if (layout.LayoutNo == layoutNo) return &layout;
    return nullptr;
}


std::string faultyLayoutLine(const FaultyLayouts& faulty, int layoutNo)
{
    const FaultyLayout* layout = faultyLayout(faulty, layoutNo);
    return layout ? "Fails the overlap check: " + faultSummary(layout) : std::string();
}

std::vector<std::string> markedLayoutListEntries(const NestingState& state, const FaultyLayouts& faulty)
{
    std::vector<std::string> entries = layoutListEntries(state);
    for (std::string& entry : entries)
        if (faultyLayout(faulty, layoutNumberOfEntry(entry))) entry += kFaultyLayoutMark;
    return entries;
}

std::string faultyLayoutsWarning(const FaultyLayouts& faulty)
{
    if (faulty.empty()) return {};
    std::vector<int> numbers;
    for (const FaultyLayout& layout : faulty) numbers.push_back(layout.LayoutNo);
    const bool one = numbers.size() == 1;
    std::string text = (one ? "Layout " : "Layouts ") + numberList(numbers) + (one ? " fails" : " fail")
        + " the overlap check and cannot be cut as drawn:\n";
    for (const FaultyLayout& layout : faulty)
        text += std::to_string(layout.LayoutNo) + ": " + faultSummary(&layout) + "\n";
    return text + "Correct it in the layout editor or optimize again.";
}

std::string listedLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size() && i < kFaultsListed; ++i) text += lines[i] + "\n";
    if (lines.size() > kFaultsListed) text += "... and " + std::to_string(lines.size() - kFaultsListed) + " more\n";
    return text;
}

} // namespace dravenor
