// Every message of the core, as CP932 text: the refusals of files that are
// not read, the reports' labels, the checks of the settings and their
// questions, the reasons the operating system gives for a failure, in words,
// and the messages of saves that fail. Each literal carries its readable text
// in a comment (tests/text/check_messages.py checks that they agree). Paths
// arrive as UTF-8 (the platform's file names) and are converted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvik {

inline constexpr std::string_view kFileNotFound =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1";  // ファイルが見つかりません
inline constexpr std::string_view kNotRegularFile =
    "\x92\xCA\x8F\xED\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1";  // 通常のファイルではありません
inline constexpr std::string_view kEmptyFile =
    "\x8B\xF3\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5\x82\xB7";  // 空のファイルです
inline constexpr std::string_view kSameFileAsInput =
    "\x93\xFC\x97\xCD\x82\xCC\x90\x7D\x96\xCA\x82\xC6\x93\xAF\x82\xB6\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5"
    "\x82\xB7";  // 入力の図面と同じファイルです
inline constexpr std::string_view kOutOfMemory =
    "\x83\x81\x83\x82\x83\x8A\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82\xF1";  // メモリが足りません

// Reading drawings: the refusals of the open dialog, of drops and of the
// command line, the batch title, and a drawing read only in part.
// Refusals name the path, then this, then a line break, then the reason.
inline constexpr std::string_view kRefusalPathSuffix = "\x82\xCD\x81\x41";  // は、
// The extension is neither ".jwc" nor ".jww".
inline constexpr std::string_view kNotJwCadByExtension =
    "JW-CAD\x90\x7D\x96\xCA\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9"
    "\x82\xF1\x81\x42";  // JW-CAD図面ファイルではありません。
// The file starts with neither the JWC nor the JWW signature.
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
// The Explorer verb "DXFに変換": said in its question before it replaces a
// DXF newer than the drawing; the kept settings cannot be used.
inline constexpr std::string_view kBesideNewer =
    "\x82\xB1\x82\xCC DXF \x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x90\x7D\x96\xCA\x82\xE6\x82\xE8\x90\x56\x82\xB5"
    "\x82\xAD\x82\xC8\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x69\x95\xCF\x8A\xB7\x82\xCC\x8C\xE3\x82\xC5\x92\xBC"
    "\x82\xB3\x82\xEA\x82\xBD\x82\xCC\x82\xA9\x82\xE0\x82\xB5\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81\x6A\x81\x42";  // この DXF ファイルは図面より新しくなっています（変換の後で直されたのかもしれません）。
inline constexpr std::string_view kKeptSettingsUnusable =
    "\x95\xDB\x91\xB6\x82\xB3\x82\xEA\x82\xBD\x90\xDD\x92\xE8\x82\xC9\x8E\x67\x82\xA6\x82\xC8\x82\xA2\x92\x6C\x82\xAA\x82\xA0"
    "\x82\xE9\x82\xCC\x82\xC5\x95\xCF\x8A\xB7\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81\x42ORVIK \x82\xF0\x8A\x4A\x82\xA2\x82\xC4\x90\xDD"
    "\x92\xE8\x82\xF0\x92\xBC\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2";  // 保存された設定に使えない値があるので変換しません。ORVIK を開いて設定を直してください
// Refusals of dropped files in a batch name the path, then this, a line break and the reason.
inline constexpr std::string_view kDroppedPathSuffix = "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD";  // ファイルは
// The window closed while a batch runs: stop after the drawing under way?
inline constexpr std::string_view kCloseDuringBatch =
    "\x95\xCF\x8A\xB7\x92\x86\x82\xC5\x82\xB7\x81\x42\x82\xA2\x82\xDC\x95\xCF\x8A\xB7\x82\xB5\x82\xC4\x82\xA2\x82\xE9\x90\x7D\x96\xCA"
    "\x82\xC5\x8E\x7E\x82\xDF\x82\xC4\x81\x41\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48\x81\x69\x95\xCF\x8A\xB7\x8D\xCF"
    "\x82\xDD\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x8E\x63\x82\xE8\x82\xDC\x82\xB7\x81\x6A";  // 変換中です。いま変換している図面で止めて、終了しますか？（変換済みのファイルは残ります）
// A drawing that could not be read completely.
inline constexpr std::string_view kIncompleteRead =
    "\x90\x7D\x96\xCA\x82\xF0\x8D\xC5\x8C\xE3\x82\xDC\x82\xC5\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC"
    "\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42";  // 図面を最後まで読み込めませんでした。
// A drawing without elements: no group scale to propose as the reference scale.
inline constexpr std::string_view kNoScale =
    "\x90\x7D\x96\xCA\x82\xC9\x97\x76\x91\x66\x82\xAA\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x8A\xEE\x8F\x80\x8F\x6B"
    "\x8E\xDA\x82\xAA\x8C\x88\x82\xDC\x82\xE8\x82\xDC\x82\xB9\x82\xF1";  // 図面に要素がないため基準縮尺が決まりません
// A drawing whose used layer groups have no usable scale (not a positive finite number).
inline constexpr std::string_view kUnusableScale =
    "\x83\x8C\x83\x43\x83\x84\x83\x4F\x83\x8B\x81\x5B\x83\x76\x82\xCC\x8F\x6B\x8E\xDA\x82\xAA\x90\xB3\x82\xB5\x82\xA2\x90\x94"
    "\x92\x6C\x82\xC5\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x8A\xEE\x8F\x80\x8F\x6B\x8E\xDA\x82\xAA\x8C\x88\x82\xDC\x82\xE8\x82\xDC\x82\xB9\x82\xF1";  // レイヤグループの縮尺が正しい数値でないため基準縮尺が決まりません
// A JWW file asked of a JW_CAD for DOS drawing.
inline constexpr std::string_view kNoJwwFromJwc =
    "JWC \x90\x7D\x96\xCA\x82\xA9\x82\xE7\x82\xCD JWW \x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8F\x91\x82\xAB\x8F\x6F\x82\xB9\x82\xDC\x82\xB9\x82\xF1";  // JWC 図面からは JWW ファイルを書き出せません
// A damaged drawing whose part read holds no element.
inline constexpr std::string_view kNothingRead =
    "\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xBD\x95\x94\x95\xAA\x82\xC9\x97\x76\x91\x66\x82\xAA\x82\xA0\x82\xE8"
    "\x82\xDC\x82\xB9\x82\xF1";  // 読み込めた部分に要素がありません
// Elements with an infinite or NaN number: the label before their count, and what follows it.
inline constexpr std::string_view kNonFiniteLabel =
    "\x90\x94\x92\x6C\x82\xAA\x96\xB3\x8C\xC0\x91\xE5\x82\xA9\x94\xF1\x90\x94\x82\xCC\x97\x76\x91\x66: ";  // 数値が無限大か非数の要素:
inline constexpr std::string_view kNonFiniteWrittenAsZero =
    " \x8C\x8F\x81\x69"
    "0 \x82\xC6\x82\xB5\x82\xC4\x8F\x91\x82\xAB\x8F\x6F\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x6A";  //  件（0 として書き出しました）
// Group scales left unrounded: the label before them ("1/100, 1/50").
inline constexpr std::string_view kUnroundedScalesLabel =
    "\x90\x94\x92\x6C\x82\xF0\x95\xE2\x90\xB3\x82\xB5\x82\xC8\x82\xA9\x82\xC1\x82\xBD\x8F\x6B\x8E\xDA\x81\x69\x82\xA9\x82\xAF\x97\xA3"
    "\x82\xEA\x82\xBD\x8D\xC0\x95\x57\x82\xAA\x82\xA0\x82\xE8\x81\x41\x95\xE2\x90\xB3\x82\xB7\x82\xE9\x82\xC6\x90\x7D\x8C\x60\x82\xAA"
    "\x82\xC2\x82\xD4\x82\xEA\x82\xE9\x82\xBD\x82\xDF\x81\x6A: ";  // 数値を補正しなかった縮尺（かけ離れた座標があり、補正すると図形がつぶれるため）:
inline constexpr std::string_view kPartialConvertible =
    "\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xBD\x95\x94\x95\xAA\x82\xBE\x82\xAF\x82\xF0\x95\xCF\x8A\xB7"
    "\x82\xC5\x82\xAB\x82\xDC\x82\xB7\x81\x42";  // 読み込めた部分だけを変換できます。

// The read report's count labels; the four-character ones end in an
// ideographic space so that every "=" lines up.
inline constexpr std::string_view kLineCountLabel = "\x92\xBC\x90\xFC\x82\xCC\x90\x94\x81\x40 = ";  // 直線の数　 =
inline constexpr std::string_view kArcCountLabel = "\x89\x7E\x8C\xCA\x82\xCC\x90\x94\x81\x40 = ";  // 円弧の数　 =
inline constexpr std::string_view kTextCountLabel = "\x95\xB6\x8E\x9A\x97\xF1\x82\xCC\x90\x94 = ";  // 文字列の数 =
inline constexpr std::string_view kPointCountLabel = "\x8E\xC0\x93\x5F\x82\xCC\x90\x94\x81\x40 = ";  // 実点の数　 =
inline constexpr std::string_view kVirtualPointCountLabel =
    "\x89\xBC\x91\x7A\x93\x5F\x82\xCC\x90\x94 = ";  // 仮想点の数 =

// The used-layer report after a conversion: its title and labels.
inline constexpr std::string_view kUsedLayersTitle =
    "\x81\x75\x8E\x67\x97\x70\x89\xE6\x91\x77\x81\x76";  // 「使用画層」
inline constexpr std::string_view kColorLabel = "\x90\x46: ";  // 色:
inline constexpr std::string_view kLinetypeLabel = "  \x90\xFC\x8E\xED: ";  //   線種:

// Converting and saving: the checks of the numeric settings, the overwrite
// question, the folder chooser's title and the completion message.
inline constexpr std::string_view kRadiusMessage =
    "\x93\x5F\x82\xCC\x94\xBC\x8C\x61\x82\xCD"
    "0\x82\xE6\x82\xE8\x91\xE5\x82\xAB\x82\xA2\x90\x94\x92\x6C\x82\xF0"
    "\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2";  // 点の半径は0より大きい数値を入力してください
inline constexpr std::string_view kReductionMessage =
    "\x95\xB6\x8E\x9A\x82\xCC\x8F\x6B\x8F\xAC\x97\xA6\x82\xCD"
    "0\x82\xE6\x82\xE8\x91\xE5\x82\xAB\x82\xA2\x90\x94"
    "\x92\x6C\x82\xF0\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2";  // 文字の縮小率は0より大きい数値を入力してください
inline constexpr std::string_view kAspectMessage =
    "\x94\xBC\x8A\x70\x95\xB6\x8E\x9A\x82\xCC\x8F\x63\x89\xA1\x94\xE4\x82\xCD"
    "0\x82\xE6\x82\xE8\x91\xE5\x82\xAB"
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

// The summary that ends a batch save: counts, and the names of the drawings
// that were read only in part, could not be converted, or were not reached.
inline constexpr std::string_view kBatchConverted =
    "\x95\xCF\x8A\xB7\x82\xB5\x82\xBD\x90\x7D\x96\xCA: ";  // 変換した図面:
inline constexpr std::string_view kBatchPartlyRead =
    "\x88\xEA\x95\x94\x82\xBE\x82\xAF\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xBD\x90\x7D\x96\xCA: ";  // 一部だけ読み込めた図面:
inline constexpr std::string_view kBatchFailed =
    "\x95\xCF\x8A\xB7\x82\xC5\x82\xAB\x82\xC8\x82\xA9\x82\xC1\x82\xBD\x90\x7D\x96\xCA: ";  // 変換できなかった図面:
inline constexpr std::string_view kBatchCancelled =
    "\x92\x86\x8E\x7E\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42\x8E\x63\x82\xE8\x82\xCC\x90\x7D\x96\xCA"
    "\x82\xCD\x95\xCF\x8A\xB7\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1: ";  // 中止しました。残りの図面は変換していません:
inline constexpr std::string_view kCountSuffix = " \x8C\x8F";  //  件
// After the first few names of a list: how many more there are ("ほか 194 件").
inline constexpr std::string_view kAndMore = "\x82\xD9\x82\xA9 ";  // ほか
// The box that ends a batch stopped by cancel (or by closing the window), instead of kSaveFinished.
inline constexpr std::string_view kBatchStopped =
    "\x88\xEA\x8A\x87\x95\xCF\x8A\xB7\x82\xF0\x92\x86\x8E\x7E\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42"
    "\x95\xDB\x91\xB6\x82\xB5\x82\xBD\x90\x7D\x96\xCA: ";  // 一括変換を中止しました。保存した図面:
// A batch's question before it replaces files: how many, then their first names.
inline constexpr std::string_view kExistingFiles =
    "\x82\xB7\x82\xC5\x82\xC9\x91\xB6\x8D\xDD\x82\xB7\x82\xE9\x83\x74\x83\x40\x83\x43\x83\x8B: ";  // すでに存在するファイル:

// The output formats: the log's label, and which readers want which format.
inline constexpr std::string_view kOutputFormatLabel = "\x8F\x6F\x97\xCD\x8C\x60\x8E\xAE: ";  // 出力形式:
inline constexpr std::string_view kDos932Readers =
    "AutoCAD R13J \x82\xC6\x93\xAF\x82\xB6\x83\x74\x83\x40\x83\x43\x83\x8B\x81\x69"
    "dos932\x81\x6A\x81\x42"
    "AutoCAD \x82\xC6 ezdxf \x8C\xFC\x82\xAF\x81\x41\x8A\xF9\x92\xE8";  // AutoCAD R13J と同じファイル（dos932）。AutoCAD と ezdxf 向け、既定
inline constexpr std::string_view kAnsi932Readers =
    "dos932 \x82\xCC\x83\x52\x81\x5B\x83\x68\x83\x79\x81\x5B\x83\x57\x96\xBC\x82\xF0 ANSI_932 \x82\xC9\x81\x42R13 \x82\xF0\x93\xC7\x82\xDE\x83\x5C\x83\x74\x83\x67\x8C\xFC\x82\xAF";  // dos932 のコードページ名を ANSI_932 に。R13 を読むソフト向け
inline constexpr std::string_view kUtf8Readers =
    "dos932 \x82\xCC\x8B\x4C\x98\x5E\x82\xF0 UTF-8 \x82\xC5\x81\x69"
    "AC1021\x81\x6A\x81\x42\x8A\xAE\x91\x53\x82\xC8 AutoCAD 2007 \x8C\x60\x8E\xAE\x82\xCD r2007";  // dos932 の記録を UTF-8 で（AC1021）。完全な AutoCAD 2007 形式は r2007
inline constexpr std::string_view kR12Readers =
    "AutoCAD R12 \x8C\x60\x8E\xAE\x81\x69"
    "AC1009\x81\x6A\x81\x42JW_CAD\x81\x41LibreOffice\x81\x41Inkscape\x81\x41\x83\x8C\x81\x5B\x83\x55\x81\x5B\x89\xC1\x8D\x48\x8B\x40\x82\xE2 CNC \x82\xC8\x82\xC7\x8C\xFC\x82\xAF";  // AutoCAD R12 形式（AC1009）。JW_CAD、LibreOffice、Inkscape、レーザー加工機や CNC など向け
inline constexpr std::string_view kR2000Readers =
    "AutoCAD 2000 \x8C\x60\x8E\xAE\x81\x69"
    "AC1015\x81\x6A\x81\x42"
    "AutoCAD\x81\x41GDAL/QGIS \x82\xC8\x82\xC7\x8C\xFC\x82\xAF";  // AutoCAD 2000 形式（AC1015）。AutoCAD、GDAL/QGIS など向け
inline constexpr std::string_view kR2007Readers =
    "AutoCAD 2007 \x8C\x60\x8E\xAE\x81\x69"
    "AC1021\x81\x41UTF-8\x81\x6A\x81\x42LibreCAD\x81\x41"
    "FreeCAD\x81\x41\x90\x56\x82\xB5\x82\xA2 AutoCAD \x8C\xFC\x82\xAF";  // AutoCAD 2007 形式（AC1021、UTF-8）。LibreCAD、FreeCAD、新しい AutoCAD 向け

// What a format for readers cannot carry, with how many elements or images.
inline constexpr std::string_view kFormatLeftOutLabel =
    "\x82\xB1\x82\xCC\x8F\x6F\x97\xCD\x8C\x60\x8E\xAE\x82\xC5\x8F\x91\x82\xAF\x82\xC8\x82\xA2\x82\xE0\x82\xCC:";  // この出力形式で書けないもの:
inline constexpr std::string_view kWidthsName = "\x90\xFC\x82\xCC\x91\xBE\x82\xB3";  // 線の太さ
inline constexpr std::string_view kOwnColorsName =
    "\x93\xC6\x8E\xA9\x82\xCC\x90\x46\x81\x69\x8B\xDF\x82\xA2 AutoCAD \x82\xCC\x90\x46\x82\xC5\x8F\x91\x82\xAB\x82\xDC\x82\xB5\x82\xBD\x81\x6A";  // 独自の色（近い AutoCAD の色で書きました）
inline constexpr std::string_view kImagesNotPlacedName =
    "\x89\xE6\x91\x9C\x81\x69"
    "DXF \x82\xCC\x89\xA1\x82\xC9\x95\xDB\x91\xB6\x81\x41\x90\x7D\x82\xC9\x82\xCD\x94\x7A\x92\x75\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81\x6A";  // 画像（DXF の横に保存、図には配置していません）

// A PNG or PDF picture that the painter could not make.
inline constexpr std::string_view kPictureNotMade =
    "\x8A\x47\x82\xF0\x8D\xEC\x82\xEA\x82\xDC\x82\xB9\x82\xF1";  // 絵を作れません

// The window's question when points are to stay points.
inline constexpr std::string_view kPointModeQuestion =
    "\x93\x5F\x82\xF0\x93\x5F\x82\xCC\x82\xDC\x82\xDC\x95\xCF\x8A\xB7\x82\xB7\x82\xE9\x82\xC6"
    "AutoCAD\x82\xC5"
    "\x82\xCD\x8C\xA9\x82\xA6\x82\xC8\x82\xAD\x82\xC8\x82\xE8\x82\xDC\x82\xB7\r\n\x82\xBB\x82\xEA\x82\xC5\x82\xE0"
    "\x82\xE6\x82\xEB\x82\xB5\x82\xA2\x82\xC5\x82\xB7\x82\xA9\x81\x48";  // 点を点のまま変換するとAutoCADでは見えなくなります / それでもよろしいですか？

// A JWW drawing's read report: the labels (padded to eight full-width
// characters by the report), the words beside the counts, what was not
// carried, and the images left out.
// An ideographic space, U+3000.
inline constexpr std::string_view kLabelPad = "\x81\x40";
inline constexpr std::string_view kOpenParenthesis = "\x81\x69";  // （
inline constexpr std::string_view kCloseParenthesis = "\x81\x6A";  // ）
inline constexpr std::string_view kJwwVersionLabel = "JWW \x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93";  // JWW バージョン
inline constexpr std::string_view kReadAsVersion700 =
    "\x81\x69"
    "700 \x82\xC6\x82\xB5\x82\xC4\x93\xC7\x82\xDD\x82\xDC\x82\xB5\x82\xBD\x81\x6A";  // （700 として読みました）
inline constexpr std::string_view kPaperLabel = "\x97\x70\x8E\x86";  // 用紙
inline constexpr std::string_view kScaleLabel = "\x8F\x6B\x8E\xDA";  // 縮尺
inline constexpr std::string_view kGroupsClose = " \x83\x4F\x83\x8B\x81\x5B\x83\x76\x81\x6A";  //  グループ）
inline constexpr std::string_view kLinesLabel = "\x92\xBC\x90\xFC\x82\xCC\x90\x94";  // 直線の数
inline constexpr std::string_view kArcsLabel = "\x89\x7E\x8C\xCA\x82\xCC\x90\x94";  // 円弧の数
inline constexpr std::string_view kTextsLabel = "\x95\xB6\x8E\x9A\x97\xF1\x82\xCC\x90\x94";  // 文字列の数
inline constexpr std::string_view kSettingsAside = "\x81\x69\x90\xDD\x92\xE8 ";  // （設定
inline constexpr std::string_view kPointsLabel = "\x8E\xC0\x93\x5F\x82\xCC\x90\x94";  // 実点の数
inline constexpr std::string_view kTemporaryAside = "\x81\x69\x89\xBC\x93\x5F ";  // （仮点
inline constexpr std::string_view kSolidsLabel = "\x83\x5C\x83\x8A\x83\x62\x83\x68\x82\xCC\x90\x94";  // ソリッドの数
inline constexpr std::string_view kInsertsLabel =
    "\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60\x82\xCC\x90\x94";  // ブロック図形の数
inline constexpr std::string_view kDimensionsLabel = "\x90\xA1\x96\x40\x82\xCC\x90\x94";  // 寸法の数
inline constexpr std::string_view kDefinitionsLabel =
    "\x83\x75\x83\x8D\x83\x62\x83\x4E\x92\xE8\x8B\x60\x82\xCC\x90\x94";  // ブロック定義の数
inline constexpr std::string_view kImagesLabel = "\x89\xE6\x91\x9C\x82\xCC\x90\x94";  // 画像の数
inline constexpr std::string_view kOverLimitAside =
    "\x81\x69\x8F\xE3\x8C\xC0\x82\xF0\x92\xB4\x82\xA6\x82\xBD ";  // （上限を超えた
inline constexpr std::string_view kLeftOutClose = " \x8C\xC2\x82\xF0\x8F\x9C\x82\xAD\x81\x6A";  //  個を除く）
inline constexpr std::string_view kNotInCp932Label =
    "CP932 \x82\xC9\x82\xC8\x82\xA2\x95\xB6\x8E\x9A";  // CP932 にない文字
inline constexpr std::string_view kReplacedByQuestionMark =
    "\x81\x69? \x82\xC9\x92\x75\x82\xAB\x8A\xB7\x82\xA6\x82\xDC\x82\xB5\x82\xBD\x81\x6A";  // （? に置き換えました）
inline constexpr std::string_view kNotCarriedLabel =
    "\x95\xCF\x8A\xB7\x82\xB5\x82\xC4\x82\xA2\x82\xC8\x82\xA2\x97\x76\x91\x66:";  // 変換していない要素:
inline constexpr std::string_view kSolidsName = "\x83\x5C\x83\x8A\x83\x62\x83\x68";  // ソリッド
inline constexpr std::string_view kInsertsName = "\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60";  // ブロック図形
inline constexpr std::string_view kImagesName = "\x89\xE6\x91\x9C";  // 画像

// "同梱画像 N 個を保存しません（1 図面に LIMIT 個、合計 MB MB まで）"
std::string ImagesNotSaved(std::int64_t count, std::int64_t limit, std::int64_t megabytes);

// "絵に描いていないブロックの図形:", then " 上限（LIMIT 個）に達しました" when the
// picture placed as many shapes as it may, and " 入れ子が DEPTH 段より深い挿入
// N 件" for insertions nested too deep.
std::string ShapesNotDrawn(bool limitReached, std::int64_t limit, std::int64_t tooDeep, int depth);

// Drawings read only in part: the parts of a file as the user knows them,
// and one sentence for each way a read fails ("at" is the byte where the
// failing part, record or field starts).
inline constexpr std::string_view kPartHeader = "\x83\x77\x83\x62\x83\x5F\x81\x5B";  // ヘッダー
inline constexpr std::string_view kPartVirtualPoints = "\x89\xBC\x91\x7A\x93\x5F";  // 仮想点
inline constexpr std::string_view kPartTextTypes = "\x95\xB6\x8E\x9A\x8E\xED";  // 文字種
inline constexpr std::string_view kPartGroupScales =
    "\x83\x8C\x83\x43\x83\x84\x83\x4F\x83\x8B\x81\x5B\x83\x76\x82\xCC\x8F\x6B\x8E\xDA";  // レイヤグループの縮尺
inline constexpr std::string_view kPartLayerFlags = "\x83\x8C\x83\x43\x83\x84\x82\xCC\x8F\xF3\x91\xD4";  // レイヤの状態
inline constexpr std::string_view kPartLines = "\x92\xBC\x90\xFC";  // 直線
inline constexpr std::string_view kPartArcs = "\x89\x7E\x8C\xCA";  // 円弧
inline constexpr std::string_view kPartTexts = "\x95\xB6\x8E\x9A\x97\xF1";  // 文字列
inline constexpr std::string_view kPartTextPool = "\x95\xB6\x8E\x9A\x97\xF1\x83\x66\x81\x5B\x83\x5E";  // 文字列データ
inline constexpr std::string_view kPartPoints = "\x8E\xC0\x93\x5F";  // 実点
inline constexpr std::string_view kPartLayerNames = "\x83\x8C\x83\x43\x83\x84\x96\xBC";  // レイヤ名
inline constexpr std::string_view kPartGroupNames =
    "\x83\x8C\x83\x43\x83\x84\x83\x4F\x83\x8B\x81\x5B\x83\x76\x96\xBC";  // レイヤグループ名
inline constexpr std::string_view kPartElements = "\x90\x7D\x8C\x60\x83\x66\x81\x5B\x83\x5E";  // 図形データ
inline constexpr std::string_view kPartBlocks = "\x83\x75\x83\x8D\x83\x62\x83\x4E\x92\xE8\x8B\x60";  // ブロック定義
inline constexpr std::string_view kPartImages = "\x93\xAF\x8D\xAB\x89\xE6\x91\x9C";  // 同梱画像
inline constexpr std::string_view kPartEnd =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x8F\x49\x82\xED\x82\xE8";  // ファイルの終わり
inline constexpr std::string_view kCannotOpenFile =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1";  // ファイルを開けません
inline constexpr std::string_view kNoJwwSignature =
    "JWW \x90\x7D\x96\xCA\x82\xCC\x88\xF3\x81\x69JwwData.\x81\x6A\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";  // JWW 図面の印（JwwData.）がありません

// "PART の途中でファイルが終わっています（AT バイト目から、ファイルの大きさ SIZE バイト）"
std::string FileEndsInside(std::string_view part, std::int64_t at, std::int64_t fileSize);
// The read report of a DXF file and what its drawing leaves out.
inline constexpr std::string_view kDxfVersionLabel =
    "DXF \x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93 = ";  // DXF バージョン =
inline constexpr std::string_view kDxfCodePageLabel =
    "\x83\x52\x81\x5B\x83\x68\x83\x79\x81\x5B\x83\x57\x81\x40 = ";  // コードページ　 =
inline constexpr std::string_view kDxfNoCodePage = "\x81\x69\x82\xC8\x82\xB5\x81\x6A";  // （なし）
inline constexpr std::string_view kDxfPaperLabel =
    "\x97\x70\x8E\x86\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40 = ";  // 用紙　　　　　 =
inline constexpr std::string_view kDxfScaleLabel =
    "\x8F\x6B\x8E\xDA\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40 = 1/";  // 縮尺　　　　　 = 1/
inline constexpr std::string_view kDxfOriginLabel =
    "\x97\x70\x8E\x86\x82\xCC\x92\x86\x90\x53\x81\x40\x81\x40 = ";  // 用紙の中心　　 =
inline constexpr std::string_view kDxfLinesLabel =
    "\x92\xBC\x90\xFC\x82\xCC\x90\x94\x81\x40\x81\x40\x81\x40 = ";  // 直線の数　　　 =
inline constexpr std::string_view kDxfArcsLabel =
    "\x89\x7E\x8C\xCA\x82\xCC\x90\x94\x81\x40\x81\x40\x81\x40 = ";  // 円弧の数　　　 =
inline constexpr std::string_view kDxfTextsLabel =
    "\x95\xB6\x8E\x9A\x97\xF1\x82\xCC\x90\x94\x81\x40\x81\x40 = ";  // 文字列の数　　 =
inline constexpr std::string_view kDxfPointsLabel =
    "\x8E\xC0\x93\x5F\x82\xCC\x90\x94\x81\x40\x81\x40\x81\x40 = ";  // 実点の数　　　 =
inline constexpr std::string_view kDxfSolidsLabel =
    "\x83\x5C\x83\x8A\x83\x62\x83\x68\x82\xCC\x90\x94\x81\x40 = ";  // ソリッドの数　 =
inline constexpr std::string_view kDxfInsertsLabel =
    "\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60\x82\xCC\x90\x94 = ";  // ブロック図形の数 =
inline constexpr std::string_view kDxfBlocksLabel =
    "\x83\x75\x83\x8D\x83\x62\x83\x4E\x92\xE8\x8B\x60\x82\xCC\x90\x94 = ";  // ブロック定義の数 =
inline constexpr std::string_view kDxfLeftOutLabel =
    "\x95\xCF\x8A\xB7\x82\xB5\x82\xC8\x82\xA9\x82\xC1\x82\xBD\x82\xE0\x82\xCC: ";  // 変換しなかったもの:
inline constexpr std::string_view kDxfPaperSpace =
    "\x83\x79\x81\x5B\x83\x70\x81\x5B\x8B\xF3\x8A\xD4\x82\xCC\x97\x76\x91\x66 ";  // ペーパー空間の要素
inline constexpr std::string_view kDxfMissingBlocks =
    "\x82\xC8\x82\xA2\x81\x45\x8E\xA9\x90\x67\x82\xF0\x8A\xDC\x82\xDE\x83\x75\x83\x8D\x83\x62\x83\x4E\x82\xCC\x91\x7D\x93\xFC ";  // ない・自身を含むブロックの挿入
inline constexpr std::string_view kDxfBrokenEntities =
    "\x90\x94\x92\x6C\x82\xCC\x89\xF3\x82\xEA\x82\xBD\x97\x76\x91\x66 ";  // 数値の壊れた要素
inline constexpr std::string_view kDxfApproximatedLabel =
    "\x8B\xDF\x8E\x97\x82\xB5\x82\xBD\x82\xE0\x82\xCC: ";  // 近似したもの:
inline constexpr std::string_view kDxfWideArcs =
    "\x95\x9D\x82\xCC\x82\xA0\x82\xE9\x89\x7E\x8C\xCA\x81\x69\x95\x9D\x82\xC8\x82\xB5\x82\xC5\x81\x6A ";  // 幅のある円弧（幅なしで）
inline constexpr std::string_view kDxfFitCurves =
    "\x93\x96\x82\xC4\x82\xCD\x82\xDF\x93\x5F\x82\xBE\x82\xAF\x82\xCC\x83\x58\x83\x76\x83\x89\x83\x43\x83\x93\x81\x69\x90\xDC\x82\xEA\x90\xFC\x82\xC5\x81\x6A ";  // 当てはめ点だけのスプライン（折れ線で）
inline constexpr std::string_view kDxfMergedLayers =
    "256 \x82\xF0\x92\xB4\x82\xA6\x82\xE9\x89\xE6\x91\x77\x81\x69\x8D\xC5\x8C\xE3\x82\xCC\x89\xE6\x91\x77\x82\xD6\x81\x6A ";  // 256 を超える画層（最後の画層へ）
inline constexpr std::string_view kDxfDashedLinetypes =
    "16 \x82\xF0\x92\xB4\x82\xA6\x82\xE9\x90\xFC\x8E\xED\x81\x69\x94\x6A\x90\xFC\x82\xC5\x81\x6A ";  // 16 を超える線種（破線で）
inline constexpr std::string_view kDxfReplacedCharacters =
    "CP932 \x82\xC9\x82\xC8\x82\xA2\x95\xB6\x8E\x9A\x81\x69? \x82\xC5\x81\x6A ";  // CP932 にない文字（? で）
inline constexpr std::string_view kListSeparator = "\x81\x41";  // 、
// A DXF file that breaks its format: at which line, and how.
std::string DxfBrokenAt(std::int64_t line, std::string_view how);
inline constexpr std::string_view kDxfCodeNotANumber =
    "\x83\x4F\x83\x8B\x81\x5B\x83\x76\x83\x52\x81\x5B\x83\x68\x82\xAA\x90\x94\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";  // グループコードが数ではありません
inline constexpr std::string_view kDxfLineTooLong =
    "\x8D\x73\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7\x81\x69"
    "1 MiB \x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x6A";  // 行が長すぎます（1 MiB を超えています）
inline constexpr std::string_view kDxfNoSection =
    "SECTION \x82\xC5\x82\xE0 EOF \x82\xC5\x82\xE0\x82\xC8\x82\xA2\x83\x4F\x83\x8B\x81\x5B\x83\x76\x82\xC5\x82\xB7";  // SECTION でも EOF でもないグループです
inline constexpr std::string_view kDxfBinary =
    "\x83\x6F\x83\x43\x83\x69\x83\x8A DXF \x82\xCD\x93\xC7\x82\xDF\x82\xDC\x82\xB9\x82\xF1\x81\x42\x83\x65\x83\x4C\x83\x58\x83\x67\x81\x69"
    "ASCII\x81\x6A\x82\xCC DXF \x82\xC5\x95\xDB\x91\xB6\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2";  // バイナリ DXF は読めません。テキスト（ASCII）の DXF で保存してください
// "ヘッダー ブロックB の項目 F が正しい数値ではありません: "TEXT"（AT バイト目）", NULs shown as spaces
std::string HeaderFieldNotANumber(int block, int field, std::string_view text, std::int64_t at);
// "PART の数が負の値です: COUNT"
std::string CountIsNegative(std::string_view part, std::int64_t count);
// "PART の数 COUNT がファイルの大きさ SIZE バイトに合いません", then "（AT バイト目）" where known (at >= 0)
std::string CountDoesNotFit(std::string_view part, std::int64_t count, std::int64_t fileSize, std::int64_t at);
// "PART の数 COUNT が上限の LIMIT を超えています"
std::string CountAboveLimit(std::string_view part, std::int64_t count, std::int64_t limit);
// "PART に JWW にないクラス NAME があります（AT バイト目）"
std::string UnknownClassIn(std::string_view part, std::string_view name, std::int64_t at);
// "PART に、ブロック定義でない NAME があります（AT バイト目）"
std::string NotADefinitionIn(std::string_view part, std::string_view name, std::int64_t at);
// "PART の AT バイト目が、読んだものにない番号 INDEX を指しています"
std::string UnknownReference(std::string_view part, std::int64_t at, std::int64_t index);
// "ブロック定義 N が自分自身を含んでいます（AT バイト目）"
std::string BlockHoldsItself(std::int64_t block, std::int64_t at);
// "ブロック定義の入れ子が N 段を超えています（AT バイト目）"
std::string BlocksNestTooDeep(std::int64_t limit, std::int64_t at);
// "同梱画像 NAME の大きさ SIZE バイトがファイルに収まらないか大きすぎます（AT バイト目）"
std::string ImageTooLarge(std::string_view name, std::int64_t size, std::int64_t at);
// "同梱画像 NAME を展開できません（AT バイト目）"
std::string ImageNotInflated(std::string_view name, std::int64_t at);
// "ファイルの終わりに余分な N バイトがあります（AT バイト目）"
std::string BytesAfterTheEnd(std::int64_t count, std::int64_t at);
// "繰り返し参照される要素が多すぎます（合計 N バイト、AT バイト目）"
std::string TooManyRepeats(std::int64_t bytes, std::int64_t at);

// The reason for an errno value in words ("ディスクの空き容量が足りません"),
// or "システムエラー N" for one without its own text.
std::string SystemErrorText(int error);

// The message followed by its reason in full-width parentheses.
std::string WithReason(std::string_view message, std::string_view reason);

// "ファイル PATH を作成できません（reason）"
std::string CannotCreateFile(std::string_view utf8Path, std::string_view reason);

// "ストリームへの書き込みエラー: PATH（reason）"
std::string CannotWriteFile(std::string_view utf8Path, std::string_view reason);

// A message as UTF-8 text for a window, the file it may name (as
// CannotCreateFile and CannotWriteFile do) written as the system has it,
// not as far as CP932 could hold it.
std::string NamingFileAsItIs(std::string_view cp932Message, std::string_view utf8Path);

// "'TEXT' は有効な浮動小数点数ではありません": a scale that is no number.
std::string NotANumber(std::string_view text);

// "'TEXT' は有効な整数値ではありません": a percentage that is no integer.
std::string NotAnInteger(std::string_view text);

// "基準縮尺は0より大きい数値にしてください: TEXT"
std::string ScaleNotPositive(std::string_view scaleText);

}  // namespace orvik
