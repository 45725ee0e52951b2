#include "job/deep_settings_input.h"

#include <cmath>

#include "job/number_format.h"

namespace dravenor {

namespace {

const char* ruleOf(DeepField field)
{
    switch (field) {
    case DeepField::Spacing: return "the spacing must be a number from 0 up (empty: the kerf)";
    case DeepField::Margin: return "the margin must be a number from 0 up";
    case DeepField::TimeLimit: break;
    }
    return "the time limit must be a number of seconds above 0";
}

bool allowed(DeepField field, double value)
{
    return field == DeepField::TimeLimit ? value > 0 : value >= 0;
}

std::string capitalised(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

} // namespace

DeepNumber readDeepField(DeepField field, const std::string& text)
{
    if (field == DeepField::Spacing && text.find_first_not_of(" \t") == std::string::npos) return {-1, ""};
    const std::optional<double> value = numberFromTyped(text);
    if (!value || !allowed(field, *value)) return {0, ruleOf(field)};
    return {*value, ""};
}

std::string deepFieldText(DeepField field, const DeepSettings& settings)
{
    switch (field) {
    case DeepField::Spacing: return settings.spacing < 0 ? std::string() : formatGeneral(settings.spacing);
    case DeepField::Margin: return formatGeneral(settings.margin);
    case DeepField::TimeLimit: break;
    }
    return formatGeneral(settings.timeLimit);
}

std::optional<std::string> deepSettingsProblem(const DeepSettings& s)
{
    if (std::isnan(s.spacing) || std::isinf(s.spacing)) return capitalised(ruleOf(DeepField::Spacing));
    if (!std::isfinite(s.margin) || s.margin < 0) return capitalised(ruleOf(DeepField::Margin));
    if (s.iterations < 0) return std::string("The iterations must be a whole number above 0");
    if (s.iterations == 0 && !(std::isfinite(s.timeLimit) && s.timeLimit > 0))
        return capitalised(ruleOf(DeepField::TimeLimit));
    if (s.threads < 0) return std::string("The threads must be a whole number above 0");
    return std::nullopt;
}

double effectiveSpacing(const DeepSettings& settings, double kerf)
{
    if (settings.spacing >= 0) return settings.spacing;
    return kerf > 0 ? kerf : 0;
}

} // namespace dravenor
