#include "dxf/DxfWriter.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "dxf/NumberFormat.h"
#include "support/RealSamples.h"

namespace orvik {
namespace {

TEST(FormatReal, WritesTheGeneralFormWithFifteenDigits) {
    struct Case {
        long double value;
        const char* text;
    };
    const Case cases[] = {
        {841, "841"},
        {2.5L * 100, "250"},
        {0.7L * 1189, "832.3"},
        {1E20L, "1E20"},
        {0.00005L, "5E-5"},
        {0.0000125L, "1.25E-5"},
        {1E15L, "1E15"},
        {1E14L, "100000000000000"},
        {123456789012345678.0L, "1.23456789012346E17"},
        {-3.25L, "-3.25"},
        {0, "0"},
        {-0.0L, "0"},
        {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"},
        {0.0625L, "0.0625"},
        {0.0001L, "0.0001"},
        {0.000125L, "0.000125"},
        {1200, "1200"},
        {-1E20L, "-1E20"},
        {0.99999999999999999L, "1"},  // rounding carries into a new digit
        {999999999999999.9L, "1E15"},
        {static_cast<long double>(0.3f), "0.300000011920929"},  // a 32-bit value shows all 15 digits
        {2453431.5L, "2453431.5"},
        {6.283185307179586476925286766559L, "6.28318530717959"},
        {-12.6L, "-12.6"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatReal(c.value), c.text) << c.text;
}

// The rule spelled out on the exact decimal expansion, as a reference.
std::string ReferenceReal(long double value) {
    if (value == 0) return "0";
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 17).ptr;
    std::string digits;
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    int exponent = std::stoi(std::string(p + 1, static_cast<const char*>(end))) + 1;
    const bool up = digits[15] >= '5';
    digits.resize(15);
    for (int i = 14; up && i >= 0; --i) {
        if (digits[i] != '9') {
            ++digits[i];
            break;
        }
        digits[i] = '0';
        if (i == 0) {
            digits = std::string(1, '1') + digits.substr(0, 14);
            ++exponent;
        }
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = value < 0 ? "-" : "";
    if (exponent > 15 || exponent < -3)
        return out + digits[0] + (digits.size() > 1 ? std::string(1, '.') + digits.substr(1) : std::string()) + "E" +
               std::to_string(exponent - 1);
    if (exponent <= 0) return out + "0." + std::string(-exponent, '0') + digits;
    if (digits.size() <= static_cast<std::size_t>(exponent))
        return out + digits + std::string(exponent - digits.size(), '0');
    return out + digits.substr(0, exponent) + "." + digits.substr(exponent);
}

TEST(FormatReal, AgreesWithTheExactExpansionEverywhere) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> exponent(-8, 22), mantissa(1, 10);
    for (int i = 0; i < 200000; ++i) {
        long double v = mantissa(random) * std::pow(10.0L, std::floor(exponent(random)));
        if (i % 3 == 0) v = std::round(v * 1000) / 1000;  // few decimals, as rounded coordinates
        if (i % 5 == 0) v = static_cast<long double>(static_cast<float>(v));  // 32-bit values
        if (i % 2) v = -v;
        ASSERT_EQ(FormatReal(v), ReferenceReal(v)) << static_cast<double>(v) << " " << i;
    }
    // Halfway cases at the 16th digit and powers of ten at the edges.
    for (long double v : {0.1234567890123455L, 1.000000000000005L, 9.999999999999995L, 99999999999999.95L, 0.01L,
                          0.0099999999999999L, 1E15L, 999999999999999.4L, 1E-4L, 123456.7890123449999L})
        EXPECT_EQ(FormatReal(v), ReferenceReal(v)) << static_cast<double>(v);
}

TEST(FormatReal, FastPathAgreesWithTheExactOneOnHardValues) {
    // bench/ratios.sh runs the same comparison on 30 million values.
    std::mt19937_64 random(15);
    char fast[kMaxRealLength], exact[kMaxRealLength];
    for (std::uint64_t i = 0; i < 400000; ++i) {
        const long double v = testing::RealSample(random, i);
        ASSERT_EQ(std::string_view(fast, FormatRealTo(fast, v)), std::string_view(exact, FormatRealExactTo(exact, v)))
            << static_cast<double>(v) << " sample " << i;
    }
}

TEST(FormatHandleAndInt, PadAsDxfExpects) {
    const auto FormatInt = [](std::int64_t value, int width) {
        char buffer[24];
        return std::string(buffer, FormatIntTo(buffer, value, width));
    };
    EXPECT_EQ(FormatHandle(31), "1F");
    EXPECT_EQ(FormatHandle(80), "50");
    EXPECT_EQ(FormatHandle(256), "100");
    EXPECT_EQ(FormatHandle(5), "05");
    EXPECT_EQ(FormatInt(0, 6), "     0");
    EXPECT_EQ(FormatInt(-7, 6), "    -7");
    EXPECT_EQ(FormatInt(1234567, 6), "1234567");
}

std::vector<std::string> Lines(const DxfWriter& w) {
    std::vector<std::string> lines;
    const std::string& text = w.Text();
    std::size_t at = 0;
    while (at < text.size()) {
        const auto end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

using Lines_t = std::vector<std::string>;

TEST(DxfWriter, WritesGroupsAsTwoLines) {
    DxfWriter w;
    w.WriteGroup(0, "SECTION");
    w.WriteGroup(1001, "ACAD");
    w.WriteGroup(1, "");
    w.WriteGroup(330, "1F");
    w.WriteInt(70, 0);
    w.WriteInt(70, -7);
    w.WriteReal(10, 0.7L * 1189);
    w.WriteHandle(5, w.NextHandle());
    EXPECT_EQ(Lines(w), (Lines_t{"  0", "SECTION", "1001", "ACAD", "  1", "", "330", "1F", " 70", "     0", " 70",
                                 "    -7", " 10", "832.3", "  5", "50"}));
    EXPECT_EQ(w.Text().substr(0, 5), "  0\r\n");
}

TEST(DxfWriter, HandsOutHandlesFrom50) {
    DxfWriter w;
    std::int32_t handle = 0;
    for (int i = 0; i < 177; ++i) handle = w.NextHandle();
    EXPECT_EQ(FormatHandle(handle), "100");
}

TEST(Angles, NormaliseWithoutEverLowering) {
    EXPECT_EQ(NormalizeAngle(-90, 0, 0), 270);
    EXPECT_EQ(NormalizeAngle(360, 0, 0), 0);
    EXPECT_EQ(NormalizeAngle(720, 0, 0), 720);
    EXPECT_EQ(NormalizeAngle(0, 5, 0), 0);
    EXPECT_EQ(NormalizeAngle(-360, 5, 0), 0);
    EXPECT_TRUE(SameAngle(-90, 270));
    EXPECT_TRUE(SameAngle(0, 360));
    EXPECT_FALSE(SameAngle(0, 720));

    // Far below 0: the result of adding 360 one turn at a time, without the
    // wait (-1e300 took forever).
    for (const long double angle : {-1000.25L, -1080.0L, -12345.678L, -1e-30L - 720, -987654.321L}) {
        long double stepwise = angle;
        while (stepwise < 0) stepwise += 360;
        EXPECT_EQ(NormalizeAngle(angle, 0, 0), stepwise) << static_cast<double>(angle);
        EXPECT_FALSE(std::signbit(NormalizeAngle(angle, 0, 0)));
    }
    const long double huge = NormalizeAngle(-1e300L, 0, 0);
    EXPECT_TRUE(huge >= 0 && huge < 360);
    EXPECT_TRUE(std::isnan(NormalizeAngle(-std::numeric_limits<long double>::infinity(), 0, 0)));

    DxfWriter w;
    w.WriteRadians(42, 0, 360, 0);
    w.WriteRadians(41, 360, 0, 0);
    w.WriteDegrees(50, -90, 0);
    EXPECT_EQ(Lines(w), (Lines_t{" 42", "6.28318530717959", " 41", "0", " 50", "270"}));
}

TEST(DxfWriter, WritesControlBytesInCaretNotation) {
    struct Case {
        std::string value, written;
    };
    const Case cases[] = {
        {"plain ^J and ^ stay", "plain ^J and ^ stay"},  // no control byte: the bytes as they are
        {"a\nb", "a^Jb"},
        {"\r\n0\r\nLINE", "^M^J0^M^JLINE"},  // cannot start a forged record
        {"x^y\x1A\x07\x1B\t", "x^ y^Z^G^[^I"},  // a caret is written "^ " once escaping is on
        {"\x83\x5E\n", "\x83\x5E^J"},  // タ ends in 5E, which is no caret
        {std::string("\0", 1), "^@"},
    };
    for (const auto& c : cases) {
        DxfWriter w;
        w.WriteGroup(1, c.value);
        EXPECT_EQ(Lines(w), (Lines_t{"  1", c.written})) << c.written;
    }
}

TEST(DxfWriter, HandsTheSameTextToASinkInChunks) {
    struct CountingSink final : ByteSink {
        void Write(std::string_view bytes) override {
            text.append(bytes);
            ++calls;
        }
        std::string text;
        int calls = 0;
    };
    DxfWriter memory;
    CountingSink sink;
    DxfWriter streamed(&sink);
    for (int i = 0; i < 200000; ++i)
        for (DxfWriter* w : {&memory, &streamed}) w->WriteReal(10, i / 7.0L);
    streamed.Flush();
    EXPECT_GT(sink.calls, 1);
    EXPECT_TRUE(sink.text == memory.Text());
}

}  // namespace
}  // namespace orvik
