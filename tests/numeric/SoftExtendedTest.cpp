#include "numeric/Extended.h"
#include "numeric/SoftExtended.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>

namespace orvik {
namespace {

static_assert(std::numeric_limits<long double>::digits == 64, "the reference is the x87 80-bit format");

long double Hardware(SoftExtended v) {
    long double x = 0;
    std::memcpy(&x, &v.significand, 8);
    std::memcpy(reinterpret_cast<char*>(&x) + 8, &v.signAndExponent, 2);
    return x;
}

SoftExtended Soft(long double x) {
    SoftExtended v;
    std::memcpy(&v.significand, &x, 8);
    std::memcpy(&v.signAndExponent, reinterpret_cast<const char*>(&x) + 8, 2);
    return v;
}

// Operands where rounding goes wrong if it can: every exponent range (the
// subnormals and the overflow border most), significands of runs of ones,
// of zeros, and at random, and values close to each other.
class Operands {
public:
    SoftExtended Next() {
        const std::uint64_t pick = random_() % 16;
        int field;
        switch (pick % 4) {
            case 0: field = 16383 + static_cast<int>(random_() % 141) - 70; break;
            case 1: field = static_cast<int>(random_() % 70); break;
            case 2: field = 32766 - static_cast<int>(random_() % 70); break;
            default: field = static_cast<int>(random_() % 32767); break;
        }
        std::uint64_t significand;
        switch (pick / 4) {
            case 0: significand = ~std::uint64_t{0} << (random_() % 64); break;
            case 1: significand = ~std::uint64_t{0} >> (random_() % 64); break;
            default: significand = random_(); break;
        }
        significand = field == 0 ? significand & ~(std::uint64_t{1} << 63) : significand | std::uint64_t{1} << 63;
        return SoftExtended{significand, static_cast<std::uint16_t>((random_() % 2) << 15 | field)};
    }
    // A second operand: often a neighbour of the first, so that sums cancel.
    SoftExtended Near(SoftExtended a) {
        if (random_() % 2) return Next();
        SoftExtended b = a;
        b.significand += random_() % 5 - 2;
        if (random_() % 2) b.signAndExponent ^= 0x8000;
        const bool canonical = (FieldOf(b) == 0) == ((b.significand >> 63) == 0);
        return canonical ? b : a;
    }
    std::uint64_t Bits() { return random_(); }

private:
    static int FieldOf(SoftExtended v) { return v.signAndExponent & 0x7FFF; }
    std::mt19937_64 random_{20261208};
};

bool Same(SoftExtended soft, long double hardware) {
    return IsNaN(Soft(hardware)) ? IsNaN(soft) : soft == Soft(hardware);
}

TEST(SoftExtended, OperationsAgreeWithTheX87UnitBitForBit) {
    const SoftExtended specials[] = {
        Soft(0.0L),
        Soft(-0.0L),
        Soft(1.0L),
        Soft(-1.0L),
        Soft(std::numeric_limits<long double>::infinity()),
        Soft(-std::numeric_limits<long double>::infinity()),
        Soft(std::numeric_limits<long double>::quiet_NaN()),
        Soft(std::numeric_limits<long double>::denorm_min()),
        Soft(std::numeric_limits<long double>::min()),
        Soft(std::numeric_limits<long double>::max()),
        Soft(-std::numeric_limits<long double>::max()),
        Soft(std::numeric_limits<long double>::min() - std::numeric_limits<long double>::denorm_min()),
    };
    struct Case {
        const char* name;
        std::function<SoftExtended(SoftExtended, SoftExtended)> soft;
        std::function<long double(long double, long double)> hardware;
    };
    const Case cases[] = {
        {"+", Add, [](long double a, long double b) { return a + b; }},
        {"-", Subtract, [](long double a, long double b) { return a - b; }},
        {"*", Multiply, [](long double a, long double b) { return a * b; }},
        {"/", Divide, [](long double a, long double b) { return a / b; }},
    };
    for (const Case& c : cases) {
        Operands operands;
        int failures = 0;
        const auto check = [&](SoftExtended a, SoftExtended b) {
            if (failures < 5 && !Same(c.soft(a, b), c.hardware(Hardware(a), Hardware(b)))) {
                ++failures;
                ADD_FAILURE() << std::hexfloat << Hardware(a) << ' ' << c.name << ' ' << Hardware(b);
            }
        };
        for (const SoftExtended a : specials)
            for (const SoftExtended b : specials) check(a, b);
        for (int i = 0; i < 1'000'000; ++i) {
            const SoftExtended a = operands.Next();
            check(a, operands.Near(a));
        }
    }
}

TEST(SoftExtended, ComparisonsAndConversionsAgreeWithTheX87Unit) {
    Operands operands;
    int failures = 0;
    const auto expect = [&](bool same, const char* what, long double value) {
        if (!same && failures++ < 5) ADD_FAILURE() << what << ' ' << std::hexfloat << value;
    };
    for (int i = 0; i < 1'000'000; ++i) {
        const SoftExtended a = operands.Next(), b = operands.Near(a);
        const long double x = Hardware(a), y = Hardware(b);
        expect(Compare(a, b) == (x < y ? -1 : x > y ? 1 : x == y ? 0 : 2), "compare", x);
        const double d = static_cast<double>(x);
        expect(std::bit_cast<std::uint64_t>(ToDouble(a)) == std::bit_cast<std::uint64_t>(d) ||
                   (d != d && ToDouble(a) != ToDouble(a)),
               "to double", x);
        const float f = static_cast<float>(x);
        expect(std::bit_cast<std::uint32_t>(ToFloat(a)) == std::bit_cast<std::uint32_t>(f) ||
                   (f != f && ToFloat(a) != ToFloat(a)),
               "to float", x);
        const double random = std::bit_cast<double>(operands.Bits());
        expect(Same(FromDouble(random), static_cast<long double>(random)), "from double", random);
        const auto integer = static_cast<std::int64_t>(operands.Bits()) >> (operands.Bits() % 64);
        expect(Same(FromInt64(integer), static_cast<long double>(integer)), "from integer",
               static_cast<long double>(integer));
    }
}

TEST(SoftExtended, TheLibraryFunctionsAgreeWithTheX87Unit) {
    Operands operands;
    int failures = 0;
    const auto expect = [&](bool same, const char* what, long double value) {
        if (!same && failures++ < 5) ADD_FAILURE() << what << ' ' << std::hexfloat << value;
    };
    for (int i = 0; i < 300'000; ++i) {  // fmod of far-apart exponents is slow in the C library
        const SoftExtended a = operands.Next(), b = operands.Near(a);
        const long double x = Hardware(a), y = Hardware(b);
        expect(Same(SquareRoot(a), std::sqrt(x)), "sqrt", x);
        expect(Same(RoundHalfAwayFromZero(a), RoundHalfAway(x)), "round half away", x);
        expect(Same(Fmod(a, b), std::fmod(x, y)), "fmod", x);
        int softExponent = 0, exponent = 0;
        const SoftExtended fraction = Fraction(a, softExponent);
        const long double hardwareFraction = std::frexp(x, &exponent);
        expect(Same(fraction, hardwareFraction) && (softExponent == exponent || !std::isfinite(x)), "frexp", x);
        const int n = static_cast<int>(operands.Bits() % 4001) - 2000;
        expect(Same(Scale(a, n), std::ldexp(x, n)), "ldexp", x);
        // Truncation within each type's range.
        const long double wide = std::ldexp(x, -static_cast<int>(operands.Bits() % 16400));
        if (std::fabs(wide) < 0x1p63L) expect(ToInt64(Soft(wide)) == static_cast<std::int64_t>(wide), "to int64", wide);
        if (wide >= 0 && wide < 0x1p64L)
            expect(ToUint64(Soft(wide)) == static_cast<std::uint64_t>(wide), "to uint64", wide);
    }
}

// The digits the C library prints: 18 significant ones rounded, as the DXF
// writer takes them.
TEST(SoftExtended, DecimalDigitsAreThoseTheCLibraryPrints) {
    Operands operands;
    int failures = 0;
    const auto check = [&](SoftExtended a) {
        const long double x = std::fabs(Hardware(a));
        if (!std::isfinite(x) || x == 0) return;
        char text[64];
        const auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::scientific, 17).ptr;
        std::uint64_t digits = 0;
        const char* p = text;
        for (; p < end && *p != 'e'; ++p)
            if (*p != '.') digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        const int exponent = std::stoi(std::string(p + 1, static_cast<const char*>(end))) + 1;
        const DecimalDigits d = ToDecimal(a, 18);
        if ((d.digits != digits || d.exponent != exponent) && failures++ < 5)
            ADD_FAILURE() << std::string_view(text, static_cast<std::size_t>(end - text)) << " made " << d.digits << "e"
                          << d.exponent;
    };
    // Ties at the 18th digit go to the even neighbour: down, then up.
    for (const std::int64_t tie : {1000000000000000005LL, 1000000000000000015LL, -1000000000000000025LL})
        check(FromInt64(tie));
    for (int i = 0; i < 5'000; ++i) check(operands.Next());  // the far exponents make numbers of thousands of digits
}

// Decimal text into a long double and into a double, each as the standard
// library reads it.
TEST(SoftExtended, DecimalTextReadsAsTheCLibraryReadsIt) {
    std::mt19937_64 random(7);
    int failures = 0;
    const auto check = [&](const std::string& text) {
        const char* const first = text.data();
        const char* const last = first + text.size();
        long double expected = 0;
        const auto [end, error] = std::from_chars(first, last, expected);
        SoftExtended value;
        const DecimalParse parse = FromDecimalText(text, value);
        const bool same = error == std::errc{} && end == last ? parse == DecimalParse::Ok && value == Soft(expected)
                                                              : parse != DecimalParse::Ok;
        double expectedDouble = 0, valueDouble = 0;
        const auto [endDouble, errorDouble] = std::from_chars(first, last, expectedDouble);
        const DecimalParse parseDouble = DoubleFromDecimalText(text, valueDouble);
        const bool sameDouble =
            errorDouble == std::errc{} && endDouble == last
                ? parseDouble == DecimalParse::Ok &&
                      std::bit_cast<std::uint64_t>(valueDouble) == std::bit_cast<std::uint64_t>(expectedDouble)
                : parseDouble != DecimalParse::Ok;
        if (!(same && sameDouble) && failures++ < 5) ADD_FAILURE() << text << (same ? " (double)" : " (extended)");
    };
    // Ties between neighbours go to the even one; the borders of both
    // formats' ranges; syntax the reader refuses.
    for (const char* text : {"18446744073709551617",
                             "18446744073709551619",
                             "36893488147419103235",
                             "9007199254740993",
                             "9007199254740995",
                             "1e4932",
                             "1e-4951",
                             "1.7976931348623157e308",
                             "1.7976931348623158e308",
                             "1.7976931348623159e308",
                             "2.2250738585072011e-308",
                             "2.2250738585072014e-308",
                             "4.9e-324",
                             "2.4e-324",
                             "2.5e-324",
                             "0.000",
                             "-0",
                             "",
                             "-",
                             ".",
                             "1e",
                             "1e+",
                             "1.2.3",
                             "+1",
                             " 1",
                             "1 ",
                             "0x10",
                             "1"
                             "00000000000000000000000000000000000000000000000000000000000000000000000000001e-80"})
        check(text);
    // Unlike the C library's, no infinity or NaN by name: a scale is a number.
    SoftExtended named;
    double namedDouble;
    for (const char* name : {"inf", "nan"}) {
        EXPECT_EQ(FromDecimalText(name, named), DecimalParse::NotANumber);
        EXPECT_EQ(DoubleFromDecimalText(name, namedDouble), DecimalParse::NotANumber);
    }
    for (const int exponentRange : {9900, 660}) {
        for (int i = 0; i < 20'000; ++i) {
            std::string text = random() % 2 ? "-" : "";
            const int digits = 1 + static_cast<int>(random() % 40);
            const int point = static_cast<int>(random() % (digits + 1));
            for (int d = 0; d < digits; ++d) {
                if (d == point && d > 0) text += '.';
                text += static_cast<char>('0' + random() % 10);
            }
            if (random() % 2) {
                text += 'e';
                text += std::to_string(static_cast<int>(random() % exponentRange) - exponentRange / 2);
            }
            check(text);
        }
    }
}

}  // namespace
}  // namespace orvik
