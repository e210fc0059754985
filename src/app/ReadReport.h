// What the read commands show about a drawing, as CP932 text: the extension
// test, the summary printed after a single read, and the refusal texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "jwc/FileReader.h"
#include "jwc/JwcDrawing.h"
#include "jwc/LoadError.h"

namespace orvik {

// The extension of the file name (from its last "." on), upper-cased,
// equals `upperExtension` (".JWC", ".DXF").
bool HasExtension(std::string_view path, std::string_view upperExtension);

// The read commands' test: the extension is ".JWC" in any letter case.
inline bool HasJwcExtension(std::string_view path) { return HasExtension(path, ".JWC"); }

// The log lines that follow the path (and its empty line) after a single
// read: HeaderText1, HeaderText2 (control bytes in caret notation, so that
// nothing from a drawing reaches a terminal raw), then the numbers of lines,
// arcs, texts, real points and virtual points with their aligned labels.
std::vector<std::string> ReadSummaryLines(const JwcDrawing& drawing);

// One sentence describing why a drawing could not be read completely,
// without the file's path: the part of the file and the byte where it failed.
std::string DescribeLoadError(const LoadError& error);

// Why a file cannot be read, in words: "ファイルが見つかりません",
// "フォルダーです", "空のファイルです", "アクセスが拒否されました" ...
std::string DescribeInputProblem(const InputCheck& check);

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

// Batch mode's log title.
inline constexpr std::string_view kBatchTitle =
    "\x81\x79\x95\xA1\x90\x94\x83\x74\x83\x40\x83\x43\x83\x8B\x88\xEA\x8A\x87\x95\xCF\x8A\xB7\x83\x82"
    "\x81\x5B\x83\x68\x81\x7A";  // 【複数ファイル一括変換モード】
// Refusals of a single dropped file (no path).
inline constexpr std::string_view kDroppedNotJwCadByExtension =
    "\x82\xB1\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x81\x41JW-CAD\x90\x7D\x96\xCA\x83\x74\x83"
    "\x40\x83\x43\x83\x8B\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";  // このファイルは、JW-CAD図面ファイルではありません。
inline constexpr std::string_view kDroppedNotJwCadBySignature =
    "\x82\xB1\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x81\x41JW_CAD\x90\x7D\x96\xCA\x83\x74\x83"
    "\x40\x83\x43\x83\x8B\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";  // このファイルは、JW_CAD図面ファイルではありません。
// Refusals of dropped files in a batch name the path, then this, a line break and the reason.
inline constexpr std::string_view kDroppedPathSuffix = "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD";  // ファイルは
// A drawing that could not be read completely.
inline constexpr std::string_view kIncompleteRead =
    "\x90\x7D\x96\xCA\x82\xF0\x8D\xC5\x8C\xE3\x82\xDC\x82\xC5\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC"
    "\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42";  // 図面を最後まで読み込めませんでした。
inline constexpr std::string_view kPartialConvertible =
    "\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xBD\x95\x94\x95\xAA\x82\xBE\x82\xAF\x82\xF0\x95\xCF\x8A\xB7"
    "\x82\xC5\x82\xAB\x82\xDC\x82\xB7\x81\x42";  // 読み込めた部分だけを変換できます。

}  // namespace orvik
