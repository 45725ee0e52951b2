#pragma once
// The standard-shape library: shapes generated from a handful of numbers instead of drawn.
// A type is known by its caption; its parameters are read in the order of their captions.
#include <string>
#include <vector>

#include "geometry/shape.h"

namespace dravenor {

enum class ParameterKind {
    Length,   // a length or diameter in the job's unit, greater than 0
    Angle,    // degrees
    Count,    // a whole number
    Number,   // any number (a kerf may be 0)
    FileName, // text
};

struct StandardShapeParameter {
    std::string caption;
    ParameterKind kind;
    // May stay empty (read as 0): a breakup's Dia Small (a cone to a point), Seg Wid (no least
    // strip), Ang Br (one division) and FileName (needed by Load only).
    bool optional = false;
};

struct StandardShapeType {
    std::string caption;
    std::vector<StandardShapeParameter> parameters;
    // false for the cone and cylinder breakups, which write segment files of their own.
    bool generatedHere = true;
};

// The fifteen types, in the order the shape-type list shows them.
const std::vector<StandardShapeType>& standardShapeTypes();
// The type of the caption (exact text), or nullptr.
const StandardShapeType* findStandardShapeType(const std::string& caption);

struct StandardShapeResult {
    Shape shape;         // empty whenever message is set
    std::string message; // why no shape was made; "" on success
    bool ok() const { return message.empty(); }
};

// The values typed into the window so far, in caption order; an empty cell is not typed.
struct TypedParameters {
    std::vector<double> values;
    std::vector<bool> typed;
};

// Whether every parameter that may not stay empty has been typed: only then does the window
// judge how the values go together and draw.
bool everyNeededValueTyped(const StandardShapeType& type, const TypedParameters& parameters);
// The complaint about the first typed value that is wrong whatever else is typed (a length of 0
// or below, a side count out of range); "" when there is none. Values not typed are not judged.
std::string typedValueProblem(const StandardShapeType& type, const TypedParameters& parameters);

// Builds the shape of the type from its parameters (in caption order; missing ones count as 0),
// turned counter-clockwise by the rotation about the centre of its extents. Parameters that would
// give a degenerate or self-crossing shape give a message naming the parameter instead.
StandardShapeResult generateStandardShape(const std::string& caption, const std::vector<double>& parameters,
                                          double rotationDegrees = 0);

// A plate of stock as sheets lie in a job: its length along X, its width along Y, from the
// origin (a "Rectangle for Sheet" stands upright instead).
Shape lyingPlate(double length, double width);

} // namespace dravenor
