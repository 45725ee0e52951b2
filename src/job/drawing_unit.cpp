#include "job/drawing_unit.h"

#include <filesystem>

#include "job/files.h"

namespace dravenor {

namespace {

std::string configPath(const std::string& folder)
{
    return withTrailingSeparator(folder) + kUnitConfigFileName;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::string_view drawingUnitCode(DrawingUnit unit)
{
    return unit == DrawingUnit::Inch ? "in" : "mm";
}

std::string_view drawingUnitName(DrawingUnit unit)
{
    return unit == DrawingUnit::Inch ? "inches" : "millimetres";
}

double millimetresPer(DrawingUnit unit)
{
    return unit == DrawingUnit::Inch ? 25.4 : 1.0;
}

std::optional<DrawingUnit> parseDrawingUnit(std::string_view code)
{
    const std::string lower = toLowerAscii(std::string(trimmed(code)));
    for (DrawingUnit unit : {DrawingUnit::Millimetre, DrawingUnit::Inch})
        if (lower == drawingUnitCode(unit)) return unit;
    return std::nullopt;
}

DrawingUnitSetting readDrawingUnit(const std::string& folder)
{
    const std::string path = configPath(folder);
    DrawingUnitSetting setting;
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec) || ec) setting.warning = file.error + "; millimetres are used";
        return setting;
    }
    if (const auto unit = parseDrawingUnit(*file.bytes)) {
        setting.unit = *unit;
        return setting;
    }
    setting.warning = path + ": \"" + std::string(trimmed(*file.bytes)) + "\" is not mm or in; millimetres are used";
    return setting;
}

std::string saveDrawingUnit(const std::string& folder, DrawingUnit unit)
{
    return writeFileAtomically(configPath(folder), std::string(drawingUnitCode(unit)) + "\r\n");
}

} // namespace dravenor
