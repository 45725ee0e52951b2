#include "cutting/exact_number.h"

#include <charconv>

namespace dravenor::cutting {

std::string exactNumberText(double value)
{
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0");
}

} // namespace dravenor::cutting
