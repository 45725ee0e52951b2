#pragma once
// What one optimisation run remembers between trials and sheets: each shape's outline, each
// part's raster per orientation (trimmed for its pitch where the analysis trimmed it) and each
// part's analysis. Keys are the names the cached items have always had, so two files of the
// same name in different folders share an entry, as they always did. A run owns its caches;
// nothing is written to disk and no two runs share them.
#include <map>
#include <string>

#include "engine/outline.h"
#include "engine/part_profile.h"
#include "engine/raster.h"
#include "engine/stack_params.h"

namespace dravenor {

// File name without folder, its last three characters replaced by the suffix
// ("plate.shp", "d" -> "plate.d"; "BRACKET.shp", "STK" -> "BRACKET.STK").
std::string cacheName(const std::string& shapeFile, const std::string& suffix);
// Part raster name: Round(angle) after bringing the angle into 0..360 (360 stays 360), then the
// part file name with "b" ("90plate.b").
std::string partRasterName(double angleDegrees, const std::string& partFile);

struct RunCaches {
    std::map<std::string, Outline> outlines;       // by cacheName(file, "d")
    std::map<std::string, Raster> partRasters;     // by partRasterName(angle, file)
    std::map<std::string, StackParams> analyses;   // by cacheName(file, "STK")
    // The fit search's view of each part raster, by the raster's name; dropped whenever the
    // raster under that name is replaced.
    std::map<std::string, PartProfile> partProfiles;
};

} // namespace dravenor
