#include "numeric/DecimalText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "numeric/SoftExtended.h"

#ifndef _WIN32
#include <locale.h>
#endif

namespace orvik {
namespace printf_decimal {
namespace {

// The "C" locale on this thread while the C library reads and writes a
// number, so that the point is "." whatever locale the program set (Qt sets
// the user's). Windows builds write through std::to_chars and never get here.
class CNumbers {
public:
#ifndef _WIN32
    CNumbers() : previous_(::uselocale(CLocale())) {}
    ~CNumbers() { ::uselocale(previous_); }

private:
    static locale_t CLocale() {
        static const locale_t c = ::newlocale(LC_ALL_MASK, "C", locale_t{});
        return c;
    }
    locale_t previous_;
#else
    CNumbers() {}
#endif
};

// A finite nonzero magnitude's shortest digits: value = 0.digits x 10^point.
struct Digits {
    std::string digits;
    int point = 0;
};

// The nearest decimal of `count` significant digits (printf's "%.*e" is
// exact in glibc, musl and MinGW's C library): its digits as an integer and
// the power of ten of the first.
struct Candidate {
    std::uint64_t digits = 0;
    int exponent = 0;
};

Candidate Nearest(double magnitude, int count) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", count - 1, magnitude);
    Candidate c;
    const char* p = text;
    for (; *p != 'e'; ++p)
        if (*p != '.') c.digits = c.digits * 10 + static_cast<std::uint64_t>(*p - '0');
    c.exponent = std::atoi(p + 1);
    return c;
}

double ValueOf(std::uint64_t digits, int exponent, int count) {
    char text[64];
    std::snprintf(text, sizeof text, "%llue%d", static_cast<unsigned long long>(digits), exponent - (count - 1));
    return std::strtod(text, nullptr);
}

std::uint64_t PowerOfTen(int n) {
    std::uint64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// The decimal of `count` digits that reads back as `magnitude`: the nearest,
// else its other neighbour (just inside the narrower half of the interval
// below a power of two); none when neither does.
bool RoundTrip(double magnitude, int count, Candidate& found) {
    const Candidate nearest = Nearest(magnitude, count);
    const double back = ValueOf(nearest.digits, nearest.exponent, count);
    if (back == magnitude) {
        found = nearest;
        return true;
    }
    Candidate other = nearest;
    if (back < magnitude) {
        if (++other.digits == PowerOfTen(count)) other = {PowerOfTen(count - 1), other.exponent + 1};
    } else {
        if (other.digits-- == PowerOfTen(count - 1)) other = {PowerOfTen(count) - 1, other.exponent - 1};
    }
    if (count == 1 && other.digits == 0) return false;
    if (ValueOf(other.digits, other.exponent, count) != magnitude) return false;
    found = other;
    return true;
}

Digits Trimmed(const Candidate& c) {
    Digits d{std::to_string(c.digits), c.exponent + 1};
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

Digits Shortest(double magnitude) {
    Candidate found;
    if (magnitude >= std::numeric_limits<double>::min()) {
        // A normal double's neighbours lie closer than half the spacing of
        // 15-digit decimals: a shorter text that reads back is the nearest
        // 15-digit one without its trailing zeros, and one of 16 or 17
        // digits is needed only when that does not read back.
        for (int count = 15; count <= 16; ++count)
            if (RoundTrip(magnitude, count, found)) return Trimmed(found);
        return Trimmed(Nearest(magnitude, 17));
    }
    // A subnormal's neighbours are farther apart: the least count, by halving.
    int low = 1, high = 17;
    found = Nearest(magnitude, 17);
    while (low < high) {
        const int middle = (low + high) / 2;
        Candidate c;
        if (RoundTrip(magnitude, middle, c)) {
            found = c;
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return Trimmed(found);
}

// In plain notation an integer is written whole, every digit exact (as
// printf's "%.0f"), not as its shortest digits padded with zeros.
std::string Plain(double magnitude, const Digits& d) {
    const int n = static_cast<int>(d.digits.size());
    std::string out;
    if (d.point <= 0) {
        out.append("0.").append(static_cast<std::size_t>(-d.point), '0').append(d.digits);
    } else if (d.point >= n) {
        char whole[400];
        std::snprintf(whole, sizeof whole, "%.0f", magnitude);
        out.append(whole);
    } else {
        const auto point = static_cast<std::size_t>(d.point);
        out.append(d.digits, 0, point).append(1, '.').append(d.digits, point);
    }
    return out;
}

std::string Scientific(const Digits& d) {
    std::string out(1, d.digits[0]);
    if (d.digits.size() > 1) out.append(1, '.').append(d.digits, 1);
    const int exponent = d.point - 1;
    out.append(exponent < 0 ? "e-" : "e+");
    if (std::abs(exponent) < 10) out.append(1, '0');
    return out.append(std::to_string(std::abs(exponent)));
}

// The text with the value's sign before it.
std::string Signed(double value, std::string_view text) {
    std::string out;
    if (std::signbit(value)) out.push_back('-');
    out.append(text);
    return out;
}

// Zero, infinity and NaN as std::to_chars writes them; none for other values.
const char* SpecialName(double value) {
    return value == 0 ? "0" : std::isinf(value) ? "inf" : std::isnan(value) ? "nan" : nullptr;
}

}  // namespace

std::string ShortestText(double value) {
    if (const char* name = SpecialName(value)) return Signed(value, name);
    const CNumbers numbers;
    const Digits d = Shortest(std::fabs(value));
    const std::string plain = Plain(std::fabs(value), d), scientific = Scientific(d);
    return Signed(value, scientific.size() < plain.size() ? scientific : plain);
}

std::string ShortestPlainText(double value) {
    if (const char* name = SpecialName(value)) return Signed(value, name);
    const CNumbers numbers;
    return Signed(value, Plain(std::fabs(value), Shortest(std::fabs(value))));
}

std::string FixedText(double value, int places) {
    if (!std::isfinite(value)) return Signed(value, SpecialName(value));
    const CNumbers numbers;
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return buffer;
}

}  // namespace printf_decimal

#if defined(__cpp_lib_to_chars)

bool ReadDouble(std::string_view text, double& value) {
    // std::from_chars also reads "inf", "nan" and their like; a number here has no letter but its exponent's.
    for (const char c : text)
        if (c != 'e' && c != 'E' && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    double read = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (error != std::errc{} || end != text.data() + text.size()) return false;
    value = read;
    return true;
}

namespace {

template <class... Format>
std::string ToChars(double value, Format... format) {
    char buffer[400];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, format...).ptr);
}

}  // namespace

std::string ShortestText(double value) { return ToChars(value); }
std::string ShortestPlainText(double value) { return ToChars(value, std::chars_format::fixed); }
std::string FixedText(double value, int places) { return ToChars(value, std::chars_format::fixed, places); }

#else

bool ReadDouble(std::string_view text, double& value) { return DoubleFromDecimalText(text, value) == DecimalParse::Ok; }

std::string ShortestText(double value) { return printf_decimal::ShortestText(value); }
std::string ShortestPlainText(double value) { return printf_decimal::ShortestPlainText(value); }
std::string FixedText(double value, int places) { return printf_decimal::FixedText(value, places); }

#endif

}  // namespace orvik
