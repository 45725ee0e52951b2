#include "quote/quote_settings.h"

#include <cmath>
#include <filesystem>

#include "cutting/folder_file.h"
#include "cutting/text_lines.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor::quote {

std::optional<double> marginFromText(const std::string& text)
{
    const std::optional<double> margin = numberFromTyped(text);
    if (!margin || !std::isfinite(*margin) || *margin < kLeastMargin || *margin > kGreatestMargin) return std::nullopt;
    return margin;
}

std::optional<MaterialShare> shareFromText(const std::string& text)
{
    if (text == "area") return MaterialShare::Area;
    if (text == "length") return MaterialShare::Length;
    return std::nullopt;
}

QuoteSettings readQuoteSettings(const std::string& folder)
{
    QuoteSettings settings;
    const std::string path = cutting::folderFilePath(folder, kQuoteSettingsFileName);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return settings;
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        settings.warnings.push_back(file.error);
        return settings;
    }
    for (auto [number, line] : cutting::numberedLines(*file.bytes)) {
        line = cutting::trimmed(line);
        if (line.empty() || line.front() == '#') continue;
        const size_t equals = line.find('=');
        const std::string key = cutting::trimmed(line.substr(0, equals));
        const std::string value = equals == std::string::npos ? "" : cutting::trimmed(line.substr(equals + 1));
        const std::string where = path + " line " + std::to_string(number) + ": ";
        if (key == "margin") {
            if (const auto margin = marginFromText(value)) settings.options.marginPercent = *margin;
            else settings.warnings.push_back(where + "margin '" + value + "' is not a percentage from -100 to 10000");
        } else if (key == "share") {
            if (const auto share = shareFromText(value)) settings.options.share = *share;
            else settings.warnings.push_back(where + "share '" + value + "' is neither area nor length");
        } else {
            settings.warnings.push_back(where + "'" + line + "' is not a margin or share line");
        }
    }
    return settings;
}

std::string saveQuoteSettings(const std::string& folder, const QuoteOptions& options)
{
    const std::string text = "margin = " + formatGeneral(options.marginPercent) + "\nshare = " +
                             (options.share == MaterialShare::Area ? "area" : "length") + "\n";
    return writeFileAtomically(cutting::folderFilePath(folder, kQuoteSettingsFileName), text);
}

} // namespace dravenor::quote
