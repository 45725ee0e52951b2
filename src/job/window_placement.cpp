#include "job/window_placement.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "job/files.h"
#include "job/grid_file.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

constexpr size_t kStoredItems = 5;
// Larger than any screen: a stored size beyond it is damage, not a placement.
constexpr double kLargestCoordinate = 100000;

std::string configPath(const std::string& folder)
{
    return withTrailingSeparator(folder) + kWindowConfigFileName;
}

// One item of the file as a whole number within the limits; nothing otherwise.
std::optional<int> wholeItem(const std::string& item, double lowest)
{
    if (item.empty() || !isNumberText(item)) return std::nullopt;
    const double value = leadingNumber(item);
    if (value < lowest || value > kLargestCoordinate || value != static_cast<int>(value)) return std::nullopt;
    return static_cast<int>(value);
}

// The start and length of one side moved inside [areaStart, areaStart + areaLength].
std::pair<int, int> fitSpan(int start, int length, int areaStart, int areaLength, int minLength)
{
    length = std::min(length, areaLength);
    length = std::max(length, std::min(minLength, areaLength));
    start = std::clamp(start, areaStart, areaStart + areaLength - length);
    return {start, length};
}

} // namespace

std::optional<WindowPlacement> readWindowPlacement(const std::string& folder)
{
    const FileText file = readWholeFile(configPath(folder));
    if (!file.bytes) return std::nullopt;
    const std::vector<std::string> items = splitGridItems(*file.bytes);
    if (items.size() != kStoredItems) return std::nullopt;
    const auto x = wholeItem(items[0], -kLargestCoordinate), y = wholeItem(items[1], -kLargestCoordinate);
    const auto width = wholeItem(items[2], 1), height = wholeItem(items[3], 1);
    const auto maximised = wholeItem(items[4], 0);
    if (!x || !y || !width || !height || !maximised || *maximised > 1) return std::nullopt;
    return WindowPlacement{{*x, *y, *width, *height}, *maximised == 1};
}

std::string saveWindowPlacement(const std::string& folder, const WindowPlacement& placement)
{
    const ScreenRect& r = placement.rect;
    const std::string text = std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
                             std::to_string(r.height) + "," + (placement.maximised ? "1" : "0") + "\r\n";
    return writeFileAtomically(configPath(folder), text);
}

ScreenRect fitWithin(const ScreenRect& wanted, const ScreenRect& available, int minWidth, int minHeight)
{
    const auto [x, width] = fitSpan(wanted.x, wanted.width, available.x, available.width, minWidth);
    const auto [y, height] = fitSpan(wanted.y, wanted.height, available.y, available.height, minHeight);
    return {x, y, width, height};
}

ScreenRect centredWithin(int width, int height, const ScreenRect& available)
{
    width = std::min(width, available.width);
    height = std::min(height, available.height);
    return {available.x + (available.width - width) / 2, available.y + (available.height - height) / 2, width, height};
}

} // namespace dravenor
