#include "geometry/shape_diagnosis.h"

#include "job/number_format.h"

namespace dravenor {

ShapeDiagnosis diagnoseShape(const std::string& path, const ShapeReadReport& report,
                             const ShapeMeasure& measure)
{
    ShapeDiagnosis d;
    if (!report.readable) {
        d.error = report.error.empty() ? "cannot read " + path : report.error;
        return d;
    }
    if (shapeFileType(path).empty()) {
        d.error = path + ": not a shape file (.shp) or DXF drawing (.dxf)";
        return d;
    }
    if (report.binary) {
        d.error = path + ": holds binary bytes, not shape text";
        return d;
    }
    d.warnings = shapeReadWarnings(report);
    if (measure.entities == 0) {
        d.warnings.push_back("holds no entity");
        return d;
    }
    if (measure.degenerate > 0)
        d.warnings.push_back(countedNoun(measure.degenerate, "degenerate entity", "degenerate entities") +
                             " (a line of zero length or a negative radius)");
    if (measure.openEnds > 0)
        d.warnings.push_back("the outline is not closed: " +
                             countedNoun(measure.openEnds, "entity end meets", "entity ends meet") +
                             " no other end");
    return d;
}

std::vector<std::string> shapeReadWarnings(const ShapeReadReport& report)
{
    std::vector<std::string> warnings;
    if (report.nonNumericFields > 0)
        warnings.push_back(countedNoun(report.nonNumericFields, "field is", "fields are") + " not a number (read as 0)");
    if (report.leftoverFields > 0)
        warnings.push_back("the file ends in the middle of an entity (" +
                           countedNoun(report.leftoverFields, "field", "fields") + " dropped)");
    warnings.insert(warnings.end(), report.notes.begin(), report.notes.end());
    return warnings;
}

} // namespace dravenor
