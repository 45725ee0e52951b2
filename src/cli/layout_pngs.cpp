#include "cli/layout_pngs.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "cli/png_file.h"
#include "layouts/layout_list.h"
#include "layouts/layout_view.h"
#include "ui/image_surface.h"

namespace dravenor::cli {

namespace {

namespace fs = std::filesystem;

// The fitted view is square; the picture keeps the sheet with the same margin on every side and
// leaves out the empty rest of the square.
QImage sheetPart(const ImageSurface& surface, const LayoutViewFrame& frame)
{
    const QImage& image = surface.image();
    const ViewScale view = surface.scale();
    const double pixelsPerUnit = image.width() / view.width;
    const double margin = -view.left;
    const double right = (frame.sheetWidth + margin - view.left) * pixelsPerUnit;
    const double top = (frame.mirror - frame.sheetHeight - margin - view.top) * pixelsPerUnit;
    const int width = std::clamp(static_cast<int>(std::ceil(right)), 1, image.width());
    const int y = std::clamp(static_cast<int>(std::floor(top)), 0, image.height() - 1);
    return image.copy(0, y, width, image.height() - y);
}

} // namespace

std::string preparePngFolder(const std::string& folder)
{
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) return "cannot write into " + folder + ": not a folder";
    fs::create_directories(folder, ec);
    if (ec) return "cannot create folder " + folder + ": " + ec.message();
    return {};
}

LayoutPngs writeLayoutPngs(const NestingState& state, const std::string& folder)
{
    LayoutPngs result;
    if (state.entities.empty()) return result;
    result.error = preparePngFolder(folder);
    if (!result.error.empty()) return result;

    LayoutViewOptions options;
    options.showNames = true;
    SheetExtentsCache sheets;
    ImageSurface surface(QSize(kLayoutPngSize, kLayoutPngSize));
    for (const std::string& entry : layoutListEntries(state)) {
        const int layoutNo = layoutNumberOfEntry(entry);
        const LayoutViewFrame frame = drawLayoutFitted(state, layoutNo, surface, options, &sheets);
        if (!frame.drawn) continue;
        const std::string path = (fs::path(folder) / ("layout-" + std::to_string(layoutNo) + ".png")).string();
        result.error = savePng(sheetPart(surface, frame), path);
        if (!result.error.empty()) return result;
        result.files.push_back(path);
    }
    return result;
}

} // namespace dravenor::cli
