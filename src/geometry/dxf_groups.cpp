#include "geometry/dxf_groups.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>

#include "job/number_format.h"

namespace dravenor {

namespace {

bool isTrimmedByte(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view withoutLineEnd(std::string_view line)
{
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

int groupCodeOf(std::string_view line)
{
    const std::string_view digits = trimmedDxfValue(line);
    int code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return kUnreadableGroupCode;
    return code;
}

// "inf", "-infinity", "nan": words strtod would take but no drawing means.
bool isNonFiniteWord(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    if (text.size() < 3) return false;
    std::string word(text.substr(0, 3));
    for (char& c : word) c = static_cast<char>(c | 0x20);
    return word == "inf" || word == "nan";
}

} // namespace

std::string_view trimmedDxfValue(std::string_view value)
{
    while (!value.empty() && isTrimmedByte(value.front())) value.remove_prefix(1);
    while (!value.empty() && isTrimmedByte(value.back())) value.remove_suffix(1);
    return value;
}

DxfGroupReader::DxfGroupReader(std::string_view text, std::uint32_t firstLine) : text_(text), line_(firstLine)
{
    std::size_t size = text_.size();
    while (size > 0 && (isTrimmedByte(text_[size - 1]) || text_[size - 1] == '\n')) --size;
    text_ = text_.substr(0, size);
}

bool DxfGroupReader::next(DxfGroup& group)
{
    if (offset_ >= text_.size()) return false;
    const std::size_t codeEnd = std::min(text_.find('\n', offset_), text_.size());
    if (codeEnd == text_.size()) {
        endsWithoutValue_ = true;
        offset_ = text_.size();
        return false;
    }
    const std::size_t valueEnd = std::min(text_.find('\n', codeEnd + 1), text_.size());
    group.code = groupCodeOf(text_.substr(offset_, codeEnd - offset_));
    group.value = withoutLineEnd(text_.substr(codeEnd + 1, valueEnd - codeEnd - 1));
    group.line = line_;
    if (group.code == kUnreadableGroupCode && unreadableCodes_++ == 0) firstUnreadableLine_ = line_;
    offset_ = std::min(valueEnd + 1, text_.size());
    line_ += 2;
    return true;
}

DxfNumber readDxfNumber(std::string_view value)
{
    DxfNumber number;
    number.value = leadingNumber(value);
    number.numeric = isNumberText(value);
    // leadingNumber holds an overflowing exponent at the largest double.
    number.outOfRange = std::fabs(number.value) == DBL_MAX || !std::isfinite(number.value) ||
                        (!number.numeric && isNonFiniteWord(trimmedDxfValue(value)));
    if (number.outOfRange) number.value = 0;
    return number;
}

} // namespace dravenor
