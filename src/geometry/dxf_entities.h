#pragma once
// Readers of the drawing entities a shape is made of: each turns the groups of one entity into
// shape entities.
#include <cstdint>

#include "geometry/dxf_entity_cursor.h"
#include "geometry/shape.h"

namespace dravenor {

// What the numbers of the entities read so far looked like.
struct DxfNumberTally {
    int nonNumeric = 0;               // values that are not wholly a number (read by their leading part)
    bool outOfRange = false;          // a value no drawing can mean; the import stops there
    std::uint32_t outOfRangeLine = 0; // line of the first such group's code
};

// The group's value as a number, counted in the tally.
double dxfNumberOf(const DxfGroup& group, DxfNumberTally& tally);
// The first group with the code read as a number; `missing` when the entity has none.
double dxfGroupNumber(const DxfEntity& entity, int code, DxfNumberTally& tally, double missing = 0);
// The bits of the entity's flag group 70 (0 when it has none).
int dxfFlags(const DxfEntity& entity, DxfNumberTally& tally);
// Whether the extrusion direction (210, 220, 230) points to -Z, so the entity's own x axis
// runs against the drawing's.
bool dxfDrawnMirrored(const DxfEntity& entity, DxfNumberTally& tally);
// Whether the entity belongs to paper space (group 67 is 1) rather than to the model.
bool dxfInPaperSpace(const DxfEntity& entity, DxfNumberTally& tally);

// Each appends what the entity draws and returns false when it draws nothing (an arc or circle
// of radius 0).
bool readDxfLine(const DxfEntity& entity, DxfNumberTally& tally, Shape& shape);
bool readDxfArc(const DxfEntity& entity, DxfNumberTally& tally, Shape& shape);
bool readDxfCircle(const DxfEntity& entity, DxfNumberTally& tally, Shape& shape);
bool readDxfLwPolyline(const DxfEntity& entity, DxfNumberTally& tally, Shape& shape);

} // namespace dravenor
