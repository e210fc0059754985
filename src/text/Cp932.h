// Conversion between CP932 (Shift-JIS as Windows writes it) and UTF-8, for
// the display edge: the core keeps CP932 byte strings, terminals and the
// window show UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace orvik {

// Bytes that are not valid CP932 (a lone lead byte, an unassigned code)
// become U+FFFD, one per byte skipped.
std::string Cp932ToUtf8(std::string_view cp932);

// Characters that CP932 cannot hold become "?", one per character; invalid
// UTF-8 bytes likewise. `replaced`, when given, counts them.
std::string Utf8ToCp932(std::string_view utf8, std::size_t* replaced = nullptr);

// UTF-16 text (as JWW files hold it) as CP932: characters CP932 cannot hold
// and unpaired surrogates become "?", counted in `replaced`.
std::string Utf16ToCp932(std::u16string_view utf16, std::size_t& replaced);

// Appends the UTF-8 bytes of the character `c` (below U+110000).
void AppendUtf8(std::string& out, char32_t c);

// CP932 text as UTF-16 (as JWW files of JW_CAD 8 and later hold it);
// invalid bytes become U+FFFD, as in Cp932ToUtf8.
std::u16string Cp932ToUtf16(std::string_view cp932);

// A file name (UTF-8) as it may be shown on a terminal or in a log: each
// control character in caret notation (ESC as ^[, LF as ^J, DEL as ^?) and
// each C1 control (U+0080 to U+009F) as \u0080 to \u009f, so that no name
// can move the cursor, retitle the terminal or begin a line of its own.
std::string PrintableName(std::string_view utf8);

// The bytes of the UTF-8 character `s` begins with (1 to 4); fewer when the
// sequence is broken off. `s` must not be empty.
std::size_t Utf8SequenceLength(std::string_view s);

}  // namespace orvik
