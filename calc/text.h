#pragma once
// Conversions between texts and numbers, as the boxes, the volume label, the legend
// and the state files use them. Texts are byte strings; the decimal separator is
// passed in (the locale's, "." in the C locale).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace calc {

// Text to number: optional spaces, an optional sign, digits with at most one
// decimal separator (a digit or the separator must be there), an optional exponent
// ("E" or "e", an optional sign and at least one digit), optional spaces. Only the
// space character counts as a space. The value is the text's value rounded to
// extended precision. Any other text throws Error("'<text>' is not a valid
// floating point value"). A value beyond the extended range comes back as infinity.
long double TextToExtended(std::string_view text, std::string_view decimalSeparator);

// Formats a value with one of the patterns "00", "0.00", "000.00", "000.00%":
// at least as many integer digits as zeros before the separator, exactly as many
// decimals as zeros after it, halves rounded away from zero (decided on the first
// 18 significant digits), no "-" on a value that rounds to zero, a trailing "%" kept
// as a literal. From 1e18 on the general format is used instead: up to 15
// significant digits, trailing zeros dropped, exponent written "E18".
std::string FormatNumber(long double value, std::string_view pattern,
                         std::string_view decimalSeparator);

// Integer text: leading spaces, then either an optional sign and decimal digits, or
// "$", "x" or "0x" and hexadecimal digits (either case), as a signed 32-bit value
// (hexadecimal up to FFFFFFFF, taken as its two's complement). Anything else, a
// trailing space or a decimal value out of range included, throws
// Error("'<text>' is not a valid integer value").
std::int32_t TextToInteger(std::string_view text);

}  // namespace calc
