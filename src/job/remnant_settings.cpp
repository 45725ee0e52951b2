#include "job/remnant_settings.h"

#include <cmath>

#include "job/number_format.h"

namespace dravenor {

RemnantNumber readRemnantMinimum(const std::string& text, const char* what)
{
    const std::optional<double> value = numberFromText(text);
    if (!value || !std::isfinite(*value)) return {0, std::string("the ") + what + " '" + text + "' is not a number"};
    if (*value < 0) return {0, std::string("the ") + what + " must not be negative"};
    return {*value, ""};
}

} // namespace dravenor
