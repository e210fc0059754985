// The toolkit-free part of convert-and-save: the checks of the numeric
// settings with their messages, and the naming of output files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvik {

// Messages (CP932).
inline constexpr std::string_view kRadiusMessage =
    "\x93\x5F\x82\xCC\x94\xBC\x8C\x61\x82\xCD" "0\x82\xE6\x82\xE8\x91\xE5\x82\xAB\x82\xA2\x90\x94\x92\x6C\x82\xF0"
    "\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2";  // 点の半径は0より大きい数値を入力してください
inline constexpr std::string_view kReductionMessage =
    "\x95\xB6\x8E\x9A\x82\xCC\x8F\x6B\x8F\xAC\x97\xA6\x82\xCD" "0\x82\xE6\x82\xE8\x91\xE5\x82\xAB\x82\xA2\x90\x94"
    "\x92\x6C\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2";  // 文字の縮小率は0より大きい数値を入力してください
inline constexpr std::string_view kAspectMessage =
    "\x94\xBC\x8A\x70\x95\xB6\x8E\x9A\x82\xCC\x8F\x63\x89\xA1\x94\xE4\x82\xCD" "0\x82\xE6\x82\xE8\x91\xE5\x82\xAB"
    "\x82\xA2\x90\x94\x92\x6C\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2";  // 半角文字の縦横比は0より大きい数値を入力してください
inline constexpr std::string_view kAlreadyExists =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x82\xB7\x82\xC5\x82\xC9\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB7"
    "\x81\x42";  // ファイルはすでに存在します。

inline constexpr std::string_view kOverwriteQuestion =
    "\x8F\xE3\x8F\x91\x82\xAB\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48";  // 上書きしますか？
inline constexpr std::string_view kNothingLoaded =
    "jwc\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x90\xE6\x82\xC9\x8A\x4A\x82\xA2\x82\xC4\x82\xAD\x82\xBE"
    "\x82\xB3\x82\xA2";  // jwcファイルを先に開いてください
inline constexpr std::string_view kSaveFinished =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x95\xDB\x91\xB6\x82\xAA\x8F\x49\x97\xB9\x82\xB5\x82\xDC"
    "\x82\xB5\x82\xBD";  // ファイルの保存が終了しました
inline constexpr std::string_view kFolderTitle =
    "\x95\xDB\x91\xB6\x83\x66\x83\x42\x83\x8C\x83\x4E\x83\x67\x83\x8A\x82\xCC\x91\x49\x91\xF0";  // 保存ディレクトリの選択
// The defaults the checks write back into a refused field.
inline constexpr std::string_view kDefaultRadiusText = "0.5000";
inline constexpr std::string_view kDefaultReductionText = "90";
inline constexpr std::string_view kFallbackAspectText = "60";

// The point radius field: digits with at most one ".", greater than 0 and
// within the range of a 32-bit real.
std::optional<float> ParsePointRadius(std::string_view text);

// A percentage field (text reduction, half-width aspect): one or two
// digits, greater than 0.
std::optional<int> ParsePercentage(std::string_view text);

// A field's text as an integer: optional blanks and sign, then digits.
std::optional<long> ParseInteger(std::string_view text);

// The message of a field whose text is not an integer at all (CP932).
std::string NotAnInteger(std::string_view text);

// The path with the extension of its file name replaced by ".dxf", or
// ".dxf" appended when the file name has none.
std::string DxfPathFor(std::string_view path);

}  // namespace orvik
