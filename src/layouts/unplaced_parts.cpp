#include "layouts/unplaced_parts.h"

#include "job/number_format.h"

namespace dravenor {

std::vector<UnplacedPart> unplacedParts(const NestingState& state)
{
    std::vector<UnplacedPart> parts;
    for (const PartEntry& p : state.parts)
        if (p.Remaining > 0) parts.push_back({p.FileName, p.Remaining, p.Qty});
    return parts;
}

std::string unplacedPartsText(const std::vector<UnplacedPart>& parts)
{
    if (parts.empty()) return {};
    const int count = static_cast<int>(parts.size());
    std::string text = countedNoun(count, "part file was", "part files were") + " not placed in full:\n";
    for (const UnplacedPart& p : parts)
        text += "  " + p.file + ": " + std::to_string(p.missing) + " of " + std::to_string(p.required) + " not placed\n";
    return text;
}

} // namespace dravenor
