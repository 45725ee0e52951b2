#include "geometry/dxf_export_records.h"

#include "geometry/primitives.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

void line(std::string& out, const std::string& text)
{
    out += text;
    out += "\r\n";
}

void pair(std::string& out, const char* code, const std::string& value)
{
    line(out, code);
    line(out, value);
}

void number(std::string& out, const char* code, double value)
{
    pair(out, code, formatGeneral(value));
}

// " 0", kind, " 5", handle, " 8", layer: the lines every record starts with.
void recordStart(std::string& out, const char* kind, const std::string& handle, const std::string& layer)
{
    pair(out, " 0", kind);
    pair(out, " 5", handle);
    pair(out, " 8", layer);
}

void writeEntity(std::string& out, DxfHandles& handles, const ShapeEntity& e, const std::string& layer)
{
    switch (entityKind(e)) {
    case EntityKindCode::Line:
        recordStart(out, "LINE", handles.next(false), layer);
        number(out, " 10", e.X1);
        number(out, " 20", e.Y1);
        number(out, " 11", e.X2);
        number(out, " 21", e.Y2);
        return;
    case EntityKindCode::Circle:
        recordStart(out, "CIRCLE", handles.next(false), layer);
        number(out, " 10", e.CX);
        number(out, " 20", e.CY);
        number(out, " 40", e.RAD);
        return;
    case EntityKindCode::Arc:
        recordStart(out, "ARC", handles.next(true), layer);
        number(out, " 10", e.CX);
        number(out, " 20", e.CY);
        number(out, " 40", e.RAD);
        number(out, " 50", e.Nstart);
        number(out, " 51", e.Nend);
        return;
    }
}

} // namespace

void writeDxfEntities(std::string& out, DxfHandles& handles, const Shape& shape, const std::string& layer)
{
    for (const ShapeEntity& e : shape) writeEntity(out, handles, e, layer);
}

std::string dxfTextForFileName(const std::string& fileName)
{
    std::string text = fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : fileName;
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

void writeDxfText(std::string& out, DxfHandles& handles, double x, double y, double height,
                  const std::string& fileName, const std::string& layer)
{
    writeDxfLabel(out, handles, x, y, height, dxfTextForFileName(fileName), layer);
}

void writeDxfLabel(std::string& out, DxfHandles& handles, double x, double y, double height, std::string text,
                   const std::string& layer)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    recordStart(out, "TEXT", handles.next(false), layer);
    number(out, " 10", x);
    number(out, " 20", y);
    number(out, " 40", height);
    pair(out, " 1", text);
}

} // namespace dravenor
