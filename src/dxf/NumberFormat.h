// The number forms of the DXF file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include "numeric/Extended.h"

namespace orvik {

// A real in the general form: at most 15 significant digits (the value taken
// to 18 digits, then rounded half up to 15), no trailing zeros, no decimal
// point for whole numbers, "." as separator whatever the locale. Fixed form
// for decimal exponents -3..15 (0.0001, 841, 832.3), scientific otherwise
// (5E-5, 1.25E-5, 1E20). Zero, also negative zero, is "0".
std::string FormatReal(Extended value);

// The same into `out`, which must hold kMaxRealLength bytes; returns the length.
inline constexpr std::size_t kMaxRealLength = 32;
std::size_t FormatRealTo(char* out, Extended value);

// The same digits through the exact decimal expansion alone, without the
// integer fast path FormatRealTo takes where it is exact: the reference the
// fast path is checked against.
std::size_t FormatRealExactTo(char* out, Extended value);

// Upper-case hexadecimal, at least two digits: 31 -> "1F", 80 -> "50".
std::string FormatHandle(std::int64_t value);

// The same into `out`, which must hold 24 bytes; returns the length.
std::size_t FormatHandleTo(char* out, std::int64_t value);

// Decimal, right-aligned with spaces in `width` columns (wider values
// whole), into `out`, which must hold max(width, 20) bytes; returns the length.
std::size_t FormatIntTo(char* out, std::int64_t value, int width);

}  // namespace orvik
