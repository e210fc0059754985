// The tables that stand in for iconv where there is none give iconv's
// results for every input: each byte and byte pair with what follows it,
// each character, and UTF-8 broken in each way.
#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "text/Cp932Tables.h"

namespace orvik {
namespace {

TEST(Cp932Tables, DecodeAsIconvDoes) {
    for (int lead = 0; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            for (const std::string_view after : {"", "A", "\x82"}) {
                std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
                bytes += after;
                ASSERT_EQ(cp932_tables::ToUtf8(bytes), Cp932ToUtf8(bytes)) << lead << ' ' << trail;
            }
        }
        const std::string alone(1, static_cast<char>(lead));
        ASSERT_EQ(cp932_tables::ToUtf8(alone), Cp932ToUtf8(alone)) << lead;
    }
}

std::string Utf8Of(char32_t c) {
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    if (c < 0x800) return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}

TEST(Cp932Tables, EncodeAsIconvDoes) {
    const auto same = [](const std::string& utf8) {
        std::size_t byTable = 0, byIconv = 0;
        const std::string table = cp932_tables::FromUtf8(utf8, &byTable);
        return table == Utf8ToCp932(utf8, &byIconv) && byTable == byIconv;
    };
    // Every character, each between two others (surrogates and values past
    // U+10FFFF written as if they were characters).
    for (char32_t c = 0; c < 0x110100; ++c) {
        std::string text(1, 'a');
        text.append(Utf8Of(c)).append("\xE5\xA3\x81");
        ASSERT_TRUE(same(text)) << std::hex << static_cast<std::uint32_t>(c);
    }
    // Every sequence of up to three bytes that starts above ASCII, cut off or
    // overlong or with a stray byte, and four-byte leads with each second byte.
    for (int first = 0x80; first < 0x100; ++first) {
        for (int second = 0; second < 0x100; ++second) {
            const std::string two{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_TRUE(same(two)) << first << ' ' << second;
            ASSERT_TRUE(same(two + "\x80\x80")) << first << ' ' << second;
            if (first < 0xE0 || first >= 0xF0 || (second & 0xC0) != 0x80) continue;
            for (int third = 0; third < 0x100; ++third)
                ASSERT_TRUE(same(two + static_cast<char>(third))) << first << ' ' << second << ' ' << third;
        }
    }
}

}  // namespace
}  // namespace orvik
