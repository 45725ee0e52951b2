#include "layouts/faulty_layouts.h"

#include <algorithm>

#include "layouts/layout_exchange.h"
#include "layouts/layout_list.h"

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

std::string numbersText(const std::vector<int>& numbers)
{
    std::string text;
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) text += i + 1 == numbers.size() ? " and " : ", ";
        text += std::to_string(numbers[i]);
    }
    return text;
}

} // namespace

std::vector<FaultyLayout> faultyLayoutsOf(const std::vector<LayoutFault>& faults)
{
    std::vector<FaultyLayout> layouts;
    for (const LayoutFault& fault : faults) {
        auto it = std::find_if(layouts.begin(), layouts.end(),
                               [&](const FaultyLayout& f) { return f.LayoutNo == fault.layoutNo; });
        if (it == layouts.end()) it = layouts.insert(layouts.end(), FaultyLayout{fault.layoutNo, {}});
        it->faults.push_back(withoutLayoutPrefix(fault.text));
    }
    std::sort(layouts.begin(), layouts.end(), [](const auto& a, const auto& b) { return a.LayoutNo < b.LayoutNo; });
    return layouts;
}

void markFaultyLayouts(Job& job)
{
    job.nesting.faultyLayouts.clear();
    if (job.nesting.entities.empty()) return;
    job.nesting.faultyLayouts =
        faultyLayoutsOf(checkLayouts(job.nesting, kDefaultCheckTolerance, exchangeDistances(job)));
}

const FaultyLayout* faultyLayout(const NestingState& state, int layoutNo)
{
    for (const FaultyLayout& layout : state.faultyLayouts)
        if (layout.LayoutNo == layoutNo) return &layout;
    return nullptr;
}

namespace {

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

std::string faultyLayoutLine(const NestingState& state, int layoutNo)
{
    const FaultyLayout* layout = faultyLayout(state, layoutNo);
    return layout ? "Fails the overlap check: " + faultSummary(layout) : std::string();
}

std::vector<std::string> markedLayoutListEntries(const NestingState& state)
{
    std::vector<std::string> entries = layoutListEntries(state);
    for (std::string& entry : entries)
        if (faultyLayout(state, layoutNumberOfEntry(entry))) entry += kFaultyLayoutMark;
    return entries;
}

std::string faultyLayoutsWarning(const NestingState& state)
{
    if (state.faultyLayouts.empty()) return {};
    std::vector<int> numbers;
    for (const FaultyLayout& layout : state.faultyLayouts) numbers.push_back(layout.LayoutNo);
    const bool one = numbers.size() == 1;
    std::string text = (one ? "Layout " : "Layouts ") + numbersText(numbers) + (one ? " fails" : " fail")
        + " the overlap check and cannot be cut as drawn:\n";
    for (const FaultyLayout& layout : state.faultyLayouts)
        text += std::to_string(layout.LayoutNo) + ": " + faultSummary(&layout) + "\n";
    return text + "Correct it in the layout editor or optimize again.";
}

std::string listedLines(const std::vector<std::string>& faults)
{
    std::string text;
    for (size_t i = 0; i < faults.size() && i < kFaultsListed; ++i) text += faults[i] + "\n";
    if (faults.size() > kFaultsListed) text += "... and " + std::to_string(faults.size() - kFaultsListed) + " more\n";
    return text;
}

} // namespace dravenor
