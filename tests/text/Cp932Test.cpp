#include "text/Cp932.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

using namespace std::string_literals;

TEST(Cp932, ConvertsBothWays) {
    struct Case {
        std::string cp932, utf8;
    };
    const Case cases[] = {
        {"", ""},
        {"plain ASCII 123", "plain ASCII 123"},
        {"\x95\xC7", "壁"},
        {"\xBC\xC2\xD2\xB2", "ｼﾂﾒｲ"},  // half-width katakana
        {"\x87\x40\x87\x54", "①Ⅰ"},  // NEC special characters
        {"\x81\x60\x81\x7C", "～－"},  // the Windows mappings, not JIS X 0208's
        {"\x92\xBC\x90\xFC\x82\xCC\x90\x94\x81\x40 = ", "直線の数　 = "},
        {"a\0b"s, "a\0b"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932);
    }
}

TEST(Cp932, InvalidInputIsReplacedNotDropped) {
    EXPECT_EQ(Cp932ToUtf8("A\x81"), "A\xEF\xBF\xBD");  // a lead byte cut off at the end
    EXPECT_EQ(Cp932ToUtf8("\xFF"
                          "B"),
              "\xEF\xBF\xBD"
              "B");  // not a CP932 byte
    EXPECT_EQ(Utf8ToCp932("x\xE2\x82\xAC"
                          "y"),
              "x?y");  // the euro sign has no CP932 code
    EXPECT_EQ(Utf8ToCp932("\xC3"
                          "A"),
              "?A");  // broken UTF-8
}

TEST(Cp932, HandlesLongInput) {
    std::string cp932, utf8;
    for (int i = 0; i < 5000; ++i) {
        cp932 += "\x95\xC7x";
        utf8 += "壁x";
    }
    EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
    EXPECT_EQ(Utf8ToCp932(utf8), cp932);
}

}  // namespace
}  // namespace orvik
