#include "geometry/dxf_import.h"

#include "job/files.h"

namespace dravenor {

// Drawings are not read yet: a drawing reads as an empty shape with a note saying so;
// an unreadable path is still reported like any other.
ShapeReadReport readDxfFile(const std::string& path, Shape& /*shape*/)
{
    ShapeReadReport report;
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        report.readable = false;
        report.error = file.error;
        return report;
    }
    report.notes.push_back(fileNameOnly(path) + ": this version cannot read DXF drawings yet (use a shape file, .shp)");
    return report;
}

} // namespace dravenor
