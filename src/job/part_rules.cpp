#include "job/part_rules.h"

#include <algorithm>
#include <cctype>

namespace dravenor {

const std::vector<std::string>& orientationRules()
{
    static const std::vector<std::string> rules{std::string(kOrnAny), std::string(kOrnNo), std::string(kOrnStep90),
                                                std::string(kOrnStep180)};
    return rules;
}

bool isOrientationRule(std::string_view text)
{
    const auto& rules = orientationRules();
    return std::find(rules.begin(), rules.end(), text) != rules.end();
}

std::string nextOrientation(const std::string& text)
{
    const auto& rules = orientationRules();
    const auto at = std::find(rules.begin(), rules.end(), text);
    if (at == rules.end()) return text;
    return std::next(at) == rules.end() ? rules.front() : *std::next(at);
}

std::vector<double> fixedTurns(std::string_view rule)
{
    if (rule == kOrnNo) return {0};
    if (rule == kOrnStep180) return {0, 180};
    if (rule == kOrnStep90) return {0, 90, 180, 270};
    return {};
}

bool allowsHalfTurn(std::string_view rule)
{
    return rule != kOrnNo;
}

bool allowsQuarterTurns(std::string_view rule)
{
    return rule != kOrnNo && rule != kOrnStep180;
}

bool turnsFixedByDrawing(std::string_view rule)
{
    return !fixedTurns(rule).empty();
}

std::string mirrorCellText(bool mirrorAllowed)
{
    return mirrorAllowed ? std::string(kMirrorYes) : std::string();
}

bool mirrorAllowedByText(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return lower == "yes" || lower == "y" || lower == "1" || lower == "true";
}

std::string nextMirror(const std::string& text)
{
    return mirrorAllowedByText(text) ? std::string() : std::string(kMirrorYes);
}

} // namespace dravenor
