// Extended-precision arithmetic in integers alone: the x87 80-bit format
// (sign, 15-bit exponent biased by 16383, 64-bit significand with its
// integer bit explicit), every result rounded to nearest, ties to even,
// exactly as the x87 unit rounds at its full precision. It gives the same
// bits on a processor without that unit (ARM, WebAssembly) as an x86
// `long double` gives.
//
// Only canonical values are made: a normal number has the integer bit set,
// a subnormal (exponent 0) has it clear, infinity is the integer bit alone
// under exponent 0x7FFF. A NaN operand gives a quiet NaN (which one is not
// promised); an invalid operation (inf - inf, 0 * inf, 0 / 0, inf / inf)
// gives the x87's default NaN.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvik {

struct SoftExtended {
    std::uint64_t significand = 0;
    std::uint16_t signAndExponent = 0;  // bit 15 the sign, bits 0..14 the biased exponent

    bool operator==(const SoftExtended&) const = default;  // the same bits
};

SoftExtended Add(SoftExtended a, SoftExtended b);
SoftExtended Subtract(SoftExtended a, SoftExtended b);
SoftExtended Multiply(SoftExtended a, SoftExtended b);
SoftExtended Divide(SoftExtended a, SoftExtended b);

// The square root, rounded as the x87 unit rounds it (a negative number's is
// the default NaN, -0's is -0).
SoftExtended SquareRoot(SoftExtended a);
// The remainder of a / b with a's sign, exact (as fmod).
SoftExtended Fmod(SoftExtended a, SoftExtended b);
// a = fraction * 2^exponent with the fraction in [1/2, 1) (as frexp); zero,
// infinity and NaN come back as they are, with exponent 0.
SoftExtended Fraction(SoftExtended a, int& exponent);
// a * 2^n, rounded (as ldexp).
SoftExtended Scale(SoftExtended a, int n);
SoftExtended Negate(SoftExtended a);
// a rounded to a whole number, halves away from zero, as the x87 build
// rounds by adding 1/2 (which makes the largest value below 1/2 one); a
// zero result is +0 (whatever a's sign), a magnitude of 2^63 or more,
// infinity and NaN come back as they are.
SoftExtended RoundHalfAwayFromZero(SoftExtended a);

// -1, 0 or 1 as a is less than, equal to or greater than b (-0 equals +0);
// 2 when either is a NaN.
int Compare(SoftExtended a, SoftExtended b);

bool IsNaN(SoftExtended a);

// Exact: every double, float and 64-bit integer is an extended value.
SoftExtended FromDouble(double value);
SoftExtended FromInt64(std::int64_t value);
SoftExtended FromUint64(std::uint64_t value);
// Rounded to nearest, ties to even, as a conversion of a long double does.
double ToDouble(SoftExtended value);
// Truncated toward zero, for values that fit (as a cast of a long double).
std::int64_t ToInt64(SoftExtended value);
std::uint64_t ToUint64(SoftExtended value);
float ToFloat(SoftExtended value);

// The first `count` significant decimal digits of a finite nonzero value's
// magnitude (count up to 19), rounded to nearest, ties to even, as the C
// library prints a long double: magnitude ~ digits x 10^(exponent - count),
// digits in [10^(count-1), 10^count).
struct DecimalDigits {
    std::uint64_t digits = 0;
    int exponent = 0;
};
DecimalDigits ToDecimal(SoftExtended value, int count);

// A decimal number as the C library reads one into a long double, rounded to
// nearest, ties to even: an optional '-', digits with an optional '.', an
// optional exponent ("e-3"), the whole text and nothing else (no "inf" or
// "nan"). Out of range: it overflows, or it underflows below the normal
// numbers; `value` is then unset. Past 800 significant digits the rest
// only counts as being zero or not.
enum class DecimalParse { Ok, NotANumber, OutOfRange };
DecimalParse FromDecimalText(std::string_view text, SoftExtended& value);

// The same text read into a double, rounded once to its 53 bits, as
// std::from_chars reads one (out of range: it overflows, or it is not zero
// and rounds to zero; subnormal results are kept): for standard libraries
// without a std::from_chars for floating point (WebAssembly's).
DecimalParse DoubleFromDecimalText(std::string_view text, double& value);

}  // namespace orvik
