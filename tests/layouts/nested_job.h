#pragma once
// A small real job for the layout tests: rectangles and discs nested by the engine on 300 x 300
// sheets (or sheets of the size given), so the layouts have several parts, arcs and more than one
// layout.
#include <gtest/gtest.h>

#include "engine/engine_job.h"
#include "engine/nesting_driver.h"
#include "geometry/shape_builders.h"

namespace dravenor::testing {

inline Shape disc(double radius) { return {arcEntity(radius, radius, radius, 0, 360)}; }

class NestedJob {
public:
    explicit NestedJob(double sheetWidth = 300, double sheetHeight = 300)
    {
        job.kerf(3)
            .sheet(job.rectangleFile("sheet.shp", sheetWidth, sheetHeight), 3)
            .part(job.rectangleFile("plate.shp", 120, 70), 6)
            .part(job.shapeFile("disc.shp", disc(40)), 4)
            .part(job.rectangleFile("strip.shp", 250, 30), 2);
        SilentProgress silent;
        const RunResult result = optimise(job.state, NestingMode::Free, silent);
        EXPECT_EQ(result.status, EndStatus::Full);
    }
    NestingState& state() { return job.state; }

private:
    EngineJob job;
};

} // namespace dravenor::testing
