#include "library/standard_shape_checks.h"

#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"
#include "job/number_format.h"

namespace dravenor::standard_shapes {

namespace {

constexpr double kMaxSides = 1000;

std::string named(const std::string& caption, double value)
{
    return caption + " (" + formatGeneral(value) + ")";
}

// The limits every parameter of its kind has, whatever the type.
std::string checkKind(const StandardShapeParameter& parameter, double value)
{
    if (!std::isfinite(value)) return parameter.caption + " must be a finite number";
    switch (parameter.kind) {
    case ParameterKind::Length:
        if (value <= 0) return named(parameter.caption, value) + " must be greater than 0";
        break;
    case ParameterKind::Count:
        if (value != std::floor(value) || value < 3 || value > kMaxSides)
            return named(parameter.caption, value) + " must be a whole number from 3 to " + formatGeneral(kMaxSides);
        break;
    default:
        break;
    }
    return {};
}

// An opening angle of a sector: more than nothing, less than a whole turn.
std::string checkSectorAngle(const std::string& caption, double degrees)
{
    if (degrees <= 0 || degrees >= 360)
        return named(caption, degrees) + " must be more than 0 and less than 360 degrees";
    return {};
}

std::string checkInnerSmaller(const std::vector<double>& p)
{
    if (p[1] >= p[0]) return named("Small Dia", p[1]) + " must be smaller than " + named("Big Dia", p[0]);
    return {};
}

// Relations between the parameters of one type.
std::string checkRelations(const std::string& caption, const std::vector<double>& p)
{
    if (caption == "Circle Breakup") return checkSectorAngle("Ang Br", p[1]);
    if (caption == "Ring") return checkInnerSmaller(p);
    if (caption == "Ring Breakup") {
        if (std::string e = checkInnerSmaller(p); !e.empty()) return e;
        return checkSectorAngle("Ang Br", p[2]);
    }
    if (caption == "Arc Section") {
        if (std::string e = checkInnerSmaller(p); !e.empty()) return e;
        const double turned = normaliseAngle(p[2]);
        if (turned <= 0 || turned >= 360)
            return named("Angle", p[2]) + " must not be a whole number of turns (it is taken modulo 360)";
        return {};
    }
    if (caption == "Notched Rectangle") {
        const double shorter = std::min(p[0], p[1]);
        if (p[2] >= shorter / 2)
            return named("Notch Rad", p[2]) + " must be less than half of the shorter side (" +
                   formatGeneral(shorter) + ")";
        return {};
    }
    if (caption == "Rounded Rectangle") {
        const double shorter = std::min(p[0], p[1]);
        if (p[2] > shorter / 2)
            return named("Corner Rad", p[2]) + " must be at most half of the shorter side (" +
                   formatGeneral(shorter) + ")";
        return {};
    }
    return {};
}

// A breakup's own limits on one value: sizes and counts not negative, needed ones above 0.
std::string checkBreakupValue(const StandardShapeParameter& parameter, double value)
{
    if (parameter.kind == ParameterKind::FileName) return {};
    if (!std::isfinite(value)) return parameter.caption + " must be a finite number";
    if (value < 0) return named(parameter.caption, value) + " must not be negative";
    if (value == 0 && !parameter.optional) return named(parameter.caption, value) + " must be greater than 0";
    return {};
}

} // namespace

std::string checkParameters(const StandardShapeType& type, const std::vector<double>& parameters)
{
    for (std::size_t i = 0; i < type.parameters.size(); ++i)
        if (std::string e = checkKind(type.parameters[i], parameters[i]); !e.empty()) return e;
    return checkRelations(type.caption, parameters);
}

} // namespace dravenor::standard_shapes

namespace dravenor {

bool everyNeededValueTyped(const StandardShapeType& type, const TypedParameters& parameters)
{
    for (std::size_t i = 0; i < type.parameters.size(); ++i) {
        const bool typed = i < parameters.typed.size() && parameters.typed[i];
        if (!typed && !type.parameters[i].optional) return false;
    }
    return true;
}

std::string typedValueProblem(const StandardShapeType& type, const TypedParameters& parameters)
{
    for (std::size_t i = 0; i < type.parameters.size() && i < parameters.values.size(); ++i) {
        if (i >= parameters.typed.size() || !parameters.typed[i]) continue;
        const StandardShapeParameter& parameter = type.parameters[i];
        const double value = parameters.values[i];
        if (!type.generatedHere) {
            if (std::string e = standard_shapes::checkBreakupValue(parameter, value); !e.empty()) return e;
        } else if (std::string e = standard_shapes::checkKind(parameter, value); !e.empty()) {
            return type.caption + ": " + e;
        }
    }
    return {};
}

} // namespace dravenor
