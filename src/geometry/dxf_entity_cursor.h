#pragma once
// Walks the entities of a stretch of drawing text one at a time: an entity is a group 0
// holding its name and the groups after it, up to the next group 0.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "geometry/dxf_groups.h"

namespace dravenor {

struct DxfEntity {
    std::string_view name;             // the trimmed value of its group 0
    std::span<const DxfGroup> groups;  // the groups after its group 0, up to the next group 0
    std::uint32_t line = 0;            // line of its group 0
};

class DxfEntityCursor {
public:
    // Groups before the first group 0 of the text belong to no entity and are passed over.
    DxfEntityCursor(std::string_view text, std::uint32_t firstLine);

    // Reads the next entity, keeping its groups in `storage` (so the entity stays valid while
    // storage is left alone); false at the end.
    bool next(DxfEntity& entity, std::vector<DxfGroup>& storage);
    // Name of the entity next() reads next; "" at the end.
    std::string_view nextName() const { return hasNextHead_ ? trimmedDxfValue(nextHead_.value) : std::string_view(); }

private:
    DxfGroupReader reader_;
    DxfGroup nextHead_;
    bool hasNextHead_ = false;
};

} // namespace dravenor
