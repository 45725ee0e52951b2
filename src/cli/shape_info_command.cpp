#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "geometry/shape_diagnosis.h"
#include "job/number_format.h"

namespace dravenor::cli {

namespace {

void printMeasure(const ShapeMeasure& m, std::ostream& out)
{
    out << "  entities: " << m.entities << " (" << countedNoun(m.lines, "line", "lines") << ", "
        << countedNoun(m.arcs, "arc", "arcs") << ", " << countedNoun(m.circles, "circle", "circles") << ")\n";
    if (m.entities > 0) {
        const Extents& e = m.extents;
        out << "  extents: " << formatGeneral(e.xmin) << ", " << formatGeneral(e.ymin) << " to "
            << formatGeneral(e.xmax) << ", " << formatGeneral(e.ymax) << " ("
            << formatGeneral(e.width()) << " x " << formatGeneral(e.height()) << ")\n";
    }
    out << "  outline: " << (m.closed ? "closed" : "not closed") << " ("
        << countedNoun(m.closedOutlines, "closed outline", "closed outlines") << ", "
        << countedNoun(m.openEnds, "open end", "open ends") << ")\n";
    out << "  enclosed area: " << formatMask(m.enclosedArea, "0.00") << "\n";
    out << "  chords: " << m.chords << "\n";
}

int shapeInfo(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = parseArgs(args, {"--units"}, {});
    if (parsed.positional.empty()) throw UsageError{"no shape file given (see dravenor-cli shape-info --help)"};
    const DrawingUnit unit = drawingUnitOption(parsed);
    int status = kExitOk;
    for (const std::string& path : parsed.positional) {
        Shape shape;
        const ShapeReadReport report = readShapeByExtension(path, shape, unit);
        const ShapeMeasure measure = measureShape(shape);
        const ShapeDiagnosis diagnosis = diagnoseShape(path, report, measure);
        if (!diagnosis.error.empty()) {
            err << "dravenor-cli shape-info: " << diagnosis.error << "\n";
            status = kExitBadInput;
            continue;
        }
        out << path << "\n";
        printMeasure(measure, out);
        for (const std::string& w : diagnosis.warnings) out << "  warning: " << w << "\n";
    }
    return status;
}

} // namespace

Command shapeInfoCommand()
{
    return {"shape-info", "entities, extents, closure, area and chord count of shape files",
            "Usage: dravenor-cli shape-info FILE... [--units mm|in]\n"
            "For each shape file (.shp) or DXF drawing (.dxf): the number of entities by kind, the\n"
            "extents, whether the outlines are closed, the area they enclose (holes subtracted)\n"
            "and the number of chords of the segment form. Content that cannot be a good shape\n"
            "(fields that are not numbers, drawing entities that were not read, no entity,\n"
            "degenerate entities, open outlines) is reported as warnings, and so is a drawing\n"
            "converted from its own units. A file that cannot be read gives exit code 2.\n"
            "  --units mm|in   the unit shapes are measured in (default mm): a drawing that names\n"
            "                  its units is converted to it\n",
            shapeInfo};
}

} // namespace dravenor::cli
