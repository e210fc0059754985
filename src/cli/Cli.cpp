#include "cli/Cli.h"

#include <ostream>

#include "cli/InfoCommand.h"

namespace orvik::cli {
namespace {

constexpr const char* kUsage =
    "使い方: orvik-cli info ファイル.jwc...\n"
    "\n"
    "  info    各図面のヘッダー文字列と、直線・円弧・文字列・実点・仮想点の数を表示します。\n"
    "\n"
    "オプション:\n"
    "  -h, --help    この説明を表示します。\n"
    "\n"
    "終了コード: 0 すべて成功、1 読み込めない図面があった、2 使い方の誤り。\n";

int UsageError(std::ostream& err, const std::string& message) {
    err << "orvik-cli: " << message << "\n\n" << kUsage;
    return kExitUsage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return UsageError(err, "コマンドを指定してください");
    const std::string& command = args.front();
    if (command == "-h" || command == "--help") {
        out << kUsage;
        return kExitOk;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "info") {
        std::vector<std::string> files;
        bool optionsDone = false;
        for (const std::string& arg : rest) {
            if (!optionsDone && (arg == "-h" || arg == "--help")) {
                out << kUsage;
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
    return UsageError(err, "不明なコマンドです: " + command);
}

}  // namespace orvik::cli
