#include "cli/option_parser.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "job/number_format.h"

namespace dravenor::cli {

std::string ParsedArgs::value(const std::string& name, const std::string& fallback) const
{
    const auto it = values.find(name);
    return it == values.end() || it->second.empty() ? fallback : it->second.back();
}

ParsedArgs parseArgs(const Args& args, const std::set<std::string>& valueOptions,
                     const std::set<std::string>& flagOptions)
{
    ParsedArgs parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // Declared options may have one dash ("-o"); any other word without two is positional.
        if (a.rfind("--", 0) != 0 && !valueOptions.count(a) && !flagOptions.count(a)) {
            parsed.positional.push_back(a);
        } else if (flagOptions.count(a)) {
            parsed.flags.insert(a);
        } else if (valueOptions.count(a)) {
            if (i + 1 >= args.size()) throw UsageError{"option " + a + " needs a value"};
            parsed.values[a].push_back(args[++i]);
        } else {
            throw UsageError{"unknown option " + a};
        }
    }
    return parsed;
}

int layoutNumberOf(const std::string& text)
{
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < 1)
        throw UsageError{"--layout '" + text + "' is not a layout number from 1 up"};
    return value;
}

double skeletonCutOf(const std::string& text)
{
    const std::optional<double> value = numberFromText(text);
    if (!value || !std::isfinite(*value) || *value <= 0)
        throw UsageError{"--skeleton-cut '" + text + "' is not a length in millimetres above 0"};
    return *value;
}

DrawingUnit drawingUnitOption(const ParsedArgs& parsed)
{
    const std::string given = parsed.value("--units", "mm");
    if (const auto unit = parseDrawingUnit(given)) return *unit;
    throw UsageError{"--units '" + given + "' is not mm or in"};
}

std::pair<int, int> parseSize(const std::string& text)
{
    const auto x = text.find_first_of("xX");
    auto whole = [&](const std::string& part) {
        char* end = nullptr;
        const long v = std::strtol(part.c_str(), &end, 10);
        if (part.empty() || *end != '\0' || v < 16 || v > 8000)
            throw UsageError{"size '" + text + "' is not WIDTHxHEIGHT in pixels (16 to 8000 each)"};
        return static_cast<int>(v);
    };
    if (x == std::string::npos) throw UsageError{"size '" + text + "' is not WIDTHxHEIGHT in pixels"};
    return {whole(text.substr(0, x)), whole(text.substr(x + 1))};
}

} // namespace dravenor::cli
