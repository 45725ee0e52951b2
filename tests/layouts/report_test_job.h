#pragma once
// A small finished job built by hand, so that every yield, length and weight of its report can
// be worked out on paper: two layouts, three sheet types (one unused) and three part types (one
// not produced), material "ST" of density 0.5 and thickness 10 (weight = 5 x area x count).
#include <string>

#include "geometry/shape_builders.h"
#include "job/density_table.h"
#include "job/job.h"
#include "support/saved_shape.h"

namespace dravenor::testing {

class ReportTestJob {
public:
    ReportTestJob()
    {
        NestingState& s = job.nesting;
        s.details = {"ST", "S235", 10, 1, 1, "test job"};
        s.sheets = {{rectangleFile("big-sheet-100x100.shp", 100, 100), 5, 1, 10000, 3},
                    // Its counted Area is off on purpose: yields and weights use the outline's 5000.
                    {rectangleFile("small,sheet.shp", 100, 50), 1, 32767, 4000, 0},
                    {rectangleFile("unused.shp", 10, 10), 2, 2, 100, 2}};
        s.parts = {{rectangleFile("a.shp", 50, 20), 3, 32767, "", 1000, 0},
                   {rectangleFile("b.shp", 25, 20), 2, 3, "step90", 500, 0},
                   {rectangleFile("c.shp", 10, 10), 1, 4, "No", 100, 1}};
        // Layout 1: a and b on the big sheet, cut twice. Layout 2: a on the small sheet.
        place(1, 1, 1, 1, 0, 0, 2);
        place(1, 1, 2, 2, 50, 0, 2);
        place(1, 1, 0, 0, 0, 0, 2);
        place(2, 2, 1, 1, 12.345, 7.5, 1);
        place(2, 2, 0, 0, 0, 0, 1);
    }

    std::string rectangleFile(const std::string& name, double w, double h) const
    {
        return savedShape(folder, name, rectangle(0, 0, w, h));
    }

    // One entity (a short line) and one item row per instance (instance 0: the sheet).
    void place(int layoutNo, int sheetIndex, int partIndex, int instance, double x, double y, int qty)
    {
        NestingState& s = job.nesting;
        s.entities.push_back({x, y, x + 1, y, 0, 0, 0, 0, 0, sheetIndex, partIndex, layoutNo, instance, 0, qty});
        const std::string& name = partIndex ? s.part(partIndex).FileName : s.sheet(sheetIndex).FileName;
        s.items.push_back({name, x, y, 0, sheetIndex, partIndex, layoutNo, qty});
    }

    TempFolder folder;
    Job job;
    DensityTable densities{{"AL", "2.7"}, {"ST", "0.5"}};
};

} // namespace dravenor::testing
