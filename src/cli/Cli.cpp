#include "cli/Cli.h"
#include "cli/Pictures.h"

#include <ostream>

#include "app/SettingsTable.h"
#include "cli/ConvertCommand.h"
#include "cli/InfoCommand.h"
#include "numeric/DecimalText.h"
#include "os/System.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik::cli {
namespace {

// The help up to the settings' lines, which the settings table gives.
constexpr const char* kUsageHead =
    "使い方: orvik-cli info 図面...\n"
    "        orvik-cli convert [オプション] 図面...\n"
    "        orvik-cli render [オプション] 図面...\n"
    "\n"
    "  図面は JW_CAD の .jwc（DOS 版）と .jww（Windows 版。同梱画像は DXF の横に保存し、\n"
    "  配置はまだ変換しません）、および DXF（R12〜2018 のテキスト形式）。形式は中身で見分けます。\n"
    "  info     各図面のヘッダー文字列（JWW はメモ、バージョン、用紙、縮尺）と要素の数を表示します。\n"
    "  convert  各図面を AutoCAD R13 DXF に変換します。既定では入力と同じフォルダに\n"
    "           拡張子 .dxf で書き出します。\n"
    "  render   各図面を変換した DXF の絵を SVG で書き出します。既定では入力と同じ\n"
    "           フォルダに拡張子 .svg で書き出します。\n"
    "\n"
    "convert と render のオプション（既定値は画面の初期値と同じ）:\n"
    "  -o, --output パス          入力が1つなら出力ファイル（- なら標準出力）、複数なら既存の\n"
    "                             出力フォルダ\n"
    "  --scale 数値               基準縮尺（既定: 要素の最も多いレイヤグループの縮尺）\n"
    "  --to dxf|jww               convert の出力の形式（既定: dxf。-o の名前の拡張子 .jww でも選べる）。\n"
    "                             JWW 図面はそのまま（同じバイトで）、DXF 図面は JW_CAD の用紙に載せて\n"
    "                             書き出す。-r では .dxf のファイルも変換する\n"
    "  --paper A0〜A4|2A〜5A       DXF 図面を載せる用紙（既定: A3。--scale を指定したときはそれが\n"
    "                             収まる最小の用紙）。縮尺は --scale、既定は収まる最小の標準縮尺\n";

// After the settings' lines.
constexpr const char* kUsageTail =
    "  --thumbnail                DXF の横に幅 256 ピクセルの絵（PNG、拡張子 .png）も書き出す（convert）\n"
    "  -r, --recursive            フォルダの中の図面をすべて変換する（下のフォルダも。名前の .jwc、\n"
    "                             .jww（大文字小文字を問わない）か JW_CAD の印で見分け、名前の順に）\n"
    "  --output-dir フォルダ      出力を入力と同じフォルダ構成でこのフォルダの下に書き出す（なければ作る）\n"
    "  -j, --jobs 数              同時に変換する図面の数。図面が少なければ残りは1つの図面の書き出しを\n"
    "                             分担する（既定: CPU のコア数）。結果は -j 1 と同じ\n"
    "  --update                   出力ファイルが図面より新しければ変換しない（中断した実行の再開に）\n"
    "  --report ファイル          図面ごとの結果を JSON Lines で書き出す（入力、出力、状態、理由コード、\n"
    "                             要素数、基準縮尺、バイト数、時間）\n"
    "  --report-format jsonl|csv  報告の形式（既定: jsonl）\n"
    "  -q, --quiet                図面ごとのログを出さず、問題とまとめだけを表示する\n"
    "  --force                    既存の出力ファイルを上書きする\n"
    "  --allow-partial            最後まで読み込めなかった図面も読めた部分を変換する\n"
    "\n"
    "render だけのオプション:\n"
    "  --width ピクセル数         絵の幅（既定: 1200。高さは図面の縦横比から。一辺 20000、全体で\n"
    "                             4000 万ピクセルを超える絵は縦横比のまま小さくする）\n"
    "  --background dark|light    背景 黒（CAD の画面のように。色 7 は白）/ 白（既定: dark）\n"
    "  --picture svg|png|pdf      絵の形式（既定: svg。-o の名前の拡張子 .png, .pdf でも選べる）\n"
    "\n"
    "  -h, --help                 この説明を表示します。\n"
    "\n"
    "複数の図面では最後にまとめ（変換、一部だけ読めた、スキップ、失敗の件数と経過時間）を表示し、\n"
    "端末では進み具合を1行で表示します。\n"
    "\n"
    "終了コード: 0 すべての図面を最後まで読み込んで変換した、1 失敗した図面があった、\n"
    "           2 使い方の誤り、3 すべて変換したが一部だけ変換した図面があった（--allow-partial）。\n";

std::string Usage() {
    std::string usage = kUsageHead;
    for (const Setting& setting : SettingsTable()) usage += setting.help;
    return usage + kUsageTail;
}

int UsageError(std::ostream& err, const std::string& message) {
    err << "orvik-cli: " << message << "\n\n" << Usage();
    return kExitUsage;
}

// info takes file names only ("--" ends options, for names starting with "-").
int Info(const std::vector<std::string>& rest, std::ostream& out, std::ostream& err) {
    std::vector<std::string> files;
    bool optionsDone = false;
    for (const std::string& arg : rest) {
        if (!optionsDone && (arg == "-h" || arg == "--help")) {
            out << Usage();
            return kExitOk;
        }
        if (!optionsDone && arg == "--") {
            optionsDone = true;
            continue;
        }
        if (!optionsDone && arg.size() > 1 && arg.front() == '-')
            return UsageError(err, "不明なオプションです: " + arg);
        files.push_back(arg);
    }
    if (files.empty()) return UsageError(err, "図面ファイルを指定してください");
    return RunInfo(files, out, err);
}

int Convert(const std::vector<std::string>& rest, OutputKind kind, std::ostream& out, std::ostream& err) {
    const auto parsed = ParseConvertOptions(rest);
    if (!parsed.error.empty()) return UsageError(err, parsed.error);
    const ConvertOptions& options = parsed.options;
    if (options.help) {
        out << Usage();
        return kExitOk;
    }
    if (kind == OutputKind::Dxf && options.pictureOptionGiven)
        return UsageError(err, "--width, --background, --picture は render のオプションです");
    if (kind == OutputKind::Picture && options.toGiven) return UsageError(err, "--to は convert のオプションです");
    if (kind == OutputKind::Dxf && options.jww) {
        if (options.thumbnail) return UsageError(err, "--thumbnail は JWW への変換には使えません");
        kind = OutputKind::Jww;
    }
    if (kind == OutputKind::Picture && options.thumbnail)
        return UsageError(err, "--thumbnail は convert のオプションです");
    if (options.thumbnail && options.output == kStandardOutput)
        return UsageError(err, "--thumbnail は標準出力への変換には使えません");
    // What this build's painter cannot draw.
    const PictureType wanted = options.thumbnail ? PictureType::Png : options.pictureType;
    if ((kind == OutputKind::Picture || options.thumbnail) && !CanDrawPictures(wanted))
        return UsageError(
            err, std::string("このビルドは ") + (wanted == PictureType::Pdf ? "PDF" : "PNG") + " の絵を書けません");
    if (options.files.empty()) return UsageError(err, "図面ファイルを指定してください");
    if (options.output && (options.recursive || options.outputDir))
        return UsageError(err, "-r や --output-dir とともに -o は使えません（出力先は --output-dir で指定します）");
    if (options.files.size() > 1 && options.output && !os::IsFolder(*options.output))
        return UsageError(err, "入力が複数のとき -o には既存のフォルダを指定してください: " + *options.output);
    if (options.outputDir) {
        // A folder made meanwhile by another run is as good.
        if (const int error = os::CreateFolders(*options.outputDir)) {
            err << PrintableName(*options.outputDir) << ": 出力フォルダを作れません（"
                << Cp932ToUtf8(SystemErrorText(error)) << "）\n";
            return kExitSomeFailed;
        }
    }
    return RunConvert(options, kind, out, err);
}

}  // namespace

std::string Decimal(double value, int places) { return FixedText(value, places); }

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return UsageError(err, "コマンドを指定してください");
    const std::string& command = args.front();
    if (command == "-h" || command == "--help") {
        out << Usage();
        return kExitOk;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "info") return Info(rest, out, err);
    if (command == "convert") return Convert(rest, OutputKind::Dxf, out, err);
    if (command == "render") return Convert(rest, OutputKind::Picture, out, err);
    return UsageError(err, "不明なコマンドです: " + command);
}

}  // namespace orvik::cli
