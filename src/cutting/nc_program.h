#pragma once
// The NC program of a cut plan, in RS-274/NGC: G21 or G20 after the job's unit, G90, rapids as
// G0, cuts as G1 and G2/G3 with I J centres (or short G1 lines), the pierce delay as G4 and the
// feed from the cut table; what a machine wants beyond that comes from the post file. Comments
// name the job, the layout, the sheet and every part.
#include <string>

#include "cutting/cut_plan.h"
#include "cutting/post_settings.h"

namespace dravenor::cutting {

struct NcJobInfo {
    std::string jobName;  // the job file's name without folders
    std::string material;
    double thickness = 0;
    int layoutCount = 0;
    bool inches = false;
};

std::string ncProgramText(const CutPlan& plan, const CutSettings& cut, const PostSettings& post, const NcJobInfo& info);

// Minutes and seconds as the report shows them ("12 min 05 s").
std::string durationText(double seconds);

} // namespace dravenor::cutting
