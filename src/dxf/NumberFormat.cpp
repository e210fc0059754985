#include "dxf/NumberFormat.h"
#include "numeric/Extended.h"
#include "numeric/Unsigned128.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace orvik {
namespace {

constexpr std::uint64_t kPow10[] = {1ULL,
                                    10ULL,
                                    100ULL,
                                    1000ULL,
                                    10000ULL,
                                    100000ULL,
                                    1000000ULL,
                                    10000000ULL,
                                    100000000ULL,
                                    1000000000ULL,
                                    10000000000ULL,
                                    100000000000ULL,
                                    1000000000000ULL,
                                    10000000000000ULL,
                                    100000000000000ULL,
                                    1000000000000000ULL,
                                    10000000000000000ULL,
                                    100000000000000000ULL,
                                    1000000000000000000ULL,
                                    10000000000000000000ULL};

// The magnitude as an 18-digit integer and its decimal exponent: value =
// digits x 10^(exponent - 18), digits in [10^17, 10^18), rounded to nearest.
struct Digits18 {
    std::uint64_t digits;
    int exponent;  // value = 0.d1d2... x 10^exponent
};

// Exact for magnitudes in [0.01, 1e15): the 64-bit mantissa times a power of
// ten fits 128 bits, so the 18 digits and the rounding are computed without
// any rounding error.
const Extended kHundredth = ExtendedOf("0.01");

bool FastDigits(Extended magnitude, Digits18& out) {
    if (!(magnitude >= kHundredth && magnitude < 1e15)) return false;
    // The 80-bit extended format: a 64-bit mantissa with its leading bit
    // explicit, then a 15-bit biased exponent (the build checks the type).
    // For these normal magnitudes, magnitude = mantissa x 2^(biased - 16383 - 63).
    std::uint64_t mantissa = 0;
    std::memcpy(&mantissa, &magnitude, sizeof mantissa);
    const double nearest = static_cast<double>(magnitude);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &nearest, sizeof bits);
    int binaryExponent = static_cast<int>(bits >> 52) - 1022;  // magnitude in [2^(b-1), 2^b)
    if ((bits & ((std::uint64_t{1} << 52) - 1)) == 0 && magnitude < nearest) --binaryExponent;
    const int shift = 64 - binaryExponent;  // magnitude = mantissa / 2^shift, shift in (14, 72)
    // Decimal exponent estimate, corrected below: magnitude in [10^(e-1), 10^e).
    // floor((b - 1) x log10 2) + 1 in integers (exact for |b| < 1650) is e or
    // one less, never more; the exact checks that follow settle it.
    int exponent = (((binaryExponent - 1) * 78913) >> 18) + 1;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int k = 18 - exponent;  // scale so that 18 digits stand before the point
        if (k < 0 || k > 19) return false;
        const U128 product = ProductOf(mantissa, kPow10[k]);
        U128 whole = product >> shift;
        if (whole >= kPow10[18]) {
            ++exponent;
            continue;
        }
        if (whole < kPow10[17]) {
            --exponent;
            continue;
        }
        const U128 rest = product - (whole << shift);
        const U128 half = U128{1} << (shift - 1);
        if (rest > half || (rest == half && (whole.Low() & 1))) whole += 1;  // nearest, ties to even
        if (whole == kPow10[18]) {
            whole = kPow10[17];
            ++exponent;
        }
        out = {static_cast<std::uint64_t>(whole), exponent};
        return true;
    }
    return false;
}

// The same for any finite magnitude, through the exact decimal conversion.
Digits18 ExactDigits(Extended magnitude) {
    const DecimalDigits d = DigitsOf(magnitude, 18);
    return {d.digits, d.exponent};
}

// The `count` decimal digits of `digits` at `p`, a point after the first
// `pointAfter` of them when some follow; returns the end. Written straight
// into place, right to left.
char* PutDigits(char* p, std::uint64_t digits, int count, int pointAfter) {
    char* q = p + count + (pointAfter < count ? 1 : 0);
    char* const end = q;
    for (int i = count - 1; i >= 0; --i) {
        *--q = static_cast<char>('0' + digits % 10);
        digits /= 10;
        if (i == pointAfter && i > 0) *--q = '.';
    }
    return end;
}

// The general form of a finite, nonzero value from its 18 digits.
std::size_t Layout(char* out, bool negative, Digits18 d) {
    // Round to 15 digits, half up; a carry past the first digit adds one to the exponent.
    std::uint64_t digits = d.digits / 1000 + (d.digits % 1000 >= 500 ? 1 : 0);
    int exponent = d.exponent;
    if (digits == kPow10[15]) {
        digits = kPow10[14];
        ++exponent;
    }
    // Without trailing zeros (at most 14 of them).
    int count = 15;
    for (const int zeros : {8, 4, 2, 1}) {
        if (digits % kPow10[zeros] == 0) {
            digits /= kPow10[zeros];
            count -= zeros;
        }
    }
    char* p = out;
    if (negative) *p++ = '-';
    if (exponent > 15 || exponent < -3) {
        p = PutDigits(p, digits, count, 1);
        *p++ = 'E';
        p = std::to_chars(p, p + 8, exponent - 1).ptr;
    } else if (exponent <= 0) {
        *p++ = '0';
        *p++ = '.';
        for (int i = 0; i < -exponent; ++i) *p++ = '0';
        p = PutDigits(p, digits, count, count);
    } else {
        p = PutDigits(p, digits, count, exponent);
        for (int i = count; i < exponent; ++i) *p++ = '0';
    }
    return static_cast<std::size_t>(p - out);
}

bool IsZeroOrNotFinite(Extended value) { return value == 0 || !IsFinite(value); }

}  // namespace

std::size_t FormatRealTo(char* out, Extended value) {
    if (IsZeroOrNotFinite(value)) {
        out[0] = '0';
        return 1;
    }
    const Extended magnitude = Abs(value);
    Digits18 d{};
    if (!FastDigits(magnitude, d)) d = ExactDigits(magnitude);
    return Layout(out, value < 0, d);
}

std::size_t FormatRealExactTo(char* out, Extended value) {
    if (IsZeroOrNotFinite(value)) {
        out[0] = '0';
        return 1;
    }
    return Layout(out, value < 0, ExactDigits(Abs(value)));
}

std::string FormatReal(Extended value) {
    char buffer[kMaxRealLength];
    return std::string(buffer, FormatRealTo(buffer, value));
}

std::size_t FormatHandleTo(char* out, std::int64_t value) {
    char* p = out;
    if (value >= 0 && value < 16) *p++ = '0';
    p = std::to_chars(p, out + 24, value, 16).ptr;
    for (char* c = out; c < p; ++c)
        if (*c >= 'a' && *c <= 'f') *c = static_cast<char>(*c - 'a' + 'A');
    return static_cast<std::size_t>(p - out);
}

std::string FormatHandle(std::int64_t value) {
    char buffer[24];
    return std::string(buffer, FormatHandleTo(buffer, value));
}

std::size_t FormatIntTo(char* out, std::int64_t value, int width) {
    char digits[24];
    const auto length = static_cast<int>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    const int pad = width > length ? width - length : 0;
    std::memset(out, ' ', static_cast<std::size_t>(pad));
    std::memcpy(out + pad, digits, static_cast<std::size_t>(length));
    return static_cast<std::size_t>(pad + length);
}

}  // namespace orvik
