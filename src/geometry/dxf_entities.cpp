#include "geometry/dxf_entities.h"

#include <cmath>
#include <vector>

#include "geometry/dxf_arcs.h"

namespace dravenor {

namespace {

// Extrusion directions closer to the z axis than this count as along it.
constexpr double kAxisTolerance = 1.0 / 64;

} // namespace

double dxfNumberOf(const DxfGroup& group, DxfNumberTally& tally)
{
    const DxfNumber number = readDxfNumber(group.value);
    if (!number.numeric) ++tally.nonNumeric;
    if (number.outOfRange && !tally.outOfRange) {
        tally.outOfRange = true;
        tally.outOfRangeLine = group.line;
    }
    return number.value;
}

double dxfGroupNumber(const DxfEntity& entity, int code, DxfNumberTally& tally, double missing)
{
    for (const DxfGroup& group : entity.groups)
        if (group.code == code) return dxfNumberOf(group, tally);
    return missing;
}

int dxfFlags(const DxfEntity& entity, DxfNumberTally& tally)
{
    const double flags = dxfGroupNumber(entity, 70, tally);
    return flags >= 0 && flags <= 0xFFFF ? static_cast<int>(flags) : 0;
}

bool dxfDrawnMirrored(const DxfEntity& entity, DxfNumberTally& tally)
{
    const double z = dxfGroupNumber(entity, 230, tally, 1);
    if (z >= 0) return false;
    return std::fabs(dxfGroupNumber(entity, 210, tally)) < kAxisTolerance &&
           std::fabs(dxfGroupNumber(entity, 220, tally)) < kAxisTolerance;
}

bool dxfInPaperSpace(const DxfEntity& entity, DxfNumberTally& tally)
{
    return dxfGroupNumber(entity, 67, tally) == 1;
}

bool readDxfLine(const DxfEntity& entity, DxfNumberTally& tally, Shape& shape)
{
    ShapeEntity line;
    line.X1 = dxfGroupNumber(entity, 10, tally);
    line.Y1 = dxfGroupNumber(entity, 20, tally);
    line.X2 = dxfGroupNumber(entity, 11, tally);
    line.Y2 = dxfGroupNumber(entity, 21, tally);
    shape.push_back(line);
    return true;
}

bool readDxfArc(const DxfEntity& entity, DxfNumberTally& tally, Shape& shape)
{
    ShapeEntity arc;
    arc.CX = dxfGroupNumber(entity, 10, tally);
    arc.CY = dxfGroupNumber(entity, 20, tally);
    arc.RAD = dxfGroupNumber(entity, 40, tally);
    arc.Nstart = dxfGroupNumber(entity, 50, tally); // degrees as stored, counter-clockwise
    arc.Nend = dxfGroupNumber(entity, 51, tally);
    if (arc.RAD == 0) return false; // would read back as a line at the origin
    if (dxfDrawnMirrored(entity, tally)) mirrorArcInX(arc);
    shape.push_back(arc);
    return true;
}

bool readDxfCircle(const DxfEntity& entity, DxfNumberTally& tally, Shape& shape)
{
    ShapeEntity circle;
    circle.CX = dxfGroupNumber(entity, 10, tally);
    circle.CY = dxfGroupNumber(entity, 20, tally);
    circle.RAD = dxfGroupNumber(entity, 40, tally); // equal angles (0, 0): a full circle
    if (circle.RAD == 0) return false;
    if (dxfDrawnMirrored(entity, tally)) mirrorArcInX(circle);
    shape.push_back(circle);
    return true;
}

bool readDxfLwPolyline(const DxfEntity& entity, DxfNumberTally& tally, Shape& shape)
{
    // Each vertex starts at its 10 group; 20 and 42 that follow belong to it.
    std::vector<DxfVertex> vertices;
    for (const DxfGroup& group : entity.groups) {
        if (group.code == 10) {
            vertices.push_back({dxfNumberOf(group, tally), 0, 0});
        } else if (!vertices.empty() && group.code == 20) {
            vertices.back().y = dxfNumberOf(group, tally);
        } else if (!vertices.empty() && group.code == 42) {
            vertices.back().bulge = dxfNumberOf(group, tally);
        }
    }
    const bool closed = (dxfFlags(entity, tally) & 1) != 0;
    if (dxfDrawnMirrored(entity, tally)) mirrorVerticesInX(vertices);
    const std::size_t before = shape.size();
    appendDxfPolylinePath(vertices, closed, shape);
    return shape.size() > before;
}

} // namespace dravenor
