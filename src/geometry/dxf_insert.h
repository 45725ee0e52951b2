#pragma once
// INSERT entities: block references, MINSERT arrays included, and the block definitions they
// draw.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/dxf_entities.h"
#include "geometry/dxf_sections.h"
#include "geometry/dxf_transform.h"

namespace dravenor {

// The drawing's block definitions by name; names match whatever their letter case.
class DxfBlockIndex {
public:
    explicit DxfBlockIndex(const std::vector<DxfBlockDefinition>& blocks);
    // The text range of the definition, or nullptr when the drawing defines no such block.
    const DxfTextRange* find(std::string_view name) const;

private:
    std::map<std::string, DxfTextRange> ranges_;
};

// What the BLOCK entity at the start of a definition says about it.
struct DxfBlockHead {
    DxfPoint base;          // the block's point that lands on the insertion point
    bool external = false;  // an external reference: its entities are in another drawing
};
DxfBlockHead readDxfBlockHead(const DxfEntity& block, DxfNumberTally& tally);

// An INSERT: the block it names, and for each cell of its array (one for a plain insert) the
// map from the block's coordinates, relative to its base point, into the coordinates the
// INSERT is drawn in.
struct DxfInsert {
    std::string_view blockName;
    std::vector<DxfTransform> cells;
    bool attributesFollow = false; // ATTRIB entities and a SEQEND come after it
    bool tooManyCells = false;     // an array beyond kMostInsertCells: no cells
};

// The most cells one MINSERT array may have; larger ones are not drawn.
inline constexpr double kMostInsertCells = 100000;

// Reads position 10/20, scales 41/42 (negative: mirrored), rotation 50, columns 70 and rows 71
// with their spacing 44 and 45 (laid out along the turned block, not scaled), and the
// extrusion. Cells that fall on one another (a spacing of 0) are drawn once.
DxfInsert readDxfInsert(const DxfEntity& insert, DxfNumberTally& tally);

} // namespace dravenor
