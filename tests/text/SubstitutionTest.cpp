#include "text/Substitution.h"

#include <gtest/gtest.h>

#include "text/Cp932.h"

namespace orvik {
namespace {

struct Case {
    std::string input;  // UTF-8, or raw CP932 when `raw`
    std::string expected;  // UTF-8
    bool raw = false;
};

std::string Input(const Case& c) { return c.raw ? c.input : Utf8ToCp932(c.input); }

TEST(ReplaceAll, MatchesOnlyOnCharacterBoundaries) {
    struct Row {
        std::string text, pattern, replacement, expected;
    };
    const Row rows[] = {
        {"a\\b\\", "\\", "", "ab"},
        {"\x95\x5C\x5C", "\\", "", "\x95\x5C"},  // 表 then a backslash: only the latter goes
        {"\x83\x5C", "\\", "-", "\x83\x5C"},  // ソ keeps its second byte
        {"\x83\x5E\x75", "^u", "", "\x83\x5E\x75"},  // タ then u is not ^u
        {"\x83\x5E^u", "^u", "", "\x83\x5E"},
        {"aaaa", "aa", "a", "aa"},  // no overlap, replacement not searched again
        {"abc", "x", "y", "abc"},
        {"", "a", "b", ""},
        {"\x81", "\x81", "!", "!"},  // a lone lead byte at the end is one character
    };
    for (const auto& r : rows) EXPECT_EQ(ReplaceAll(r.text, r.pattern, r.replacement), r.expected) << r.text;
}

TEST(LayerNameForDxf, MakesDxfLayerNames) {
    const Case cases[] = {
        {"ｶﾞｿﾘﾝ", "ガソリン"},
        {"①-A", "1-A"},
        {"Ⅳ_壁", "IV_壁"},
        {"㎜", "MM"},
        {"㈱ABC", "株ABC"},
        {"㌶", "ヘクタール"},
        {"1F (ﾒｲﾝ)", "1Fメイン"},
        {"ﾊﾟｲﾌﾟ", "パイプ"},
        {" !\"#%&'()*+,./:;<=>?@[]\\^{|}~", ""},
        {"　！”＃％＆’（）＊＋，．／：；＜＝＞？＠「」￥＾｛｜｝～", ""},
        {"$-_", "$-_"},
        {"表示", "表示"},
        {"ｧｰﾞ", "ｧｰﾞ"},  // not in the table
        {"⑳", "20"},
        {"a`b", "ab"},  // a backquote would make the file unreadable
        {"a\x01\x1F"
         "b",
         "ab", true},
        {"a\x7F"
         "b",
         "ab", true},  // DEL
        {"AB\x82", "AB", true},  // a lead byte without its second byte
        {"A\x82\x01"
         "B",
         "AB", true},
        {"\x81\x40X\x81\x40", "X", true},
        {"\xF0\x7D"
         "A",
         "A", true},  // a user-defined character is dropped
        {"\xFA\x4A", "\xE2\x85\xA0", true},  // Ⅰ under its IBM code passes
        {"\xFA\x58\xFA\x59\xFA\x5A", "㈱№℡", true},
    };
    for (const auto& c : cases) EXPECT_EQ(Cp932ToUtf8(LayerNameForDxf(Input(c))), c.expected) << c.input;
}

TEST(TextForDxf, MakesDxfTextValues) {
    const Case cases[] = {
        {"①", "(1)"},
        {"⑳番", "(20)番"},
        {"Ⅰ", "Ｉ"},
        {"Ⅱ", "II"},
        {"Ⅹ", "Ｘ"},
        {"10㎜", "10mm"},
        {"㈱ABC", "(株)ABC"},
        {"㌶", "ヘクタル"},
        {"45^uﾛ", "45ﾟ"},
        {"X^u2^d", "X2"},
        {"注記・・", "注記"},
        {"・", "・"},
        {"・・", "・"},
        {"A･", "A"},
        {"A･・･", "A"},
        {"ｶﾞ 1F", "ｶﾞ 1F"},  // texts keep half-width kana and blanks
        {"\xFA\x58", "㈱", true},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Cp932ToUtf8(TextForDxf(Input(c))), c.expected) << c.input;
}

TEST(EscapeControlBytes, ControlsBecomeCaretsThatReadBack) {
    const std::pair<std::string, std::string> cases[] = {
        {"A\x1B[2J\x07", "A^[[2J^G"},
        {"a^b\x07", "a^ b^G"},
        {"\x83\x5E", "\x83\x5E"},  // タ: its second byte is no caret
        {"\x83\x1B", "?^["},  // a lead byte alone would swallow the caret
        {std::string("\x83\0", 2), "?^@"},
        {"\x83", "\x83"},
    };
    for (const auto& [text, escaped] : cases) EXPECT_EQ(EscapeControlBytes(text), escaped) << text;
}

}  // namespace
}  // namespace orvik
