#pragma once
// Pictures of the layouts for the nest command's --png: one PNG per layout, drawn as the layout
// view draws it when a layout is selected (fit mode, zoom 1, grid "Auto", part names shown).
#include <string>
#include <vector>

#include "job/nesting_state.h"

namespace dravenor::cli {

// Longer side of a picture in pixels.
inline constexpr int kLayoutPngSize = 1600;

struct LayoutPngs {
    std::vector<std::string> files; // written, in layout order
    std::string error;              // "" or what stopped the writing, naming the file or folder
};

// Creates the folder when missing; "" or why it cannot hold the pictures.
std::string preparePngFolder(const std::string& folder);
// Writes FOLDER/layout-N.png for every layout, creating the folder when missing.
LayoutPngs writeLayoutPngs(const NestingState& state, const std::string& folder);

} // namespace dravenor::cli
