#include "job/number_format.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace dravenor {

namespace {

constexpr int SignificantDigits = 15;

// A finite double as 15 significant decimal digits: value = 0.d1d2... * 10^(exponent + 1),
// i.e. d1 stands at the power `exponent`.
struct DecimalDigits {
    bool negative = false;
    std::string digits; // exactly 15 digits, the first non-zero unless the value is 0
    int exponent = 0;
};

DecimalDigits toDecimalDigits(double value)
{
    DecimalDigits d;
    if (std::isnan(value)) value = 0;
    if (std::isinf(value)) value = value > 0 ? DBL_MAX : -DBL_MAX;
    char buffer[64];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, SignificantDigits - 1).ptr;
    const char* p = buffer;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p != end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.digits += *p;
    if (p != end) {
        ++p; // 'e'
        if (*p == '+') ++p;
        std::from_chars(p, end, d.exponent);
    }
    return d;
}

bool allZero(const std::string& digits)
{
    return digits.find_first_not_of('0') == std::string::npos;
}

// The absolute value as whole-part and fraction digit strings (whole part at least "0").
void splitFixed(const DecimalDigits& d, std::string& whole, std::string& fraction)
{
    whole.clear();
    fraction.clear();
    if (d.exponent >= 0) {
        const size_t wholeCount = static_cast<size_t>(d.exponent) + 1;
        whole = d.digits.substr(0, std::min(wholeCount, d.digits.size()));
        if (whole.size() < wholeCount) whole.append(wholeCount - whole.size(), '0');
        if (d.digits.size() > wholeCount) fraction = d.digits.substr(wholeCount);
    } else {
        whole.assign(1, '0');
        fraction.assign(static_cast<size_t>(-d.exponent - 1), '0');
        fraction.append(d.digits);
    }
}

// Rounds whole.fraction to `places` fraction digits, halves away from zero.
void roundDigits(std::string& whole, std::string& fraction, size_t places)
{
    if (fraction.size() <= places) {
        fraction.append(places - fraction.size(), '0');
        return;
    }
    const bool up = fraction[places] >= '5';
    fraction.resize(places);
    if (!up) return;
    for (size_t i = fraction.size(); i-- > 0;) {
        if (fraction[i] != '9') {
            ++fraction[i];
            return;
        }
        fraction[i] = '0';
    }
    for (size_t i = whole.size(); i-- > 0;) {
        if (whole[i] != '9') {
            ++whole[i];
            return;
        }
        whole[i] = '0';
    }
    whole.insert(whole.begin(), '1');
}

bool isPlaceholder(char c)
{
    return c == '0' || c == '#' || c == '.';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the numeric part at the start of text (after `start`), 0 when there is none.
size_t numericPrefixLength(std::string_view text, size_t start)
{
    size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++mantissaDigits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    return i - start;
}

// The power of ten of the first significant digit of a number text (as numericPrefixLength
// accepts it); tells an overflow from an underflow when the text does not fit a double.
long long leadingPower(std::string_view number)
{
    long long power = 0;
    bool seenPoint = false, seenDigit = false;
    size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        const char c = number[i];
        if (c == '.') seenPoint = true;
        if (!isDigit(c)) continue;
        if (!seenDigit && c == '0') {
            if (seenPoint) --power;
            continue;
        }
        seenDigit = true;
        if (!seenPoint) ++power;
    }
    long long exponent = 0;
    if (i + 1 < number.size()) {
        const char* from = number.data() + i + 1;
        if (*from == '+') ++from;
        std::from_chars(from, number.data() + number.size(), exponent);
    }
    return power + exponent;
}

struct ReadNumber {
    double value = 0;
    bool overflow = false; // beyond the largest double: value holds the largest, signed
};

// A number text as numericPrefixLength accepts it, read with "." as the decimal point; below
// the smallest double it is 0.
ReadNumber numberOfPrefix(std::string_view number)
{
    const bool negative = number.front() == '-';
    if (number.front() == '+' || negative) number.remove_prefix(1);
    ReadNumber read;
    if (std::from_chars(number.data(), number.data() + number.size(), read.value).ec == std::errc::result_out_of_range) {
        read.overflow = leadingPower(number) > 0;
        read.value = read.overflow ? DBL_MAX : 0;
    }
    if (negative) read.value = -read.value;
    return read;
}

} // namespace

std::string formatGeneral(double value)
{
    DecimalDigits d = toDecimalDigits(value);
    if (allZero(d.digits)) return "0";
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();

    std::string out = d.negative ? "-" : "";
    if (d.exponent >= SignificantDigits || d.exponent < -5) {
        // Scientific form for magnitudes that would need many zeros: "1.5E+20", "2E-07".
        out += d.digits[0];
        if (d.digits.size() > 1) out.append(1, '.').append(d.digits, 1);
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "E%c%02d", d.exponent < 0 ? '-' : '+',
                      std::abs(d.exponent));
        return out + exponent;
    }
    std::string whole, fraction;
    splitFixed(d, whole, fraction);
    out += whole;
    if (!fraction.empty()) out.append(1, '.').append(fraction);
    return out;
}

std::string formatMask(double value, std::string_view mask)
{
    const size_t first = mask.find_first_of("0#.");
    if (first == std::string_view::npos) return mask.empty() ? formatGeneral(value) : std::string(mask);
    size_t last = first;
    while (last + 1 < mask.size() && isPlaceholder(mask[last + 1])) ++last;
    const std::string_view prefix = mask.substr(0, first);
    const std::string_view suffix = mask.substr(last + 1);
    const std::string_view core = mask.substr(first, last - first + 1);

    const size_t point = core.find('.');
    const std::string_view wholeMask = core.substr(0, point);
    std::string_view fractionMask;
    if (point != std::string_view::npos) {
        fractionMask = core.substr(point + 1);
        const size_t secondPoint = fractionMask.find('.');
        if (secondPoint != std::string_view::npos) fractionMask = fractionMask.substr(0, secondPoint);
    }

    const DecimalDigits d = toDecimalDigits(value);
    std::string whole, fraction;
    splitFixed(d, whole, fraction);
    roundDigits(whole, fraction, fractionMask.size());

    // Optional ("#") fraction places drop their trailing zeros.
    size_t keep = fraction.size();
    while (keep > 0 && fractionMask[keep - 1] == '#' && fraction[keep - 1] == '0') --keep;
    fraction.resize(keep);

    const bool shownNonZero = !allZero(whole) || !allZero(fraction);
    whole.erase(0, whole.find_first_not_of('0'));
    const size_t wholeZeros = static_cast<size_t>(std::count(wholeMask.begin(), wholeMask.end(), '0'));
    if (whole.size() < wholeZeros) whole.insert(0, wholeZeros - whole.size(), '0');

    std::string out;
    if (d.negative && shownNonZero) out += '-';
    out += prefix;
    out += whole;
    if (point != std::string_view::npos) out += '.';
    out += fraction;
    out += suffix;
    return out;
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value)) return value;
    const double below = std::floor(value);
    const double diff = value - below;
    if (diff > 0.5) return below + 1;
    if (diff < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::int32_t toWhole(double value)
{
    if (std::isnan(value)) return 0;
    const double rounded = roundHalfEven(value);
    if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(rounded);
}

double leadingNumber(std::string_view text)
{
    size_t start = 0;
    while (start < text.size() && isBlank(text[start])) ++start;
    const size_t length = numericPrefixLength(text, start);
    if (length == 0) return 0;
    return numberOfPrefix(text.substr(start, length)).value;
}

std::optional<double> numberFromText(std::string_view text)
{
    if (text.empty() || numericPrefixLength(text, 0) != text.size()) return std::nullopt;
    const ReadNumber read = numberOfPrefix(text);
    if (read.overflow) return std::nullopt;
    return read.value;
}

std::optional<double> numberFromTyped(std::string_view text)
{
    size_t start = 0, end = text.size();
    while (start < end && isBlank(text[start])) ++start;
    while (end > start && isBlank(text[end - 1])) --end;
    std::string typed(text.substr(start, end - start));
    const size_t comma = typed.find(',');
    if (comma != std::string::npos && typed.find_first_of(",.", comma + 1) == std::string::npos &&
        typed.find('.') == std::string::npos)
        typed[comma] = '.';
    return numberFromText(typed);
}

bool isNumberText(std::string_view text)
{
    size_t start = 0;
    size_t end = text.size();
    while (start < end && isBlank(text[start])) ++start;
    while (end > start && isBlank(text[end - 1])) --end;
    if (start == end) return true;
    return numericPrefixLength(text.substr(0, end), start) == end - start;
}

std::string countedNoun(int n, std::string_view one, std::string_view many)
{
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

} // namespace dravenor
