#include "cli/ConvertCommand.h"

#include <filesystem>
#include <ostream>
#include <set>

#include "cli/Cli.h"
#include "cli/ReadDrawing.h"
#include "dxf/ConvertDrawing.h"
#include "textconv/Cp932.h"
#include "Unit2/DrawingReport.h"
#include "Unit2/SaveCommand.h"

namespace orvik::cli {
namespace {

namespace fs = std::filesystem;

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// Where the DXF of `input` goes: -o names the file (one input) or a folder.
std::string OutputPathFor(const ConvertOptions& options, const std::string& input) {
    if (!options.output) return DxfPathFor(input);
    if (IsFolder(*options.output)) return (fs::path(*options.output) / fs::path(DxfPathFor(input)).filename()).string();
    return *options.output;
}

// One conversion run: the process-wide state of the window, kept here.
class Converter {
public:
    Converter(const ConvertOptions& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err), info_(options.settings) {}

    bool Convert(const std::string& input) {
        const ReadOutcome read = ReadDrawing(input, drawing_, out_, err_);
        if (read == ReadOutcome::Refused) return false;
        if (read == ReadOutcome::Incomplete && !options_.allowPartial) {
            err_ << input << ": 変換しません（読み込めた部分だけを変換するには --allow-partial を指定してください）\n";
            return false;
        }
        const ScaleList scales = FillScaleBox(drawing_, tables_);
        if (!options_.scale && scales.selected < 0) {
            err_ << input << ": 図面に要素がないため基準縮尺が決まりません。変換しません（--scale で指定できます）\n";
            return false;
        }
        const std::string scaleText = options_.scale ? *options_.scale : scales.items[scales.selected];
        const std::string output = OutputPathFor(options_, input);
        if (!written_.insert(fs::weakly_canonical(output).string()).second) {
            err_ << output << ": この実行ですでに書き出したファイルです。上書きしません\n";
            return false;
        }
        std::error_code ec;
        if (!options_.force && fs::exists(output, ec)) {
            err_ << output << ": " << Cp932ToUtf8(kAlreadyExists) << "上書きするには --force を指定してください\n";
            return false;
        }
        out_ << '\n' << output << "\n\n";
        try {
            ConvertDrawing(drawing_, info_, tables_,
                           ConversionRequest{input, output, scaleText},
                           [this](const DxfTables& tables, const THenkanInfo& info) {
                               for (const auto& line : UsedLayerReport(tables, info.DefpointsUsed))
                                   out_ << Cp932ToUtf8(line) << '\n';
                           });
        } catch (const ConversionError& e) {
            out_.flush();
            err_ << input << ": " << Cp932ToUtf8(e.what()) << '\n';
            return false;
        }
        return true;
    }

private:
    const ConvertOptions& options_;
    std::ostream& out_;
    std::ostream& err_;
    JwcDrawing drawing_;
    THenkanInfo info_;
    DxfTables tables_;
    std::set<std::string> written_;
};

}  // namespace

int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
    Converter converter(options, out, err);
    const std::size_t n = options.files.size();
    bool allGood = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (n > 1) {
            if (i > 0) out << '\n';
            out.flush();
            err << '[' << i + 1 << '/' << n << "] " << options.files[i] << '\n';
        }
        allGood = converter.Convert(options.files[i]) && allGood;
    }
    return allGood ? kExitOk : kExitSomeFailed;
}

}  // namespace orvik::cli
