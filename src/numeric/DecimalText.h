// Doubles as decimal text, "." whatever the locale, exactly as std::to_chars
// writes them; through it where the standard library has it, else (in
// WebAssembly's) through the C library's exact printf and strtod.
#pragma once

#include <string>
#include <string_view>

namespace orvik {

// The fewest digits that read back as the same double, in plain or in
// scientific notation, whichever is shorter (plain on a tie): "100", "0.5",
// "1e+20". As std::to_chars(first, last, value).
std::string ShortestText(double value);

// The same digits, always in plain notation: "100000000000000000000".
// As std::to_chars(first, last, value, std::chars_format::fixed).
std::string ShortestPlainText(double value);

// `places` digits after the point, rounded to nearest: "0.5000".
// As std::to_chars(first, last, value, std::chars_format::fixed, places).
std::string FixedText(double value, int places);

// The whole text as a decimal number read into a double, rounded once, as
// std::from_chars reads it (an optional '-', digits with an optional '.',
// an optional exponent; no "inf" or "nan"); false when it is none or out of
// a double's range. Through std::from_chars where the standard library has
// it for floating point (fast), else through DoubleFromDecimalText (exact
// integer arithmetic; the tests check that both agree).
bool ReadDouble(std::string_view text, double& value);

// The same through the C library alone, on every system: what the
// functions above use where std::to_chars has no floating point.
namespace printf_decimal {
std::string ShortestText(double value);
std::string ShortestPlainText(double value);
std::string FixedText(double value, int places);
}  // namespace printf_decimal

}  // namespace orvik
