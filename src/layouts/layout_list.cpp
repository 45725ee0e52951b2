#include "layouts/layout_list.h"

#include "job/number_format.h"

namespace dravenor {

std::vector<std::string> layoutListEntries(const NestingState& state)
{
    std::vector<std::string> entries;
    if (state.entities.empty()) return entries;
    const std::string highest = std::to_string(state.entities.back().LayoutNo);
    std::int32_t seen = 0;
    for (const LayoutEntity& e : state.entities) {
        if (e.LayoutNo == seen) continue;
        seen = e.LayoutNo;
        entries.push_back(std::to_string(seen) + "/" + highest + "  [QTY " + std::to_string(e.Qty) + "]");
    }
    return entries;
}

int layoutNumberOfEntry(const std::string& entry)
{
    return toWhole(leadingNumber(entry.substr(0, entry.find('/'))));
}

} // namespace dravenor
