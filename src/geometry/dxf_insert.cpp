#include "geometry/dxf_insert.h"

#include <set>
#include <utility>

#include "job/files.h"

namespace dravenor {

namespace {

constexpr int kExternalReferenceFlags = 4 | 8; // external reference, or overlaid one

std::string blockKey(std::string_view name)
{
    return toLowerAscii(std::string(name));
}

int wholeCount(double value)
{
    return value >= 1 && value <= 1e9 ? static_cast<int>(value) : 1;
}

} // namespace

DxfBlockIndex::DxfBlockIndex(const std::vector<DxfBlockDefinition>& blocks)
{
    for (const DxfBlockDefinition& block : blocks)
        if (block.range.end > block.range.begin) ranges_.emplace(blockKey(block.name), block.range);
}

const DxfTextRange* DxfBlockIndex::find(std::string_view name) const
{
    const auto found = ranges_.find(blockKey(name));
    return found == ranges_.end() ? nullptr : &found->second;
}

DxfBlockHead readDxfBlockHead(const DxfEntity& block, DxfNumberTally& tally)
{
    DxfBlockHead head;
    head.base = {dxfGroupNumber(block, 10, tally), dxfGroupNumber(block, 20, tally)};
    head.external = (dxfFlags(block, tally) & kExternalReferenceFlags) != 0;
    return head;
}

DxfInsert readDxfInsert(const DxfEntity& insert, DxfNumberTally& tally)
{
    DxfInsert read;
    for (const DxfGroup& group : insert.groups)
        if (group.code == 2) {
            read.blockName = trimmedDxfValue(group.value);
            break;
        }
    read.attributesFollow = dxfGroupNumber(insert, 66, tally) == 1;
    const DxfPoint at{dxfGroupNumber(insert, 10, tally), dxfGroupNumber(insert, 20, tally)};
    const DxfTransform scale =
        DxfTransform::scaling(dxfGroupNumber(insert, 41, tally, 1), dxfGroupNumber(insert, 42, tally, 1));
    const DxfTransform turn = DxfTransform::rotation(dxfGroupNumber(insert, 50, tally));
    // Seen from behind (extrusion -z) the insert's own x runs against the drawing's.
    const DxfTransform view = dxfDrawnMirrored(insert, tally) ? DxfTransform::scaling(-1, 1) : DxfTransform{};
    const int columns = wholeCount(dxfGroupNumber(insert, 70, tally, 1));
    const int rows = wholeCount(dxfGroupNumber(insert, 71, tally, 1));
    const double columnSpacing = dxfGroupNumber(insert, 44, tally);
    const double rowSpacing = dxfGroupNumber(insert, 45, tally);
    if (static_cast<double>(columns) * rows > kMostInsertCells) {
        read.tooManyCells = true;
        return read;
    }

    std::set<std::pair<double, double>> offsets;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const DxfPoint offset{column * columnSpacing, row * rowSpacing};
            if (!offsets.insert({offset.x, offset.y}).second) continue;
            const DxfTransform cell = DxfTransform::translation(at.x, at.y)
                                          .after(turn)
                                          .after(DxfTransform::translation(offset.x, offset.y))
                                          .after(scale);
            read.cells.push_back(view.after(cell));
        }
    return read;
}

} // namespace dravenor
