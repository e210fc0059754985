// Character substitution for CP932 strings written to DXF: AutoCAD's fonts
// cannot show half-width katakana, the NEC special characters of row 13
// (circled numbers, Roman numerals, unit and era ligatures) or JW_CAD's text
// control sequences, and layer names must not hold spaces or punctuation.
//
// All functions are pure and work on CP932 byte strings. Searching respects
// character boundaries: a pattern never matches starting on the second byte
// of a double-byte character (so deleting "\" leaves 表 = 95 5C alone).
#pragma once

#include <string>
#include <string_view>

namespace orvik {

// True for the first byte of a CP932 double-byte character (81-9F, E0-FC).
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A second byte of a CP932 double-byte character (40-7E, 80-FC).
constexpr bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// A control character (00-1F): never part of a double-byte character.
constexpr bool IsControlByte(char c) { return static_cast<unsigned char>(c) < 0x20; }

// The text as a DXF string value must be written: unchanged when it holds no
// control byte; otherwise each control byte in DXF's caret notation (^J for
// LF, ^M for CR, ^I for tab, ^@ to ^_) and each caret as "^ ", which DXF
// readers decode back to the original text. A caret that is the second byte
// of a double-byte character (タ is 83 5E) stays as it is; a lead byte
// left without its second byte before a control becomes "?", so that the
// caret after it is read as a caret.
std::string EscapeControlBytes(std::string_view text);

// The same escaping whether or not the text holds a control byte, so that a
// reader that takes "^" before any character as caret notation reads a
// literal caret ("^8" is written "^ 8").
std::string CaretNotation(std::string_view text);

// Every occurrence of `pattern` that starts on a character boundary, left to
// right and without overlap, replaced by `replacement`.
std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement);

// A JW_CAD layer name made fit for a DXF layer name: half-width kana to
// full-width, spaces and punctuation removed, special characters spelled
// out, control bytes, DEL and lead bytes without their second byte removed,
// leading and trailing blanks trimmed. May be empty.
std::string LayerNameForDxf(std::string_view name);

// A JW_CAD text made fit for a DXF TEXT value: trailing middle dots dropped,
// special characters spelled out, control sequences removed.
std::string TextForDxf(std::string_view text);

// True when every character is a single-byte one that has a double-byte
// full-width form: printable ASCII (20-7E) and half-width katakana with
// their voicing marks (A1-DF), each counted on its own, so "ﾎﾟﾝﾌﾟ" is
// half-width like "ABC123", while "ｶﾞｽ管" and "ABC１" are not. Any length.
bool IsHalfWidthText(std::string_view text);

}  // namespace orvik
