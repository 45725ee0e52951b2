#pragma once
// Small nesting jobs written to a temporary folder for the engine tests.
#include <gtest/gtest.h>

#include <string>

#include "job/nesting_state.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"

namespace dravenor::testing {

class EngineJob {
public:
    // Writes the shape as a shape file in the job's folder and returns its path.
    std::string shapeFile(const std::string& name, const Shape& shape) const
    {
        const std::string path = folder_.file(name);
        EXPECT_EQ(saveShapeFile(shape, path), "");
        return path;
    }
    std::string rectangleFile(const std::string& name, double w, double h) const
    {
        return shapeFile(name, rectangle(0, 0, w, h));
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
    EngineJob& part(const std::string& file, std::int32_t qty, std::int32_t pri = 0, const std::string& orn = "")
    {
        PartEntry e;
        e.FileName = file;
        e.Qty = e.Remaining = qty;
        e.Pri = pri;
        e.Orn = orn;
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

inline std::string exampleFile(const std::string& relative)
{
    return std::string(DRAVENOR_RESOURCE_DIR) + "/examples/" + relative;
}

// The example job of the shipped examples (kerf 3, three sheet types, twelve part types).
inline NestingState exampleJob()
{
    NestingState s;
    s.details.Mat = "S235";
    s.details.Grade = "JR";
    s.details.Thick = 10;
    s.details.Kerf = 3;
    auto sheet = [&](const std::string& f, std::int32_t qty, std::int32_t pri) {
        SheetEntry e;
        e.FileName = exampleFile("sheets/" + f);
        e.Qty = e.Remaining = qty;
        e.Pri = pri;
        s.sheets.push_back(e);
    };
    auto part = [&](const std::string& f, std::int32_t qty, std::int32_t pri, const std::string& orn = "") {
        PartEntry e;
        e.FileName = exampleFile("parts/" + f);
        e.Qty = e.Remaining = qty;
        e.Pri = pri;
        e.Orn = orn;
        s.parts.push_back(e);
    };
    sheet("sheet-2500x1250.shp", 4, 1);
    sheet("sheet-3000x1500.shp", 2, 2);
    sheet("offcut-l-1800x1200.shp", 1, 0);
    part("disc-d1000.shp", 1, 1);
    part("ring-od600-id400.shp", 2, 1);
    part("flange-od300-8holes.shp", 6, 2);
    part("base-plate-300x300.shp", 8, 2, "step90");
    part("slotted-plate-400x200.shp", 6, 3, "step90");
    part("curved-rib-r600-r500.shp", 8, 3);
    part("l-bracket-250x150.shp", 12, 4);
    part("gusset-300x300-chamfered.shp", 10, 4);
    part("gusset-200x150.shp", 16, 5);
    part("end-plate-200x120.shp", 12, 5, "No");
    part("washer-od60-id26.shp", 40, 6);
    part("washer-od40-id18.shp", 40, 6);
    return s;
}

} // namespace dravenor::testing
