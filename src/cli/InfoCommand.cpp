#include "cli/InfoCommand.h"

#include <filesystem>
#include <ostream>

#include "cli/Cli.h"
#include "jwcunit/JwcLoader.h"
#include "textconv/Cp932.h"
#include "Unit2/ReadReport.h"

namespace orvik::cli {
namespace {

void Refuse(std::ostream& err, const std::string& path, std::string_view reason) {
    err << path << Cp932ToUtf8(kRefusalPathSuffix) << '\n' << Cp932ToUtf8(reason) << '\n';
}

// Reports one file; false when it is not a drawing or was not read completely.
bool ReportFile(const std::string& path, std::ostream& out, std::ostream& err) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        err << path << ": ファイルが見つかりません\n";
        return false;
    }
    if (!HasJwcExtension(path)) {
        Refuse(err, path, kNotJwCadByExtension);
        return false;
    }
    if (!IsJwcFile(path)) {
        Refuse(err, path, kNotJwCadBySignature);
        return false;
    }
    JwcDrawing drawing;
    LoadError error;
    const bool complete = LoadJwcFile(path, drawing, &error);
    // What was read is shown even when the file is damaged.
    out << path << "\n\n";
    for (const std::string& line : ReadSummaryLines(drawing)) out << Cp932ToUtf8(line) << '\n';
    if (!complete) {
        out.flush();
        err << path << ": 図面を最後まで読み込めませんでした。" << Cp932ToUtf8(DescribeLoadError(error)) << '\n';
    }
    return complete;
}

}  // namespace

int RunInfo(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
    bool allGood = true;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0) out << '\n';
        allGood = ReportFile(files[i], out, err) && allGood;
    }
    return allGood ? kExitOk : kExitSomeFailed;
}

}  // namespace orvik::cli
