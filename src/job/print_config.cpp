#include "job/print_config.h"

#include <filesystem>
#include <vector>

#include "job/files.h"
#include "job/grid_file.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

std::string configPath(const std::string& folder)
{
    return withTrailingSeparator(folder) + kPrintConfigFileName;
}

bool isUsableWidth(double value)
{
    return value >= kThinnestLineWidth && value <= kThickestLineWidth && value == static_cast<int>(value);
}

std::string rangeText()
{
    return "a whole number from " + std::to_string(kThinnestLineWidth) + " to " + std::to_string(kThickestLineWidth);
}

} // namespace

LineWidthSetting readLineWidth(const std::string& folder)
{
    const std::string path = configPath(folder);
    LineWidthSetting setting;
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec) || ec)
            setting.warning = file.error + "; line width " + std::to_string(kDefaultLineWidth) + " is used";
        return setting;
    }
    const std::vector<std::string> items = splitGridItems(*file.bytes);
    const std::string stored = items.empty() ? std::string() : items.front();
    if (!stored.empty() && isNumberText(stored) && isUsableWidth(leadingNumber(stored))) {
        setting.lineWidth = static_cast<int>(leadingNumber(stored));
        return setting;
    }
    setting.warning = path + ": line width \"" + stored + "\" is not " + rangeText() + "; " +
                      std::to_string(kDefaultLineWidth) + " is used";
    return setting;
}

std::string lineWidthText(int lineWidth)
{
    return std::to_string(lineWidth) + "\r\n";
}

std::string saveLineWidth(const std::string& folder, int lineWidth)
{
    const std::string path = configPath(folder);
    if (!isUsableWidth(lineWidth))
        return "cannot write " + path + ": line width " + std::to_string(lineWidth) + " is not " + rangeText();
    return writeFileAtomically(path, lineWidthText(lineWidth));
}

} // namespace dravenor
