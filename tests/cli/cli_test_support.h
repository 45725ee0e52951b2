#pragma once
// Runs the batch tool in-process (runTool) and as the real executable, capturing both streams;
// a nested job shared by the tests that only read it.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/command.h"
#include "geometry/shape_builders.h"
#include "support/saved_shape.h"
#include "support/text_match.h"

namespace dravenor::testing {

struct ToolRun { int code = -1; std::string out, err; };

inline ToolRun runInProcess(const cli::Args& args)
{
    std::ostringstream out, err;
    ToolRun r;
    r.code = cli::runTool(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline std::string examplePath(const std::string& relative)
{
    return std::string(DRAVENOR_RESOURCE_DIR) + "/examples/" + relative;
}

// Plates and discs nested on 400 x 250 sheets (kerf 3), the job saved as job.nst, every layout
// drawn into out/ and pictured into the new folder pictures/run1; made once for all tests, which
// must not change it.
struct NestedJob {
    TempFolder dir;
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 250));
    std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 150, 60));
    std::string disc = savedShape(dir, "disc.shp", {arcEntity(35, 35, 35, 0, 360)});
    std::string nst = dir.file("job.nst");
    std::string out = dir.file("out");
    std::string pictures = dir.file("pictures/run1");
    ToolRun run = runInProcess({"nest", "--kerf", "3", "--sheet", sheet + ":4", "--part", plate + ":7", "--part",
                                disc + ":6", "--save", nst, "--dxf-dir", out, "--png", pictures});

    std::string drawing(int layoutNo) const { return out + "/layout-" + std::to_string(layoutNo) + ".dxf"; }
};

inline const NestedJob& nestedJob()
{
    static const NestedJob job;
    return job;
}

} // namespace dravenor::testing
