#pragma once
// Where a drawing's parts are: its header, its block definitions, and its shape: the ENTITIES
// section, or in a drawing without sections the text after the last block definition.
#include <cstdint>
#include <string_view>
#include <vector>

namespace dravenor {

struct DxfTextRange {
    std::size_t begin = 0, end = 0; // byte offsets in the drawing text
    std::uint32_t firstLine = 1;    // line number at begin
};

// A block definition: from its BLOCK entity (name 2, base point 10/20, flags 70) to the ENDBLK.
struct DxfBlockDefinition {
    std::string_view name; // as written
    DxfTextRange range;    // starts at the BLOCK entity, ends before the ENDBLK
};

struct DxfDrawingLayout {
    std::vector<DxfTextRange> modelRanges; // the stretches whose entities make the shape
    DxfTextRange header;                   // the HEADER section's variables (empty when none)
    std::vector<DxfBlockDefinition> blocks;
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
