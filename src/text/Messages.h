// Messages about files and the machine, as CP932 text: the reasons the
// operating system gives for a failure, in words, and the refusals of paths
// that are not read or not written. Paths arrive as UTF-8 (the platform's
// file names) and are converted.
#pragma once

#include <string>
#include <string_view>

namespace orvik {

inline constexpr std::string_view kFileNotFound =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1";  // ファイルが見つかりません
inline constexpr std::string_view kNotRegularFile =
    "\x92\xCA\x8F\xED\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1";  // 通常のファイルではありません
inline constexpr std::string_view kEmptyFile = "\x8B\xF3\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5\x82\xB7";  // 空のファイルです
inline constexpr std::string_view kSameFileAsInput =
    "\x93\xFC\x97\xCD\x82\xCC\x90\x7D\x96\xCA\x82\xC6\x93\xAF\x82\xB6\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5"
    "\x82\xB7";  // 入力の図面と同じファイルです
inline constexpr std::string_view kOutOfMemory =
    "\x83\x81\x83\x82\x83\x8A\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82\xF1";  // メモリが足りません

// The reason for an errno value in words ("ディスクの空き容量が足りません"),
// or "システムエラー N" for one without its own text.
std::string SystemErrorText(int error);

// The message followed by its reason in full-width parentheses.
std::string WithReason(std::string_view message, std::string_view reason);

// "ファイル PATH を作成できません（reason）"
std::string CannotCreateFile(std::string_view utf8Path, std::string_view reason);

// "ストリームへの書き込みエラー: PATH（reason）"
std::string CannotWriteFile(std::string_view utf8Path, std::string_view reason);

// "基準縮尺は0より大きい数値にしてください: TEXT"
std::string ScaleNotPositive(std::string_view scaleText);

}  // namespace orvik
