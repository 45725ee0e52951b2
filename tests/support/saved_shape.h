#pragma once
// A shape saved as a shape file in a test's folder.
#include <gtest/gtest.h>

#include <string>

#include "geometry/shape_file.h"
#include "support/temp_folder.h"

namespace dravenor::testing {

// Saves the shape as a shape file in the folder and returns its path.
inline std::string savedShape(const TempFolder& dir, const std::string& name, const Shape& shape)
{
    EXPECT_EQ(saveShapeFile(shape, dir.file(name)), "");
    return dir.file(name);
}

} // namespace dravenor::testing
