// What the read commands show about a drawing, as CP932 text: the extension
// test, the summary printed after a single read, and the refusal texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "jwcunit/JwcDrawing.h"

namespace orvik {

// The extension after the last "." of the file name, upper-cased, is ".JWC".
bool HasJwcExtension(std::string_view path);

// The log lines that follow the path (and its empty line) after a single
// read: HeaderText1, HeaderText2, then the numbers of lines, arcs, texts,
// real points and virtual points with their aligned labels.
std::vector<std::string> ReadSummaryLines(const JwcDrawing& drawing);

// Refusals name the path, then this, then a line break, then the reason.
inline constexpr std::string_view kRefusalPathSuffix = "\x82\xCD\x81\x41";  // は、
// The extension is not ".jwc".
inline constexpr std::string_view kNotJwCadByExtension =
    "JW-CAD\x90\x7D\x96\xCA\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81\x42";  // JW-CAD図面ファイルではありません。
// The file does not start with the JWC signature.
inline constexpr std::string_view kNotJwCadBySignature =
    "JW_CAD\x90\x7D\x96\xCA\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81\x42";  // JW_CAD図面ファイルではありません。

}  // namespace orvik
