#pragma once
// What one optimisation run remembers between trials and sheets: each shape's outline, each
// part's raster per orientation and each part's analysis. Every key holds the shape file's path
// as the job names it, never its bare name: files of the same name in different folders, or
// "plate.shp" beside "plate.dxf", are different shapes. A run owns its caches; nothing is
// written to disk and no two runs share them.
#include <map>
#include <string>

#include "job/nesting_state.h"
#include "engine/outline.h"
#include "engine/part_profile.h"
#include "engine/raster.h"
#include "engine/stack_params.h"

namespace dravenor {

// A part's raster at an angle: the angle brought into 0..360 (to 15 significant digits, so
// that nearby angles never share a raster) and the path.
std::string partRasterKey(double angleDegrees, const std::string& partFile);
// A part's analysis: the path, and for parts whose turns count from the sheet ("No", "step90"
// and "step180") the sheet's own angle as well.
std::string analysisKey(const PartEntry& part, double sheetAngle);
// Parts whose turns count from the sheet as drawn.
bool turnsWithSheet(const PartEntry& part);

struct RunCaches {
    std::map<std::string, Outline> outlines;       // by path
    std::map<std::string, Raster> partRasters;     // by partRasterKey
    std::map<std::string, StackParams> analyses;   // by analysisKey
    // The fit search's view of each part raster, by the raster's key.
    std::map<std::string, PartProfile> partProfiles;
};

} // namespace dravenor
