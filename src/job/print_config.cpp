#include "job/print_config.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "job/files.h"
#include "job/grid_file.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

std::string configPath(const std::string& folder, const char* fileName)
{
    return withTrailingSeparator(folder) + fileName;
}

bool isUsableWidth(double value)
{
    return value >= kThinnestLineWidth && value <= kThickestLineWidth && value == static_cast<int>(value);
}

bool isScaleChoice(double value)
{
    return std::find(kPrintScaleChoices.begin(), kPrintScaleChoices.end(), value) != kPrintScaleChoices.end();
}

std::string widthRangeText()
{
    return "a whole number from " + std::to_string(kThinnestLineWidth) + " to " + std::to_string(kThickestLineWidth);
}

const char* kScaleChoicesText = "one of 0 (fit), 1, 2, 5, 10, 20, 50 and 100";

// One whole number stored alone in a settings file. The fallback is used, with a warning naming
// the file, when the file cannot be read or its number is not usable; silently when there is no
// file.
struct StoredNumber {
    int value = 0;
    std::string warning;
};

StoredNumber readStoredNumber(const std::string& path, int fallback, const std::function<bool(double)>& usable,
                              const std::string& what, const std::string& allowed)
{
    StoredNumber stored{fallback, {}};
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec) || ec)
            stored.warning = file.error + "; " + what + " " + std::to_string(fallback) + " is used";
        return stored;
    }
    const std::vector<std::string> items = splitGridItems(*file.bytes);
    const std::string text = items.empty() ? std::string() : items.front();
    if (!text.empty() && isNumberText(text) && usable(leadingNumber(text))) {
        stored.value = static_cast<int>(leadingNumber(text));
        return stored;
    }
    stored.warning = path + ": " + what + " \"" + text + "\" is not " + allowed + "; " + std::to_string(fallback) +
                     " is used";
    return stored;
}

} // namespace

LineWidthSetting readLineWidth(const std::string& folder)
{
    const StoredNumber stored = readStoredNumber(configPath(folder, kPrintConfigFileName), kDefaultLineWidth,
                                                 isUsableWidth, "line width", widthRangeText());
    return {stored.value, stored.warning};
}

std::string lineWidthText(int lineWidth)
{
    return std::to_string(lineWidth) + "\r\n";
}

std::string saveLineWidth(const std::string& folder, int lineWidth)
{
    const std::string path = configPath(folder, kPrintConfigFileName);
    if (!isUsableWidth(lineWidth))
        return "cannot write " + path + ": line width " + std::to_string(lineWidth) + " is not " + widthRangeText();
    return writeFileAtomically(path, lineWidthText(lineWidth));
}

PrintScaleSetting readPrintScale(const std::string& folder)
{
    const StoredNumber stored = readStoredNumber(configPath(folder, kPrintScaleFileName), kFitPrintScale,
                                                 isScaleChoice, "print scale", kScaleChoicesText);
    return {stored.value, stored.warning};
}

std::string savePrintScale(const std::string& folder, int denominator)
{
    const std::string path = configPath(folder, kPrintScaleFileName);
    if (!isScaleChoice(denominator))
        return "cannot write " + path + ": print scale " + std::to_string(denominator) + " is not " + kScaleChoicesText;
    return writeFileAtomically(path, std::to_string(denominator) + "\r\n");
}

} // namespace dravenor
