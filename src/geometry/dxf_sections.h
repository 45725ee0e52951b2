#pragma once
// Where a drawing's shape is: the ENTITIES section, or in a drawing without sections the text
// after the last block definition. Block definitions are never read.
#include <cstdint>
#include <string_view>
#include <vector>

namespace dravenor {

struct DxfTextRange {
    std::size_t begin = 0, end = 0; // byte offsets in the drawing text
    std::uint32_t firstLine = 1;    // line number at begin
};

struct DxfDrawingLayout {
    std::vector<DxfTextRange> modelRanges; // the stretches whose entities make the shape
    bool holdsGroups = false;
    bool hasSections = false;
    bool hasEntitiesSection = false;
    bool endsEarly = false;                // an ENTITIES section without ENDSEC, or no EOF at all
    int unreadableCodes = 0;               // code lines that are not whole numbers
    std::uint32_t firstUnreadableLine = 0;
    bool endsWithoutValue = false;         // an odd number of lines
};

// One pass over the whole text.
DxfDrawingLayout dxfDrawingLayout(std::string_view text);

} // namespace dravenor
