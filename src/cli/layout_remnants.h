#pragma once
// The remnants of the layouts for the nest command's --remnants-dir: FOLDER/remnant-N.shp for
// every layout that leaves a remnant worth keeping, in the layout's coordinates (so it lies over
// the layout's drawing). The stock is not touched.
#include <string>
#include <vector>

#include "job/deep_settings.h"
#include "job/nesting_state.h"
#include "job/remnant_settings.h"

namespace dravenor::cli {

struct LayoutRemnants {
    std::vector<std::string> lines; // "Remnant of layout 2: 1200 x 450, area 540000: FILE"
    std::string error;
};

LayoutRemnants writeLayoutRemnants(const NestingState& state, const DeepSettings& deep, const RemnantSettings& least,
                                   const std::string& folder);

} // namespace dravenor::cli
