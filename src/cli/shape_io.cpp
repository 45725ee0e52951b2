#include "cli/shape_io.h"

#include <QFileInfo>
#include <ostream>

#include "cli/working_files.h"
#include "geometry/dxf_export_drawing.h"
#include "geometry/shape_diagnosis.h"
#include "geometry/shape_file.h"
#include "job/number_format.h"

namespace dravenor::cli {

bool readInputShape(const std::string& command, const std::string& path, DrawingUnit unit, Shape& shape,
                    std::ostream& err, bool warnOpenOutlines)
{
    const ShapeReadReport report = readShapeByExtension(path, shape, unit);
    ShapeMeasure measure = measureShape(shape);
    if (!warnOpenOutlines) measure.openEnds = 0;
    const ShapeDiagnosis diagnosis = diagnoseShape(path, report, measure);
    if (!diagnosis.error.empty()) {
        err << "dravenor-cli " << command << ": " << diagnosis.error << "\n";
        return false;
    }
    for (const std::string& w : diagnosis.warnings)
        err << "dravenor-cli " << command << ": warning: " << path << ": " << w << "\n";
    return true;
}

void requireFileType(const std::string& path, const std::string& role, std::initializer_list<const char*> types)
{
    const std::string type = shapeFileType(path);
    std::string wanted;
    for (const char* t : types) {
        if (type == t) return;
        wanted += wanted.empty() ? "." : " or .";
        wanted += t;
    }
    throw UsageError{role + " " + path + " must end in " + wanted};
}

std::string dxfTemplateFolder(const ParsedArgs& parsed)
{
    if (parsed.has("--templates")) return parsed.value("--templates");
    const QString header = QString::fromStdString(workingFilePath("", kDxfHeaderName));
    return QFileInfo(header).absolutePath().toStdString();
}

std::string entityCountText(const Shape& shape)
{
    int lines = 0, arcs = 0, circles = 0;
    for (const ShapeEntity& e : shape) {
        if (e.isLine()) ++lines;
        else if (e.isCircle()) ++circles;
        else ++arcs;
    }
    return countedNoun(static_cast<int>(shape.size()), "entity", "entities") + " (" +
           countedNoun(lines, "line", "lines") + ", " + countedNoun(arcs, "arc", "arcs") + ", " +
           countedNoun(circles, "circle", "circles") + ")";
}

} // namespace dravenor::cli
