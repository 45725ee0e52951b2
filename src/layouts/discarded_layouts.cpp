#include "layouts/discarded_layouts.h"

#include <algorithm>

namespace dravenor {

int layoutCount(const NestingState& state)
{
    int highest = 0;
    for (const LayoutEntity& e : state.entities) highest = std::max(highest, static_cast<int>(e.LayoutNo));
    for (const LayoutItem& item : state.items) highest = std::max(highest, static_cast<int>(item.LayoutNo));
    return highest;
}

std::string discardedLayoutsNote(const NestingState& state)
{
    const int count = layoutCount(state);
    if (count == 0) return {};
    const std::string what = count == 1 ? "The layout" : "The " + std::to_string(count) + " layouts";
    return what + (state.deepLayouts ? " made by Deep Nesting" : "") + " will be"
        + " discarded.";
}

std::string discardingQuestion(const char* question, const NestingState& state)
{
    const std::string note = discardedLayoutsNote(state);
    return note.empty() ? std::string(question) : std::string(question) + "\n\n" + note;
}

} // namespace dravenor
