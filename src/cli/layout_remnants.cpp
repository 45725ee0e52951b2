#include "cli/layout_remnants.h"

#include <cmath>
#include <filesystem>

#include "cli/layout_pngs.h"
#include "geometry/shape_file.h"
#include "job/number_format.h"
#include "layouts/layout_list.h"
#include "stock/remnant.h"

namespace dravenor::cli {

LayoutRemnants writeLayoutRemnants(const NestingState& state, const DeepSettings& deep, const RemnantSettings& least,
                                   const std::string& folder)
{
    LayoutRemnants result;
    if (state.items.empty()) return result;
    result.error = preparePngFolder(folder);
    if (!result.error.empty()) return result;
    const double clearance = remnantClearance(state.details, state.deepLayouts ? deep.margin : 0);
    for (const std::string& entry : layoutListEntries(state)) {
        const int layoutNo = layoutNumberOfEntry(entry);
        const Remnant remnant = layoutRemnant(state, layoutNo, clearance, least);
        if (!remnant.kept) continue;
        const std::string path =
            (std::filesystem::path(folder) / ("remnant-" + std::to_string(layoutNo) + ".shp")).string();
        result.error = saveShapeFile(remnant.outline, path);
        if (!result.error.empty()) return result;
        result.lines.push_back("Remnant of layout " + std::to_string(layoutNo) + ": " +
                               remnantSizeText(remnant.width, remnant.length) + ", area " +
                               formatGeneral(std::round(remnant.area)) + ": " + path);
    }
    return result;
}

} // namespace dravenor::cli
