#pragma once
// Small nesting jobs written to a temporary folder for the engine tests.
#include <gtest/gtest.h>

#include <string>

#include "job/nesting_state.h"
#include "geometry/shape_builders.h"
#include "support/saved_shape.h"

namespace dravenor::testing {

class EngineJob {
public:
    // Writes the shape as a shape file in the job's folder and returns its path.
    std::string shapeFile(const std::string& name, const Shape& shape) const { return savedShape(folder_, name, shape); }
    std::string rectangleFile(const std::string& name, double w, double h) const
    {
        return savedShape(folder_, name, rectangle(0, 0, w, h));
    }

    EngineJob& sheet(const std::string& file, std::int32_t qty, std::int32_t pri = 0)
    {
        SheetEntry e;
        e.FileName = file;
        e.Qty = e.Remaining = qty;
        e.Pri = pri;
        state.sheets.push_back(e);
        return *this;
    }
    EngineJob& part(const std::string& file, std::int32_t qty, std::int32_t pri = 0, const std::string& orn = "",
                    bool mirror = false)
    {
        PartEntry e;
        e.FileName = file;
        e.Qty = e.Remaining = qty;
        e.Pri = pri;
        e.Orn = orn;
        e.Mirror = mirror;
        state.parts.push_back(e);
        return *this;
    }
    EngineJob& kerf(double k)
    {
        state.details.Kerf = k;
        return *this;
    }

    NestingState state;

private:
    TempFolder folder_;
};

} // namespace dravenor::testing
