#include "geometry/dxf_sections.h"

#include "geometry/dxf_groups.h"

namespace dravenor {

DxfDrawingLayout dxfDrawingLayout(std::string_view text)
{
    DxfDrawingLayout layout;
    DxfGroupReader reader(text);
    DxfGroup group;
    bool afterSectionStart = false;
    bool inEntities = false;
    bool inHeader = false;
    bool inBlockHead = false; // between a BLOCK and the next group 0: its name comes there
    bool sawEof = false;
    DxfTextRange entities;
    DxfTextRange afterLastBlock; // from the start when there is no block definition
    for (std::size_t before = reader.offset(); reader.next(group); before = reader.offset()) {
        layout.holdsGroups = true;
        const bool marker = group.code == 0;
        const std::string_view name = marker || group.code == 2 ? trimmedDxfValue(group.value) : std::string_view();
        if (marker) inBlockHead = false;
        if (marker && name == "ENDSEC" && inEntities) {
            entities.end = before;
            layout.modelRanges.push_back(entities);
            inEntities = false;
        } else if (marker && name == "ENDSEC" && inHeader) {
            layout.header.end = before;
            inHeader = false;
        } else if (marker && name == "SECTION") {
            layout.hasSections = true;
        } else if (marker && name == "BLOCK") {
            layout.blocks.push_back({{}, {before, 0, group.line}});
            inBlockHead = true;
        } else if (group.code == 2 && inBlockHead) {
            layout.blocks.back().name = name;
            inBlockHead = false;
        } else if (marker && name == "ENDBLK") {
            if (!layout.blocks.empty() && layout.blocks.back().range.end == 0) layout.blocks.back().range.end = before;
            afterLastBlock = {reader.offset(), 0, reader.line()};
        } else if (marker && name == "EOF") {
            sawEof = true;
        } else if (group.code == 2 && afterSectionStart && name == "ENTITIES" && !inEntities) {
            layout.hasEntitiesSection = inEntities = true;
            entities = {reader.offset(), 0, reader.line()};
        } else if (group.code == 2 && afterSectionStart && name == "HEADER" && layout.header.end == 0) {
            inHeader = true;
            layout.header = {reader.offset(), 0, reader.line()};
        }
        afterSectionStart = marker && name == "SECTION";
    }
    if (inEntities) {
        entities.end = text.size();
        layout.modelRanges.push_back(entities);
        layout.endsEarly = true;
    }
    if (!layout.hasSections) {
        afterLastBlock.end = text.size();
        layout.modelRanges.push_back(afterLastBlock);
    }
    if (!sawEof) layout.endsEarly = true;
    layout.unreadableCodes = reader.unreadableCodes();
    layout.firstUnreadableLine = reader.firstUnreadableLine();
    layout.endsWithoutValue = reader.endsWithoutValue();
    return layout;
}

} // namespace dravenor
