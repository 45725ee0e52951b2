#include "cli/layout_dxfs.h"

#include <filesystem>

#include "cli/layout_pngs.h"
#include "layouts/layout_export.h"
#include "layouts/layout_list.h"

namespace dravenor::cli {

LayoutDxfs writeLayoutDxfs(const NestingState& state, const std::string& folder, const std::string& templateFolder)
{
    LayoutDxfs result;
    if (state.items.empty()) return result;
    result.error = preparePngFolder(folder);
    if (!result.error.empty()) return result;
    for (const std::string& entry : layoutListEntries(state)) {
        const int layoutNo = layoutNumberOfEntry(entry);
        LayoutDxfOptions options;
        options.partNames = true;
        options.textHeight = defaultLayoutTextHeight(state, layoutNo);
        const std::string path =
            (std::filesystem::path(folder) / ("layout-" + std::to_string(layoutNo) + ".dxf")).string();
        result.error = saveLayoutAsDxf(state, layoutNo, path, templateFolder, options);
        if (!result.error.empty()) return result;
        result.files.push_back(path);
    }
    return result;
}

} // namespace dravenor::cli
