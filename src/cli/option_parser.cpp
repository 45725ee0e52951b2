#include "cli/option_parser.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <tuple>

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

namespace {

double skeletonCutOf(const std::string& text)
{
    const std::optional<double> value = numberFromText(text);
    if (!value || !std::isfinite(*value) || *value <= 0)
        throw UsageError{"--skeleton-cut '" + text + "' is not a length in millimetres above 0"};
    return *value;
}

std::pair<double, int> microjointsOf(const std::string& text)
{
    const size_t colon = text.find(':');
    const std::optional<double> width = numberFromText(text.substr(0, colon));
    int count = 0;
    const std::string n = colon == std::string::npos ? "" : text.substr(colon + 1);
    const auto result = std::from_chars(n.data(), n.data() + n.size(), count);
    if (!width || !std::isfinite(*width) || *width <= 0 || *width > 100 || result.ec != std::errc() ||
        result.ptr != n.data() + n.size() || count < 1 || count > 100)
        throw UsageError{"--microjoints '" + text + "' is not WIDTH:COUNT (millimetres above 0 up to 100, 1 to 100 joints)"};
    return {*width, count};
}

} // namespace

CutOptions cutOptionsOf(const ParsedArgs& parsed)
{
    CutOptions options;
    options.commonLine = parsed.flags.count("--common-line") > 0;
    if (parsed.has("--skeleton-cut")) options.skeletonCut = skeletonCutOf(parsed.value("--skeleton-cut"));
    if (parsed.has("--microjoints")) std::tie(options.jointWidth, options.joints) = microjointsOf(parsed.value("--microjoints"));
    return options;
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
