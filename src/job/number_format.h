#pragma once
// The one place where numbers become text and text becomes numbers. Every conversion uses "."
// as the decimal point whatever locale the program runs in, so files and outputs read and
// write alike on every desktop.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dravenor {

// Up to 15 significant digits, no trailing zeros, "." as decimal point, no exponent for
// ordinary magnitudes ("0.5", "-12", "1234.125").
std::string formatGeneral(double value);

// Masks: "0", "0.00", ".00", "##.###", "#######.##", "00000.00" (digit placeholders "0" always
// shown, "#" shown only when significant; halves round away from zero as the masks do).
std::string formatMask(double value, std::string_view mask);

// Whole-number conversion: nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);
std::int32_t toWhole(double value); // roundHalfEven, clamped to the 32-bit range

// The longest leading numeric part of the text (blanks skipped, optional sign, digits,
// one ".", optional exponent); 0 when the text does not start with a number.
double leadingNumber(std::string_view text);
// The whole text as a number of the form leadingNumber reads, without blanks; nothing when the
// text is not one or its value is not finite.
std::optional<double> numberFromText(std::string_view text);
// A number a person typed into a field: as numberFromText, blanks around it ignored and one
// decimal comma taken as the decimal point ("1,5" is 1.5), as the grids take it.
std::optional<double> numberFromTyped(std::string_view text);
// Whether the whole text (after trimming blanks) is a number; empty text counts as a number.
bool isNumberText(std::string_view text);

// "1 arc", "3 arcs": a count with its noun in the right number.
std::string countedNoun(int n, std::string_view one, std::string_view many);

} // namespace dravenor
