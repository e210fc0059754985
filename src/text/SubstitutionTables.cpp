#include "text/SubstitutionTables.h"

// Every pattern and replacement is a CP932 byte string; the comments show
// the characters.

namespace orvik::substitution {

// Half-width kana with a voiced or semi-voiced mark, to one full-width kana.
// These come before the plain kana so that ｶﾞ becomes ガ, not カﾞ.
const Replacement kKanaVoiced[] = {
    {"\xB6\xDE", "\x83\x4B"},  // ｶﾞ -> ガ
    {"\xB7\xDE", "\x83\x4D"},  // ｷﾞ -> ギ
    {"\xB8\xDE", "\x83\x4F"},  // ｸﾞ -> グ
    {"\xB9\xDE", "\x83\x51"},  // ｹﾞ -> ゲ
    {"\xBA\xDE", "\x83\x53"},  // ｺﾞ -> ゴ
    {"\xBB\xDE", "\x83\x55"},  // ｻﾞ -> ザ
    {"\xBC\xDE", "\x83\x57"},  // ｼﾞ -> ジ
    {"\xBD\xDE", "\x83\x59"},  // ｽﾞ -> ズ
    {"\xBE\xDE", "\x83\x5B"},  // ｾﾞ -> ゼ
    {"\xBF\xDE", "\x83\x5D"},  // ｿﾞ -> ゾ
    {"\xC0\xDE", "\x83\x5F"},  // ﾀﾞ -> ダ
    {"\xC1\xDE", "\x83\x61"},  // ﾁﾞ -> ヂ
    {"\xC2\xDE", "\x83\x64"},  // ﾂﾞ -> ヅ
    {"\xC3\xDE", "\x83\x66"},  // ﾃﾞ -> デ
    {"\xC4\xDE", "\x83\x68"},  // ﾄﾞ -> ド
    {"\xCA\xDE", "\x83\x6F"},  // ﾊﾞ -> バ
    {"\xCB\xDE", "\x83\x72"},  // ﾋﾞ -> ビ
    {"\xCC\xDE", "\x83\x75"},  // ﾌﾞ -> ブ
    {"\xCD\xDE", "\x83\x78"},  // ﾍﾞ -> ベ
    {"\xCE\xDE", "\x83\x7B"},  // ﾎﾞ -> ボ
    {"\xCA\xDF", "\x83\x70"},  // ﾊﾟ -> パ
    {"\xCB\xDF", "\x83\x73"},  // ﾋﾟ -> ピ
    {"\xCC\xDF", "\x83\x76"},  // ﾌﾟ -> プ
    {"\xCD\xDF", "\x83\x79"},  // ﾍﾟ -> ペ
    {"\xCE\xDF", "\x83\x7C"},  // ﾎﾟ -> ポ
};

// Half-width kana to full-width kana. The small vowels, the prolonged sound
// mark, lone voicing marks and the half-width punctuation are not here.
const Replacement kKanaPlain[] = {
    {"\xB1", "\x83\x41"},  // ｱ -> ア
    {"\xB2", "\x83\x43"},  // ｲ -> イ
    {"\xB3", "\x83\x45"},  // ｳ -> ウ
    {"\xB4", "\x83\x47"},  // ｴ -> エ
    {"\xB5", "\x83\x49"},  // ｵ -> オ
    {"\xB6", "\x83\x4A"},  // ｶ -> カ
    {"\xB7", "\x83\x4C"},  // ｷ -> キ
    {"\xB8", "\x83\x4E"},  // ｸ -> ク
    {"\xB9", "\x83\x50"},  // ｹ -> ケ
    {"\xBA", "\x83\x52"},  // ｺ -> コ
    {"\xBB", "\x83\x54"},  // ｻ -> サ
    {"\xBC", "\x83\x56"},  // ｼ -> シ
    {"\xBD", "\x83\x58"},  // ｽ -> ス
    {"\xBE", "\x83\x5A"},  // ｾ -> セ
    {"\xBF", "\x83\x5C"},  // ｿ -> ソ
    {"\xC0", "\x83\x5E"},  // ﾀ -> タ
    {"\xC1", "\x83\x60"},  // ﾁ -> チ
    {"\xC2", "\x83\x63"},  // ﾂ -> ツ
    {"\xAF", "\x83\x62"},  // ｯ -> ッ
    {"\xC3", "\x83\x65"},  // ﾃ -> テ
    {"\xC4", "\x83\x67"},  // ﾄ -> ト
    {"\xC5", "\x83\x69"},  // ﾅ -> ナ
    {"\xC6", "\x83\x6A"},  // ﾆ -> ニ
    {"\xC7", "\x83\x6B"},  // ﾇ -> ヌ
    {"\xC8", "\x83\x6C"},  // ﾈ -> ネ
    {"\xC9", "\x83\x6D"},  // ﾉ -> ノ
    {"\xCA", "\x83\x6E"},  // ﾊ -> ハ
    {"\xCB", "\x83\x71"},  // ﾋ -> ヒ
    {"\xCC", "\x83\x74"},  // ﾌ -> フ
    {"\xCD", "\x83\x77"},  // ﾍ -> ヘ
    {"\xCE", "\x83\x7A"},  // ﾎ -> ホ
    {"\xCF", "\x83\x7D"},  // ﾏ -> マ
    {"\xD0", "\x83\x7E"},  // ﾐ -> ミ
    {"\xD1", "\x83\x80"},  // ﾑ -> ム
    {"\xD2", "\x83\x81"},  // ﾒ -> メ
    {"\xD3", "\x83\x82"},  // ﾓ -> モ
    {"\xD4", "\x83\x84"},  // ﾔ -> ヤ
    {"\xAC", "\x83\x83"},  // ｬ -> ャ
    {"\xD5", "\x83\x86"},  // ﾕ -> ユ
    {"\xAD", "\x83\x85"},  // ｭ -> ュ
    {"\xD6", "\x83\x88"},  // ﾖ -> ヨ
    {"\xAE", "\x83\x87"},  // ｮ -> ョ
    {"\xD7", "\x83\x89"},  // ﾗ -> ラ
    {"\xD8", "\x83\x8A"},  // ﾘ -> リ
    {"\xD9", "\x83\x8B"},  // ﾙ -> ル
    {"\xDA", "\x83\x8C"},  // ﾚ -> レ
    {"\xDB", "\x83\x8D"},  // ﾛ -> ロ
    {"\xDC", "\x83\x8F"},  // ﾜ -> ワ
    {"\xA6", "\x83\x92"},  // ｦ -> ヲ
    {"\xDD", "\x83\x93"},  // ﾝ -> ン
};

// Spaces and punctuation that a layer name must not keep. "$", "-", "_" stay.
const Replacement kLayerPunctuation[] = {
    {" ", ""},  // space deleted
    {"!", ""},  // ! deleted
    {"\x22", ""},  // double quotation mark deleted
    {"#", ""},  // # deleted
    {"%", ""},  // % deleted
    {"&", ""},  // & deleted
    {"'", ""},  // apostrophe deleted
    {"(", ""},  // ( deleted
    {")", ""},  // ) deleted
    {"*", ""},  // * deleted
    {"+", ""},  // + deleted
    {",", ""},  // , deleted
    {".", ""},  // . deleted
    {"/", ""},  // / deleted
    {":", ""},  // : deleted
    {";", ""},  // ; deleted
    {"<", ""},  // < deleted
    {"=", ""},  // = deleted
    {">", ""},  // > deleted
    {"?", ""},  // ? deleted
    {"@", ""},  // @ deleted
    {"[", ""},  // [ deleted
    {"]", ""},  // ] deleted
    {"\x5C", ""},  // backslash (yen sign) deleted
    {"^", ""},  // ^ deleted
    {"{", ""},  // { deleted
    {"|", ""},  // | deleted
    {"}", ""},  // } deleted
    {"~", ""},  // ~ deleted
    {"\x81\x40", ""},  // 　 deleted
    {"\x81\x49", ""},  // ！ deleted
    {"\x81\x68", ""},  // ” deleted
    {"\x81\x94", ""},  // ＃ deleted
    {"\x81\x93", ""},  // ％ deleted
    {"\x81\x95", ""},  // ＆ deleted
    {"\x81\x66", ""},  // ’ deleted
    {"\x81\x69", ""},  // （ deleted
    {"\x81\x6A", ""},  // ） deleted
    {"\x81\x96", ""},  // ＊ deleted
    {"\x81\x7B", ""},  // ＋ deleted
    {"\x81\x43", ""},  // ， deleted
    {"\x81\x44", ""},  // ． deleted
    {"\x81\x5E", ""},  // ／ deleted
    {"\x81\x46", ""},  // ： deleted
    {"\x81\x47", ""},  // ； deleted
    {"\x81\x83", ""},  // ＜ deleted
    {"\x81\x81", ""},  // ＝ deleted
    {"\x81\x84", ""},  // ＞ deleted
    {"\x81\x48", ""},  // ？ deleted
    {"\x81\x97", ""},  // ＠ deleted
    {"\x81\x75", ""},  // 「 deleted
    {"\x81\x76", ""},  // 」 deleted
    {"\x81\x8F", ""},  // ￥ deleted
    {"\x81\x4F", ""},  // ＾ deleted
    {"\x81\x6F", ""},  // ｛ deleted
    {"\x81\x62", ""},  // ｜ deleted
    {"\x81\x70", ""},  // ｝ deleted
    {"\x81\x60", ""},  // ～ deleted
};

// Circled numbers to plain digits (layer names).
const Replacement kCircledToDigits[] = {
    {"\x87\x40", "1"},  // ① -> 1
    {"\x87\x41", "2"},  // ② -> 2
    {"\x87\x42", "3"},  // ③ -> 3
    {"\x87\x43", "4"},  // ④ -> 4
    {"\x87\x44", "5"},  // ⑤ -> 5
    {"\x87\x45", "6"},  // ⑥ -> 6
    {"\x87\x46", "7"},  // ⑦ -> 7
    {"\x87\x47", "8"},  // ⑧ -> 8
    {"\x87\x48", "9"},  // ⑨ -> 9
    {"\x87\x49", "10"},  // ⑩ -> 10
    {"\x87\x4A", "11"},  // ⑪ -> 11
    {"\x87\x4B", "12"},  // ⑫ -> 12
    {"\x87\x4C", "13"},  // ⑬ -> 13
    {"\x87\x4D", "14"},  // ⑭ -> 14
    {"\x87\x4E", "15"},  // ⑮ -> 15
    {"\x87\x4F", "16"},  // ⑯ -> 16
    {"\x87\x50", "17"},  // ⑰ -> 17
    {"\x87\x51", "18"},  // ⑱ -> 18
    {"\x87\x52", "19"},  // ⑲ -> 19
    {"\x87\x53", "20"},  // ⑳ -> 20
};

// Roman numerals to ASCII capitals (layer names).
const Replacement kRomanToAscii[] = {
    {"\x87\x54", "I"},  // Ⅰ -> I
    {"\x87\x55", "II"},  // Ⅱ -> II
    {"\x87\x56", "III"},  // Ⅲ -> III
    {"\x87\x57", "IV"},  // Ⅳ -> IV
    {"\x87\x58", "V"},  // Ⅴ -> V
    {"\x87\x59", "VI"},  // Ⅵ -> VI
    {"\x87\x5A", "VII"},  // Ⅶ -> VII
    {"\x87\x5B", "VIII"},  // Ⅷ -> VIII
    {"\x87\x5C", "IX"},  // Ⅸ -> IX
    {"\x87\x5D", "X"},  // Ⅹ -> X
};

// Unit and era ligatures and enclosed characters: the replacement for layer
// names, then the one for texts.
const Ligature kLigatures[] = {
    {"\x87\x5F", "\x83\x7E\x83\x8A", "\x83\x7E\x83\x8A"},  // ㍉ -> ミリ / ミリ
    {"\x87\x60", "\x83\x4C\x83\x8D", "\x83\x4C\x83\x8D"},  // ㌔ -> キロ / キロ
    {"\x87\x61", "\x83\x5A\x83\x93\x83\x60", "\x83\x5A\x83\x93\x83\x60"},  // ㌢ -> センチ / センチ
    {"\x87\x62", "\x83\x81\x81\x5B\x83\x67\x83\x8B", "\x83\x81\x81\x5B\x83\x67\x83\x8B"},  // ㍍ -> メートル / メートル
    {"\x87\x63", "\x83\x4F\x83\x89\x83\x80", "\x83\x4F\x83\x89\x83\x80"},  // ㌘ -> グラム / グラム
    {"\x87\x64", "\x83\x67\x83\x93", "\x83\x67\x83\x93"},  // ㌧ -> トン / トン
    {"\x87\x65", "\x83\x41\x81\x5B\x83\x8B", "\x83\x41\x81\x5B\x83\x8B"},  // ㌃ -> アール / アール
    {"\x87\x66", "\x83\x77\x83\x4E\x83\x5E\x81\x5B\x83\x8B",
     "\x83\x77\x83\x4E\x83\x5E\x83\x8B"},  // ㌶ -> ヘクタール / ヘクタル
    {"\x87\x67", "\x83\x8A\x83\x62\x83\x67\x83\x8B", "\x83\x8A\x83\x62\x83\x67\x83\x8B"},  // ㍑ -> リットル / リットル
    {"\x87\x68", "\x83\x8F\x83\x62\x83\x67", "\x83\x8F\x83\x62\x83\x67"},  // ㍗ -> ワット / ワット
    {"\x87\x69", "\x83\x4A\x83\x8D\x83\x8A\x81\x5B", "\x83\x4A\x83\x8D\x83\x8A\x81\x5B"},  // ㌍ -> カロリー / カロリー
    {"\x87\x6A", "\x83\x68\x83\x8B", "\x83\x68\x83\x8B"},  // ㌦ -> ドル / ドル
    {"\x87\x6B", "\x83\x5A\x83\x93\x83\x67", "\x83\x5A\x83\x93\x83\x67"},  // ㌣ -> セント / セント
    {"\x87\x6C", "\x83\x70\x81\x5B\x83\x5A\x83\x93\x83\x67",
     "\x83\x70\x81\x5B\x83\x5A\x83\x93\x83\x67"},  // ㌫ -> パーセント / パーセント
    {"\x87\x6D", "\x83\x7E\x83\x8A\x83\x6F\x81\x5B\x83\x8B",
     "\x83\x7E\x83\x8A\x83\x6F\x81\x5B\x83\x8B"},  // ㍊ -> ミリバール / ミリバール
    {"\x87\x6E", "\x83\x79\x81\x5B\x83\x57", "\x83\x79\x81\x5B\x83\x57"},  // ㌻ -> ページ / ページ
    {"\x87\x6F", "MM", "mm"},  // ㎜ -> MM / mm
    {"\x87\x70", "CM", "cm"},  // ㎝ -> CM / cm
    {"\x87\x71", "KM", "km"},  // ㎞ -> KM / km
    {"\x87\x72", "MG", "mg"},  // ㎎ -> MG / mg
    {"\x87\x73", "KG", "kg"},  // ㎏ -> KG / kg
    {"\x87\x74", "CC", "cc"},  // ㏄ -> CC / cc
    {"\x87\x75", "M2", "m2"},  // ㎡ -> M2 / m2
    {"\x87\x7E", "\x95\xBD\x90\xAC", "\x95\xBD\x90\xAC"},  // ㍻ -> 平成 / 平成
    {"\x87\x82", "NO", "No"},  // № -> NO / No
    {"\x87\x83", "KK", "KK"},  // ㏍ -> KK / KK
    {"\x87\x84", "TEL", "TEL"},  // ℡ -> TEL / TEL
    {"\x87\x85", "\x8F\xE3", "\x8F\xE3"},  // ㊤ -> 上 / 上
    {"\x87\x86", "\x92\x86", "\x92\x86"},  // ㊥ -> 中 / 中
    {"\x87\x87", "\x89\xBA", "\x89\xBA"},  // ㊦ -> 下 / 下
    {"\x87\x88", "\x8D\xB6", "\x8D\xB6"},  // ㊧ -> 左 / 左
    {"\x87\x89", "\x89\x45", "\x89\x45"},  // ㊨ -> 右 / 右
    {"\x87\x8A", "\x8A\x94", "(\x8A\x94)"},  // ㈱ -> 株 / (株)
    {"\x87\x8B", "\x97\x4C", "(\x97\x4C)"},  // ㈲ -> 有 / (有)
    {"\x87\x8C", "\x91\xE3", "(\x91\xE3)"},  // ㈹ -> 代 / (代)
    {"\x87\x8D", "\x96\xBE\x8E\xA1", "\x96\xBE\x8E\xA1"},  // ㍾ -> 明治 / 明治
    {"\x87\x8E", "\x91\xE5\x90\xB3", "\x91\xE5\x90\xB3"},  // ㍽ -> 大正 / 大正
    {"\x87\x8F", "\x8F\xBA\x98\x61", "\x8F\xBA\x98\x61"},  // ㍼ -> 昭和 / 昭和
};

// A user-defined character that layer names drop.
const Replacement kUserDefined[] = {
    {"\xF0\x7D", ""},  // user-defined character F0 7D deleted
};

// Bytes a DXF layer name may not hold at all: readers refuse a backquote or
// a control character in a symbol table name.
const Replacement kLayerNameForbidden[] = {
    {"`", ""},  // backquote deleted
    {"\x01", ""},  // control character 01 deleted
    {"\x02", ""},  // control character 02 deleted
    {"\x03", ""},  // control character 03 deleted
    {"\x04", ""},  // control character 04 deleted
    {"\x05", ""},  // control character 05 deleted
    {"\x06", ""},  // control character 06 deleted
    {"\x07", ""},  // control character 07 deleted
    {"\x08", ""},  // control character 08 deleted
    {"\x09", ""},  // control character 09 deleted
    {"\x0A", ""},  // control character 0A deleted
    {"\x0B", ""},  // control character 0B deleted
    {"\x0C", ""},  // control character 0C deleted
    {"\x0D", ""},  // control character 0D deleted
    {"\x0E", ""},  // control character 0E deleted
    {"\x0F", ""},  // control character 0F deleted
    {"\x10", ""},  // control character 10 deleted
    {"\x11", ""},  // control character 11 deleted
    {"\x12", ""},  // control character 12 deleted
    {"\x13", ""},  // control character 13 deleted
    {"\x14", ""},  // control character 14 deleted
    {"\x15", ""},  // control character 15 deleted
    {"\x16", ""},  // control character 16 deleted
    {"\x17", ""},  // control character 17 deleted
    {"\x18", ""},  // control character 18 deleted
    {"\x19", ""},  // control character 19 deleted
    {"\x1A", ""},  // control character 1A deleted
    {"\x1B", ""},  // control character 1B deleted
    {"\x1C", ""},  // control character 1C deleted
    {"\x1D", ""},  // control character 1D deleted
    {"\x1E", ""},  // control character 1E deleted
    {"\x1F", ""},  // control character 1F deleted
};

// Circled numbers to bracketed digits (texts).
const Replacement kCircledToBracketed[] = {
    {"\x87\x40", "(1)"},  // ① -> (1)
    {"\x87\x41", "(2)"},  // ② -> (2)
    {"\x87\x42", "(3)"},  // ③ -> (3)
    {"\x87\x43", "(4)"},  // ④ -> (4)
    {"\x87\x44", "(5)"},  // ⑤ -> (5)
    {"\x87\x45", "(6)"},  // ⑥ -> (6)
    {"\x87\x46", "(7)"},  // ⑦ -> (7)
    {"\x87\x47", "(8)"},  // ⑧ -> (8)
    {"\x87\x48", "(9)"},  // ⑨ -> (9)
    {"\x87\x49", "(10)"},  // ⑩ -> (10)
    {"\x87\x4A", "(11)"},  // ⑪ -> (11)
    {"\x87\x4B", "(12)"},  // ⑫ -> (12)
    {"\x87\x4C", "(13)"},  // ⑬ -> (13)
    {"\x87\x4D", "(14)"},  // ⑭ -> (14)
    {"\x87\x4E", "(15)"},  // ⑮ -> (15)
    {"\x87\x4F", "(16)"},  // ⑯ -> (16)
    {"\x87\x50", "(17)"},  // ⑰ -> (17)
    {"\x87\x51", "(18)"},  // ⑱ -> (18)
    {"\x87\x52", "(19)"},  // ⑲ -> (19)
    {"\x87\x53", "(20)"},  // ⑳ -> (20)
};

// Roman numerals in texts: one-letter numerals become full-width capitals.
const Replacement kRomanForText[] = {
    {"\x87\x54", "\x82\x68"},  // Ⅰ -> Ｉ
    {"\x87\x55", "II"},  // Ⅱ -> II
    {"\x87\x56", "III"},  // Ⅲ -> III
    {"\x87\x57", "IV"},  // Ⅳ -> IV
    {"\x87\x58", "\x82\x75"},  // Ⅴ -> Ｖ
    {"\x87\x59", "VI"},  // Ⅵ -> VI
    {"\x87\x5A", "VII"},  // Ⅶ -> VII
    {"\x87\x5B", "VIII"},  // Ⅷ -> VIII
    {"\x87\x5C", "IX"},  // Ⅸ -> IX
    {"\x87\x5D", "\x82\x77"},  // Ⅹ -> Ｘ
};

// JW_CAD's control sequences inside texts: ^u raises, ^d lowers; "^uﾛ" is
// its way of writing a degree-like mark.
const Replacement kControlSequences[] = {
    {"^u\xDB", "\xDF"},  // ^uﾛ -> ﾟ
    {"^u", ""},  // ^u -> (deleted)
    {"^d", ""},  // ^d -> (deleted)
};

}  // namespace orvik::substitution
