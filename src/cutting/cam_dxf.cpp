#include "cutting/cam_dxf.h"

#include <cmath>
#include <cstdio>

#include "cutting/layout_shapes.h"
#include "cutting/part_contours.h"
#include "geometry/layout_lists.h"
#include "geometry/primitives.h"
#include "job/files.h"

namespace dravenor::cutting {

namespace {

class DxfWriter {
public:
    explicit DxfWriter(long firstHandle) : next_(firstHandle) {}
    void pair(int code, const std::string& value)
    {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%3d", code);
        text_ += std::string(buffer) + "\r\n" + value + "\r\n";
    }
    void number(int code, double value)
    {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.10g", std::abs(value) < 1e-12 ? 0.0 : value);
        pair(code, buffer);
    }
    void whole(int code, long value) { pair(code, std::to_string(value)); }
    std::string handle()
    {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%lX", next_++);
        return buffer;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
    long next_;
};

// The vertices of a path with the bulge that leads from each to the next (full circles in halves).
std::vector<std::pair<Vec2, double>> bulgeVertices(const PiecePath& path)
{
    std::vector<std::pair<Vec2, double>> vertices;
    for (const PathPiece& p : path) {
        if (!p.arc) {
            vertices.push_back({p.a, 0});
            continue;
        }
        const double sweep = sweepOf(p);
        const double sign = p.ccw ? 1 : -1;
        if (sweep > 3.14159) {
            vertices.push_back({p.a, sign * std::tan(sweep / 8)});
            vertices.push_back({pointAt(p, 0.5), sign * std::tan(sweep / 8)});
        } else {
            vertices.push_back({p.a, sign * std::tan(sweep / 4)});
        }
    }
    return vertices;
}

void polyline(DxfWriter& w, const PiecePath& path, const std::string& layer, bool closed)
{
    std::vector<std::pair<Vec2, double>> vertices = bulgeVertices(path);
    if (!closed && !path.empty()) vertices.push_back({path.back().b, 0});
    w.pair(0, "LWPOLYLINE");
    w.pair(5, w.handle());
    w.pair(100, "AcDbEntity");
    w.pair(8, layer);
    w.pair(100, "AcDbPolyline");
    w.whole(90, static_cast<long>(vertices.size()));
    w.whole(70, closed ? 1 : 0);
    for (const auto& [at, bulge] : vertices) {
        w.number(10, at.x);
        w.number(20, at.y);
        if (bulge != 0) w.number(42, bulge);
    }
}

void layerTable(DxfWriter& w)
{
    const std::vector<std::pair<std::string, int>> layers{
        {"0", 7}, {"OUTER", 7}, {"INNER", 5}, {"LEAD-IN", 3}, {"TEXT", 2}, {"SHEET", 8}};
    w.pair(0, "SECTION");
    w.pair(2, "TABLES");
    w.pair(0, "TABLE");
    w.pair(2, "LAYER");
    const std::string table = w.handle();
    w.pair(5, table);
    w.pair(100, "AcDbSymbolTable");
    w.whole(70, static_cast<long>(layers.size()));
    for (const auto& [name, colour] : layers) {
        w.pair(0, "LAYER");
        w.pair(5, w.handle());
        w.pair(330, table);
        w.pair(100, "AcDbSymbolTableRecord");
        w.pair(100, "AcDbLayerTableRecord");
        w.pair(2, name);
        w.whole(70, 0);
        w.whole(62, colour);
        w.pair(6, "CONTINUOUS");
    }
    w.pair(0, "ENDTAB");
    w.pair(0, "ENDSEC");
}

} // namespace

CamDrawing camDxfDrawing(const NestingState& state, int layoutNo, const CutPlan& plan)
{
    CamDrawing drawing;
    const LayoutShapes layout = layoutShapes(state, layoutNo);
    drawing.error = layout.error;
    if (!drawing.error.empty()) return drawing;
    const Shape& sheet = layout.sheet;
    // The tables take handles from 0x20; entities start above them.
    DxfWriter body(0x100);
    for (const Contour& c : partContours(sheet, 0.01).contours) polyline(body, c.path, "SHEET", true);
    const double textHeight = std::max(shapeExtents(sheet).width(), shapeExtents(sheet).height()) / 100;
    size_t number = 0;
    for (const PlacedShape& part : layout.parts) {
        const Shape& shape = part.shape;
        for (const Contour& c : partContours(shape, 0.01).contours) polyline(body, c.path, c.hole ? "INNER" : "OUTER", true);
        const Extents box = shapeExtents(shape);
        body.pair(0, "TEXT");
        body.pair(5, body.handle());
        body.pair(100, "AcDbEntity");
        body.pair(8, "TEXT");
        body.pair(100, "AcDbText");
        body.number(10, (box.xmin + box.xmax) / 2);
        body.number(20, (box.ymin + box.ymax) / 2);
        body.number(30, 0);
        body.number(40, textHeight > 0 ? textHeight : 1);
        body.pair(1, number < plan.partNames.size() ? plan.partNames[number] : std::to_string(part.instance));
        body.pair(100, "AcDbText");
        ++number;
    }
    for (const CutContour& c : plan.contours)
        if (!c.leadIn.empty()) polyline(body, c.leadIn, "LEAD-IN", false);

    DxfWriter out(0x20);
    out.pair(0, "SECTION");
    out.pair(2, "HEADER");
    out.pair(9, "$ACADVER");
    out.pair(1, "AC1015");
    out.pair(9, "$INSUNITS");
    out.whole(70, state.drawingUnit == DrawingUnit::Inch ? 1 : 4);
    out.pair(9, "$MEASUREMENT");
    out.whole(70, state.drawingUnit == DrawingUnit::Inch ? 0 : 1);
    out.pair(0, "ENDSEC");
    layerTable(out);
    out.pair(0, "SECTION");
    out.pair(2, "ENTITIES");
    drawing.text = out.text() + body.text();
    drawing.text += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    return drawing;
}

std::string saveCamDxf(const NestingState& state, int layoutNo, const CutPlan& plan, const std::string& path)
{
    const CamDrawing drawing = camDxfDrawing(state, layoutNo, plan);
    if (!drawing.error.empty()) return drawing.error;
    return writeFileAtomically(path, drawing.text);
}

} // namespace dravenor::cutting
