#include "geometry/dxf_export.h"

#include "geometry/dxf_units.h"
#include "geometry/shape_file.h"
#include "job/files.h"

namespace dravenor {

std::string shapeToDxfText(const Shape& shape, const DxfTemplates& templates)
{
    DxfDrawing drawing(templates);
    drawing.addShape(shape);
    return drawing.finish();
}

std::string saveShapeAsDxf(const Shape& shape, const std::string& path, const std::string& templateFolder,
                           int unitsCode)
{
    DxfTemplates templates;
    if (std::string e = readDxfTemplates(templateFolder, templates); !e.empty())
        return "cannot write " + path + ": " + e;
    templates.header = headerWithUnits(templates.header, unitsCode);
    return writeFileAtomically(path, shapeToDxfText(shape, templates));
}

std::string shapeFileToDxf(const std::string& source, const std::string& target,
                           const std::string& templateFolder, bool deleteSource)
{
    std::string drawingPath = target;
    if (drawingPath == source && drawingPath.size() >= 3)
        drawingPath = drawingPath.substr(0, drawingPath.size() - 3) + "dxf";

    Shape shape;
    const ShapeReadReport report = readShapeFile(source, shape);
    if (!report.readable) return report.error;
    if (std::string e = saveShapeAsDxf(shape, drawingPath, templateFolder); !e.empty()) return e;
    if (deleteSource && drawingPath != source) deleteFile(source);
    return {};
}

std::string saveShapeByExtension(const Shape& shape, const std::string& path, const std::string& templateFolder)
{
    const std::string type = shapeFileType(path);
    if (type == "dxf") return saveShapeAsDxf(shape, path, templateFolder);
    if (type == "shp") return saveShapeFile(shape, path);
    return "cannot write " + path + ": a shape can only be saved as a shape file (.shp) or a DXF drawing (.dxf)";
}

} // namespace dravenor
