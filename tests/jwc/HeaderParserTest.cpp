#include "jwc/HeaderParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace orvik {
namespace {

using namespace std::string_literals;

TEST(SplitFields, FollowsTheCommaRules) {
    struct Case {
        std::string block;
        int n;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"1,2,3", 3, {"1", "2", "3"}},
        {"1,2", 4, {"1", "2", "0", "0"}},  // missing fields read as "0"
        {"1,2,3,4,5", 3, {"1", "2", "3"}},  // text after the n-th field is ignored
        {"1,,3", 3, {"1", "", "3"}},  // an empty field is kept for the converter to refuse
        {"1,2,", 3, {"1", "2", "0"}},  // a comma at the very end ends the text
        {"1,2\0\0\0"s, 3, {"1", "2\0\0\0"s, "0"}},  // the last field runs to the block's end
        {"1,\0\0"s, 3, {"1", "\0\0"s, "0"}},  // a field of NUL bytes only
        {" 7 , 8", 2, {" 7 ", " 8"}},  // nothing is trimmed
        {"", 2, {"", "0"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitFields(c.block, c.n), c.fields) << c.block;
}

TEST(ParseIntegerField, AcceptsOnlyDecimalIntegersThatFit32Bits) {
    struct Case {
        std::string text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"  42", 42},
        {"+42", 42},
        {"-42", -42},
        {"518\0\0\0"s, 518},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"42 ", std::nullopt},  // a trailing space is not allowed
        {"4 2", std::nullopt},
        {"", std::nullopt},
        {"\0\0"s, std::nullopt},
        {"-", std::nullopt},
        {"1.0", std::nullopt},
        {"0x10", std::nullopt},
        {"- 1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIntegerField(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseRealField, AcceptsDecimalRealsInTheSingleRange) {
    struct Case {
        std::string text;
        std::optional<float> value;
    };
    const Case cases[] = {
        {"1.0", 1.0f},
        {"  -2.5  ", -2.5f},
        {"+3", 3.0f},
        {"5.", 5.0f},
        {".25", 0.25f},
        {"1E3", 1000.0f},
        {"1.5e-2", 0.015f},
        {"2E+2", 200.0f},
        {"0.1\0\0"s, 0.1f},
        {"1e-50", 0.0f},  // below the single range: zero
        {"3.4e38", 3.4e38f},
        {"1e39", std::nullopt},  // above it: refused
        {"1e99999", std::nullopt},
        {"", std::nullopt},
        {".", std::nullopt},
        {"e5", std::nullopt},
        {"1e", std::nullopt},
        {"1.0x", std::nullopt},
        {"1,0", std::nullopt},
        {"- 1", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseRealField(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseRealField, RoundsThroughExtendedPrecisionToSingle) {
    // 0.1 is not exact in binary; the 32-bit field holds the nearest single.
    EXPECT_EQ(ParseRealField("0.1"), 0.1f);
    EXPECT_EQ(ParseRealField("16777217"), 16777216.0f);
}

TEST(ParseAddressField, ReadsSegmentAndOffsetAsALinearAddress) {
    struct Case {
        std::string text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"6000:0000", 0x60000},
        {"6000:0010", 0x60010},
        {"0010:0000", 0x100},
        {"0000:0100", 0x100},
        {"ffff:ffff", 0xFFFF * 16 + 0xFFFF},
        {"6000-0000", 0x60000},  // the separator is not looked at
        {"6000:00", 0x60000},  // a short offset still converts
        {"6000:0001junk", 0x60001},  // characters after the ninth are not looked at
        {"6000:0000\0\0"s, 0x60000},
        {"0", std::nullopt},  // too short for segment and offset
        {"6000:", std::nullopt},
        {"60G0:0000", std::nullopt},
        {"6000:00 0", std::nullopt},
        {"\0\0\0\0\0\0\0\0\0"s, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseAddressField(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace orvik
