#include "geometry/shape_file.h"

#include <array>

#include "geometry/dxf_import.h"
#include "geometry/primitives.h"
#include "job/files.h"
#include "job/grid_file.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

constexpr std::size_t kFieldsPerEntity = 9;

bool isBinaryByte(unsigned char c)
{
    return (c < 0x20 && c != '\r' && c != '\n' && c != '\t') || c == 0x7F;
}

bool holdsBinaryBytes(const std::string& content)
{
    for (unsigned char c : content)
        if (isBinaryByte(c)) return true;
    return false;
}

bool isBlank(const std::string& item)
{
    return item.find_first_not_of(" \t\r\n") == std::string::npos;
}

double reducedAngle(double degrees)
{
    return degrees >= 360 ? degrees - 360 : degrees;
}

ShapeEntity entityFromFields(const std::array<double, kFieldsPerEntity>& f)
{
    ShapeEntity e;
    e.X1 = f[0];
    e.Y1 = f[1];
    e.X2 = f[2];
    e.Y2 = f[3];
    e.CX = f[4];
    e.CY = f[5];
    e.RAD = f[6];
    e.Nstart = reducedAngle(f[7]);
    e.Nend = reducedAngle(f[8]);
    return e;
}

void appendQuoted(std::string& out, double value)
{
    out += '"';
    out += formatGeneral(value);
    out += '"';
}

} // namespace

std::string shapeFileType(const std::string& path)
{
    if (path.size() < 3) return "";
    const std::string ending = toLowerAscii(path.substr(path.size() - 3));
    return ending == "shp" || ending == "dxf" ? ending : "";
}

ShapeReadReport parseShapeText(const std::string& content, Shape& shape)
{
    ShapeReadReport report;
    report.binary = holdsBinaryBytes(content);
    const std::vector<std::string> items = splitGridItems(content);

    std::size_t used = 0;
    std::array<double, kFieldsPerEntity> fields{};
    for (std::size_t i = 0; i + kFieldsPerEntity <= items.size(); i += kFieldsPerEntity) {
        for (std::size_t k = 0; k < kFieldsPerEntity; ++k) {
            const std::string& item = items[i + k];
            if (!isNumberText(item)) ++report.nonNumericFields;
            fields[k] = leadingNumber(item);
        }
        shape.push_back(entityFromFields(fields));
        used = i + kFieldsPerEntity;
    }

    // Blank items after the last entity are only empty lines at the end of the file.
    for (std::size_t i = used; i < items.size(); ++i)
        if (!isBlank(items[i])) {
            report.leftoverFields = static_cast<int>(items.size() - used);
            break;
        }
    return report;
}

ShapeReadReport readShapeFile(const std::string& path, Shape& shape)
{
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        ShapeReadReport report;
        report.readable = false;
        report.error = file.error;
        return report;
    }
    return parseShapeText(*file.bytes, shape);
}

ShapeReadReport readShapeByExtension(const std::string& path, Shape& shape, DrawingUnit unit)
{
    shape.clear();
    const std::string type = shapeFileType(path);
    if (type == "shp") return readShapeFile(path, shape);
    if (type == "dxf") return readDxfFile(path, shape, unit);
    return {}; // any other file type reads as an empty shape
}

ShapeReadReport loadShape(const std::string& path, Shape& shape, DrawingUnit unit)
{
    ShapeReadReport report = readShapeByExtension(path, shape, unit);
    normaliseShape(shape);
    return report;
}

std::string shapeToFileText(const Shape& shape)
{
    std::string text;
    for (const ShapeEntity& e : shape) {
        const double fields[kFieldsPerEntity] = {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
        for (std::size_t k = 0; k < kFieldsPerEntity; ++k) {
            if (k > 0) text += ',';
            appendQuoted(text, fields[k]);
        }
        text += "\r\n";
    }
    return text;
}

std::string saveShapeFile(const Shape& shape, const std::string& path)
{
    return writeFileAtomically(path, shapeToFileText(shape));
}

} // namespace dravenor
