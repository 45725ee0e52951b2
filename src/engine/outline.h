#pragma once
// A shape's outline in raster units: its segment form moved to the origin and multiplied by the
// raster scale. The engine rasterises outlines, never shapes.
#include <string>
#include <vector>

#include "geometry/segments.h"
#include "geometry/shape.h"

namespace dravenor {

using Outline = std::vector<Segment>;

Extents outlineBox(const Outline& outline);
void moveOutline(Outline& outline, double dx, double dy);
// Moves the outline so that its box starts at (0, 0).
void normaliseOutline(Outline& outline);
// Turns every point counter-clockwise by the angle (degrees) about the centre of the box, with
// the same arithmetic as rotating a shape, then moves the outline to the origin.
void turnOutline(Outline& outline, double angleDegrees);

// An axis-aligned rectangle with a corner at the origin: exactly four segments whose non-zero x
// are all equal, whose non-zero y are all equal, and whose box ends at that x and that y.
bool isOriginRectangle(const Outline& outline);

// The outline as the engine stores it for a shape file: the segment form of the file (drawings
// converted to `unit`) with its gaps up to `bridge` closed (job units: the gaps the start checks
// let pass), moved to the origin, every coordinate times the scale and kept to 15 significant
// digits (the precision the outline has always been stored with).
Outline makeOutline(const std::string& shapeFile, double scale, DrawingUnit unit, double bridge);

} // namespace dravenor
