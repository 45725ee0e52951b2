#include "library/standard_shapes.h"

#include <cmath>
#include <functional>
#include <map>

#include "geometry/primitives.h"
#include "library/standard_shape_builders.h"
#include "library/standard_shape_checks.h"

namespace dravenor {

namespace {

using Builder = std::function<Shape(const standard_shapes::Parameters&)>;

const std::map<std::string, Builder>& builders()
{
    namespace s = standard_shapes;
    static const std::map<std::string, Builder> table = {
        {"Rectangle for Sheet", s::sheetRectangle},
        // The same two lengths in the opposite order: the part rectangle lies wide.
        {"Rectangle for Part", s::sheetRectangle},
        {"Square", s::square},
        {"Circle", s::circle},
        {"Circle Breakup", s::circleBreakup},
        {"Arc Section", s::arcSection},
        {"Right Triangle", s::rightTriangle},
        {"Polygon", s::regularPolygon},
        {"Notched Rectangle", s::notchedRectangle},
        {"Rounded Rectangle", s::roundedRectangle},
        {"Right-angled Trapezoid", s::rightAngledTrapezoid},
        {"Ring", s::ring},
        {"Ring Breakup", s::ringBreakup},
    };
    return table;
}

} // namespace

StandardShapeResult generateStandardShape(const std::string& caption, const std::vector<double>& parameters,
                                          double rotationDegrees)
{
    const StandardShapeType* type = findStandardShapeType(caption);
    if (!type) return {{}, "'" + caption + "' is not a standard shape type"};
    if (!type->generatedHere)
        return {{}, caption + " cuts its shape into segment files of its own; it makes no single shape"};

    std::vector<double> p = parameters;
    p.resize(type->parameters.size(), 0);
    if (std::string e = standard_shapes::checkParameters(*type, p); !e.empty()) return {{}, caption + ": " + e};
    if (!std::isfinite(rotationDegrees)) return {{}, caption + ": the rotation must be a finite number of degrees"};

    StandardShapeResult result;
    result.shape = builders().at(caption)(p);
    rotateShape(result.shape, rotationDegrees);
    return result;
}

Shape lyingPlate(double length, double width)
{
    return standard_shapes::lyingPlateRectangle(length, width);
}

} // namespace dravenor
