#include "cli/ConvertCommand.h"

#include <unistd.h>

#include <filesystem>
#include <new>
#include <ostream>
#include <set>

#include "app/LayerReport.h"
#include "app/OutputFormatChoices.h"
#include "app/SettingChecks.h"
#include "cli/Cli.h"
#include "cli/ReadLog.h"
#include "convert/Conversion.h"
#include "convert/ProposedScales.h"
#include "dxf/AtomicFile.h"
#include "picture/DisplayListBuilder.h"
#ifdef ORVIK_HAVE_QT_PICTURES
#include "cli/QtPictures.h"
#endif
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik::cli {
namespace {

namespace fs = std::filesystem;

enum class Outcome { Failed, Partial, Complete };

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool ToStandardOutput(const ConvertOptions& options) { return options.output == kStandardOutput; }

// Where the output of `input` goes: beside it by default; -o names the file
// (one input) or a folder.
std::string OutputPathFor(const ConvertOptions& options, OutputKind kind, const std::string& input) {
    static constexpr const char* kPictureExtensions[] = {".svg", ".png", ".pdf"};
    const char* extension = kind == OutputKind::Dxf ? ".dxf" : kPictureExtensions[static_cast<int>(options.pictureType)];
    const std::string beside = PathWithExtension(input, extension);
    if (!options.output) return beside;
    if (IsFolder(*options.output)) return (fs::path(*options.output) / fs::path(beside).filename()).string();
    return *options.output;
}

// The picture of the conversion's DXF file, SVG or PNG.
std::string PictureBytes(const Conversion& conversion, const ConvertOptions& options) {
    const DisplayList list = PictureOf(conversion);
#ifdef ORVIK_HAVE_QT_PICTURES
    if (options.pictureType == PictureType::Png) return PngPicture(list, options.picture);
    if (options.pictureType == PictureType::Pdf) return PdfPicture(list, options.picture);
#endif
    return SvgPicture(list, options.picture);
}

// Writes the bytes to the output, which appears only complete.
void SaveBytes(const std::string& output, std::string_view bytes) {
    AtomicFile file(output);
    file.Write(bytes);
    file.Commit();
}

// One run over the inputs, with the drawing being converted and the outputs
// written so far.
class Converter {
public:
    Converter(const ConvertOptions& options, OutputKind kind, std::ostream& log, std::ostream& err)
        : options_(options), kind_(kind), log_(log), err_(err) {}

    Outcome Convert(const std::string& input) {
        const ReadOutcome read = ReadAndReport(input, drawing_, log_, err_);
        if (read == ReadOutcome::Refused) return Outcome::Failed;
        if (read == ReadOutcome::Incomplete && !options_.allowPartial) {
            err_ << input << ": 変換しません（読み込めた部分だけを変換するには --allow-partial を指定してください）\n";
            return Outcome::Failed;
        }
        const ScaleList scales = ListProposedScales(drawing_);
        if (!options_.scale && scales.selected < 0) {
            err_ << input << ": 図面に要素がないため基準縮尺が決まりません。変換しません（--scale で指定できます）\n";
            return Outcome::Failed;
        }
        const std::string scaleText = options_.scale ? *options_.scale : scales.items[scales.selected];
        const std::string output = OutputPathFor(options_, kind_, input);
        if (!ToStandardOutput(options_) && !MayWrite(output)) return Outcome::Failed;
        const std::string thumbnail = options_.thumbnail ? PathWithExtension(output, ".png") : std::string();
        if (!thumbnail.empty() && !MayWrite(thumbnail)) return Outcome::Failed;
        try {
            log_ << '\n';
            if (!ToStandardOutput(options_)) log_ << output << "\n\n";
            const Conversion conversion(drawing_, options_.settings, ConversionRequest{input, scaleText});
            if (kind_ == OutputKind::Picture) {
                const std::string picture = PictureBytes(conversion, options_);
                if (ToStandardOutput(options_))
                    DescriptorSink(STDOUT_FILENO, "-").Write(picture);
                else
                    SaveBytes(output, picture);
            } else if (ToStandardOutput(options_)) {
                DescriptorSink standardOutput(STDOUT_FILENO, "-");
                conversion.WriteTo(standardOutput);
            } else {
                conversion.SaveAs(output);
            }
            // The report follows the write: a failed write shows none as if written.
            if (const std::string format = OutputFormatLogLine(options_.settings.outputFormat); !format.empty())
                log_ << Cp932ToUtf8(format) << '\n';
            for (const auto& line : ReportUsedLayers(conversion.Result())) log_ << Cp932ToUtf8(line) << '\n';
#ifdef ORVIK_HAVE_QT_PICTURES
            if (!thumbnail.empty()) {
                SaveBytes(thumbnail, PngPicture(PictureOf(conversion), PictureOptions{kThumbnailWidth, false}));
                log_ << thumbnail << '\n';
            }
#endif
        } catch (const ConversionError& e) {
            log_.flush();
            err_ << input << ": " << Cp932ToUtf8(e.what()) << '\n';
            return Outcome::Failed;
        }
        return read == ReadOutcome::Complete ? Outcome::Complete : Outcome::Partial;
    }

private:
    // An output this run may write: not written before in this run, and not
    // already there unless --force says so.
    bool MayWrite(const std::string& output) {
        std::error_code ec;
        const fs::path canonical = fs::weakly_canonical(output, ec);
        if (ec) {
            err_ << output << ": " << Cp932ToUtf8(CannotCreateFile(output, SystemErrorText(ec.value()))) << '\n';
            return false;
        }
        if (!written_.insert(canonical.string()).second) {
            err_ << output << ": この実行ですでに書き出したファイルです。上書きしません\n";
            return false;
        }
        if (!options_.force && fs::symlink_status(output, ec).type() != fs::file_type::not_found && !ec) {
            err_ << output << ": " << Cp932ToUtf8(kAlreadyExists) << "上書きするには --force を指定してください\n";
            return false;
        }
        return true;
    }

    const ConvertOptions& options_;
    OutputKind kind_;
    std::ostream& log_;
    std::ostream& err_;
    JwcDrawing drawing_;
    std::set<std::string> written_;
};

}  // namespace

int RunConvert(const ConvertOptions& options, OutputKind kind, std::ostream& out, std::ostream& err) {
    // With the DXF on standard output, the log goes with the messages.
    std::ostream& log = ToStandardOutput(options) ? err : out;
    Converter converter(options, kind, log, err);
    const std::size_t n = options.files.size();
    bool anyFailed = false, anyPartial = false;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& input = options.files[i];
        if (n > 1) {
            if (i > 0) log << '\n';
            log.flush();
            err << '[' << i + 1 << '/' << n << "] " << input << '\n';
        }
        Outcome outcome = Outcome::Failed;
        try {
            outcome = converter.Convert(input);
        } catch (const std::bad_alloc&) {
            err << input << ": " << Cp932ToUtf8(kOutOfMemory) << '\n';
        } catch (const std::exception& e) {
            err << input << ": " << e.what() << '\n';
        }
        anyFailed = anyFailed || outcome == Outcome::Failed;
        anyPartial = anyPartial || outcome == Outcome::Partial;
    }
    if (anyFailed) return kExitSomeFailed;
    return anyPartial ? kExitPartial : kExitOk;
}

}  // namespace orvik::cli
