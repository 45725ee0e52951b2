#pragma once
// What is wrong with a shape file as a profile to cut, in words for the user. Reading stays
// lenient; this is where the leniency is made visible (batch tool, shape editor).
#include <string>
#include <vector>

#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"

namespace dravenor {

struct ShapeDiagnosis {
    // Set when the file cannot be a shape at all (unreadable, binary, unknown type); the
    // message names the file.
    std::string error;
    // Remarks about content that cannot be a good shape, each naming what is wrong.
    std::vector<std::string> warnings;
};

ShapeDiagnosis diagnoseShape(const std::string& path, const ShapeReadReport& report,
                             const ShapeMeasure& measure);

// The warnings about what the reader met (fields that are not numbers, content it dropped or
// skipped, units converted): the first of the diagnosis's warnings, whatever the shape is.
std::vector<std::string> shapeReadWarnings(const ShapeReadReport& report);

} // namespace dravenor
