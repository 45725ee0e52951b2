#include "geometry/dxf_polyline.h"

#include <vector>

#include "geometry/dxf_arcs.h"

namespace dravenor {

namespace {

constexpr int kClosedFlag = 1;
constexpr int kPolyline3dFlag = 8;         // vertices in drawing coordinates
constexpr int kMeshFlags = 16 | 64;        // polygon mesh, polyface mesh
constexpr int kSplineFrameVertexFlag = 16; // control point of a fitted spline, not on the curve

// Takes the SEQEND that ends the vertices, if it is there.
bool takeSeqend(DxfEntityCursor& cursor, std::vector<DxfGroup>& storage)
{
    if (cursor.nextName() != "SEQEND") return false;
    DxfEntity seqend;
    cursor.next(seqend, storage);
    return true;
}

} // namespace

bool skipDxfPolylineVertices(DxfEntityCursor& cursor)
{
    std::vector<DxfGroup> storage;
    DxfEntity vertex;
    while (cursor.nextName() == "VERTEX") cursor.next(vertex, storage);
    return takeSeqend(cursor, storage);
}

DxfPolylineRead readDxfPolyline(const DxfEntity& head, DxfEntityCursor& cursor, DxfNumberTally& tally, Shape& shape)
{
    DxfPolylineRead read;
    const int flags = dxfFlags(head, tally);
    read.mesh = (flags & kMeshFlags) != 0;
    if (read.mesh) {
        read.hasSeqend = skipDxfPolylineVertices(cursor);
        return read;
    }
    // A 2-D polyline lies in the plane of its extrusion direction, as arcs do.
    const bool mirrored = !(flags & kPolyline3dFlag) && dxfDrawnMirrored(head, tally);

    std::vector<DxfVertex> vertices;
    std::vector<DxfGroup> storage;
    DxfEntity vertex;
    while (cursor.nextName() == "VERTEX") {
        cursor.next(vertex, storage);
        if (dxfFlags(vertex, tally) & kSplineFrameVertexFlag) continue;
        vertices.push_back({dxfGroupNumber(vertex, 10, tally), dxfGroupNumber(vertex, 20, tally),
                            dxfGroupNumber(vertex, 42, tally)});
    }
    read.hasSeqend = takeSeqend(cursor, storage);
    if (mirrored) mirrorVerticesInX(vertices);
    const std::size_t before = shape.size();
    appendDxfPolylinePath(vertices, (flags & kClosedFlag) != 0, shape);
    read.drawsNothing = shape.size() == before;
    return read;
}

} // namespace dravenor
