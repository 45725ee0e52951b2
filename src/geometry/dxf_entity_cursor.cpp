#include "geometry/dxf_entity_cursor.h"

namespace dravenor {

DxfEntityCursor::DxfEntityCursor(std::string_view text, std::uint32_t firstLine) : reader_(text, firstLine)
{
    while (reader_.next(nextHead_))
        if (nextHead_.code == 0) {
            hasNextHead_ = true;
            return;
        }
}

bool DxfEntityCursor::next(DxfEntity& entity, std::vector<DxfGroup>& storage)
{
    if (!hasNextHead_) return false;
    const DxfGroup head = nextHead_;
    storage.clear();
    hasNextHead_ = false;
    DxfGroup group;
    while (reader_.next(group)) {
        if (group.code == 0) {
            nextHead_ = group;
            hasNextHead_ = true;
            break;
        }
        storage.push_back(group);
    }
    entity = {trimmedDxfValue(head.value), storage, head.line};
    return true;
}

} // namespace dravenor
