// The extended-precision number the conversion computes with: a 64-bit
// significand, every operation rounded to nearest, ties to even (the x87
// format). Where the processor's long double is that format it is long
// double itself; elsewhere, or with ORVIK_SOFT_EXTENDED, the same
// arithmetic in integers (SoftExtended.h), so that a conversion writes the
// same bytes on every processor.
//
// Code on Extended uses the functions here, not the C library's, and
// spells constants that a double cannot hold exactly with ExtendedOf.
#pragma once

#include <cstdint>
#include <string_view>

#include "numeric/SoftExtended.h"

#if !ORVIK_SOFT_EXTENDED
#include <cmath>
#include <cstring>
#include <limits>
#endif

namespace orvik {

#if ORVIK_SOFT_EXTENDED

class Extended {
public:
    Extended() = default;
    Extended(double value) : v_(FromDouble(value)) {}
    Extended(int value) : v_(FromInt64(value)) {}
    Extended(long value) : v_(FromInt64(value)) {}
    Extended(long long value) : v_(FromInt64(value)) {}
    Extended(unsigned value) : v_(FromUint64(value)) {}
    Extended(unsigned long value) : v_(FromUint64(value)) {}
    Extended(unsigned long long value) : v_(FromUint64(value)) {}
    static Extended Of(SoftExtended v) {
        Extended e;
        e.v_ = v;
        return e;
    }
    SoftExtended Soft() const { return v_; }

    explicit operator double() const { return ToDouble(v_); }
    explicit operator float() const { return ToFloat(v_); }
    explicit operator int() const { return static_cast<int>(ToInt64(v_)); }
    explicit operator long() const { return ToInt64(v_); }
    explicit operator long long() const { return ToInt64(v_); }
    explicit operator unsigned() const { return static_cast<unsigned>(ToUint64(v_)); }
    explicit operator unsigned long() const { return ToUint64(v_); }
    explicit operator unsigned long long() const { return ToUint64(v_); }
    explicit operator std::uint8_t() const { return static_cast<std::uint8_t>(ToInt64(v_)); }
    explicit operator std::int16_t() const { return static_cast<std::int16_t>(ToInt64(v_)); }
    explicit operator std::uint16_t() const { return static_cast<std::uint16_t>(ToInt64(v_)); }

    friend Extended operator+(Extended a, Extended b) { return Of(Add(a.v_, b.v_)); }
    friend Extended operator-(Extended a, Extended b) { return Of(Subtract(a.v_, b.v_)); }
    friend Extended operator*(Extended a, Extended b) { return Of(Multiply(a.v_, b.v_)); }
    friend Extended operator/(Extended a, Extended b) { return Of(Divide(a.v_, b.v_)); }
    friend Extended operator-(Extended a) { return Of(Negate(a.v_)); }
    friend Extended operator+(Extended a) { return a; }
    Extended& operator+=(Extended b) { return *this = *this + b; }
    Extended& operator-=(Extended b) { return *this = *this - b; }
    Extended& operator*=(Extended b) { return *this = *this * b; }
    Extended& operator/=(Extended b) { return *this = *this / b; }
    friend bool operator==(Extended a, Extended b) { return Compare(a.v_, b.v_) == 0; }
    friend bool operator!=(Extended a, Extended b) { return Compare(a.v_, b.v_) != 0; }
    friend bool operator<(Extended a, Extended b) { return Compare(a.v_, b.v_) == -1; }
    friend bool operator>(Extended a, Extended b) { return Compare(a.v_, b.v_) == 1; }
    friend bool operator<=(Extended a, Extended b) {
        const int c = Compare(a.v_, b.v_);
        return c == -1 || c == 0;
    }
    friend bool operator>=(Extended a, Extended b) {
        const int c = Compare(a.v_, b.v_);
        return c == 1 || c == 0;
    }

private:
    SoftExtended v_;
};

inline Extended Abs(Extended x) {
    SoftExtended v = x.Soft();
    v.signAndExponent &= 0x7FFF;
    return Extended::Of(v);
}
inline bool IsNan(Extended x) { return IsNaN(x.Soft()); }
inline bool IsInf(Extended x) { return (x.Soft().signAndExponent & 0x7FFF) == 0x7FFF && !IsNan(x); }
inline bool IsFinite(Extended x) { return (x.Soft().signAndExponent & 0x7FFF) != 0x7FFF; }
inline bool SignBit(Extended x) { return (x.Soft().signAndExponent >> 15) != 0; }
inline Extended SquareRoot(Extended x) { return Extended::Of(SquareRoot(x.Soft())); }
inline Extended Fmod(Extended a, Extended b) { return Extended::Of(Fmod(a.Soft(), b.Soft())); }
inline Extended Fraction(Extended x, int& exponent) { return Extended::Of(Fraction(x.Soft(), exponent)); }
inline Extended Scale(Extended x, int n) { return Extended::Of(Scale(x.Soft(), n)); }
inline Extended NotANumber() { return Extended::Of(SoftExtended{0xC000000000000000, 0x7FFF}); }
// Toward zero, keeping the sign and what is already whole.
inline Extended Truncate(Extended x) {
    if (!IsFinite(x) || !(Abs(x) < Extended(0x1p63))) return x;
    const Extended whole = static_cast<long long>(x);
    return whole == 0 && SignBit(x) ? -Extended(0) : whole;
}
// x rounded half away from zero, as the x87 build's RoundHalfAway rounds it,
// in integers at once.
inline Extended RoundHalfAway(Extended x) { return Extended::Of(RoundHalfAwayFromZero(x.Soft())); }
// The decimal text as the C library reads it; false when it is not a number
// or out of range.
inline bool ReadExtended(std::string_view text, Extended& value) {
    SoftExtended v;
    if (FromDecimalText(text, v) != DecimalParse::Ok) return false;
    value = Extended::Of(v);
    return true;
}
inline DecimalDigits DigitsOf(Extended magnitude, int count) { return ToDecimal(magnitude.Soft(), count); }

#else

static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384,
              "long double is not the x87 format here: build with -DORVIK_SOFT_EXTENDED=ON");

using Extended = long double;

inline Extended Abs(Extended x) { return std::fabs(x); }
inline bool IsNan(Extended x) { return std::isnan(x); }
inline bool IsInf(Extended x) { return std::isinf(x); }
inline bool IsFinite(Extended x) { return std::isfinite(x); }
inline bool SignBit(Extended x) { return std::signbit(x); }
inline Extended SquareRoot(Extended x) { return std::sqrt(x); }
inline Extended Fmod(Extended a, Extended b) { return std::fmod(a, b); }
inline Extended Fraction(Extended x, int& exponent) { return std::frexp(x, &exponent); }
inline Extended Scale(Extended x, int n) { return std::ldexp(x, n); }
inline Extended NotANumber() { return std::numeric_limits<Extended>::quiet_NaN(); }
inline Extended Truncate(Extended x) { return std::trunc(x); }
// x rounded half away from zero (a zero result is +0), by adding 1/2: the
// largest value below 1/2 becomes 1, its sum needing 65 bits. A value whose
// magnitude reaches 2^63 is already whole and is returned as it is.
inline Extended RoundHalfAway(Extended x) {
    const Extended kTwoTo63 = 0x1p63;
    if (!(Abs(x) < kTwoTo63)) return x;  // already whole, or not a number
    const Extended shifted = x >= 0 ? x + 0.5 : x - 0.5;  // exact below 2^63
    if (Abs(shifted) >= kTwoTo63) return Truncate(shifted);
    // Truncated toward zero in floating point: beside 2^63 the 64-bit
    // mantissa has no fraction bits, so adding and taking away 2^63 rounds to
    // a neighbouring whole number, exactly; one step back if it went past.
    // (Converting to a 64-bit integer instead switches the x87 rounding mode
    // twice per value.)
    if (shifted >= 0) {
        const Extended whole = (shifted + kTwoTo63) - kTwoTo63;
        return whole > shifted ? whole - 1 : whole;
    }
    const Extended whole = (shifted - kTwoTo63) + kTwoTo63;
    return whole < shifted ? whole + 1 : whole;
}
// Decimal text and decimal digits go through SoftExtended on every system:
// the C libraries some systems bring read and print a long double only to
// the precision of a double.
inline SoftExtended BitsOf(Extended x) {
    SoftExtended v;
    std::memcpy(&v.significand, &x, sizeof v.significand);
    std::memcpy(&v.signAndExponent, reinterpret_cast<const char*>(&x) + sizeof v.significand, sizeof v.signAndExponent);
    return v;
}
inline Extended ExtendedOfBits(SoftExtended v) {
    Extended x = 0;
    std::memcpy(&x, &v.significand, sizeof v.significand);
    std::memcpy(reinterpret_cast<char*>(&x) + sizeof v.significand, &v.signAndExponent, sizeof v.signAndExponent);
    return x;
}
inline bool ReadExtended(std::string_view text, Extended& value) {
    SoftExtended v;
    if (FromDecimalText(text, v) != DecimalParse::Ok) return false;
    value = ExtendedOfBits(v);
    return true;
}
// The first `count` significant digits of a finite nonzero magnitude.
inline DecimalDigits DigitsOf(Extended magnitude, int count) { return ToDecimal(BitsOf(magnitude), count); }

#endif

// A constant a double cannot hold exactly (0.7, 1e-6), read from its decimal text.
inline Extended ExtendedOf(std::string_view text) {
    Extended value = 0;
    ReadExtended(text, value);
    return value;
}

}  // namespace orvik
