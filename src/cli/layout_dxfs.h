#pragma once
// DXF drawings of the layouts for the nest command's --dxf-dir: one drawing per layout,
// FOLDER/layout-N.dxf, every part named at the centre of its box.
#include <string>
#include <vector>

#include "job/nesting_state.h"

namespace dravenor::cli {

struct LayoutDxfs {
    std::vector<std::string> files; // written, in layout order
    std::string error;              // "" or what stopped the writing, naming the file
};

// Writes FOLDER/layout-N.dxf for every layout with the templates of templateFolder; the texts are
// a hundredth of each layout's larger sheet side high.
LayoutDxfs writeLayoutDxfs(const NestingState& state, const std::string& folder, const std::string& templateFolder);

} // namespace dravenor::cli
