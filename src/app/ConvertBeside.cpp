#include "app/ConvertBeside.h"

#include "app/BatchLog.h"
#include "app/SettingChecks.h"
#include "app/WindowPorts.h"
#include "os/System.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {
namespace {

// The question for one existing DXF: its path, whether it is newer than the drawing, then the question.
std::string ReplaceQuestionText(const std::string& drawing, const std::string& output) {
    std::string text = output + std::string(kCrLf);
    std::time_t written = 0, drawn = 0;
    if (os::ModificationTime(output, written) && os::ModificationTime(drawing, drawn) && written > drawn)
        text += Cp932ToUtf8(kBesideNewer) + std::string(kCrLf);
    return text + Cp932ToUtf8(std::string(kAlreadyExists) + std::string(kCrLf) + std::string(kOverwriteQuestion));
}

// `replace`: the DXF existed and the user said to replace it; else a DXF that appeared meanwhile is refused.
DrawingJobOutcome ConvertOne(const std::string& drawing, const std::string& output, const ConversionSettings& settings,
                             bool replace) {
    DrawingJobRequest request;
    request.input = drawing;
    request.settings = settings;
    request.output = output;
    request.rules.protectedFiles = FileIdentities({drawing});
    request.rules.replaceExisting = replace;
    request.writers = os::ProcessorCount();
    return RunDrawingJob(request);
}

}  // namespace

bool BesideRun::AllDone() const {
    if (unusableSettings) return false;
    for (const BesideConversion& done : drawings)
        if (!done.kept && done.outcome.status != JobStatus::Converted) return false;
    return true;
}

BesideRun ConvertAllBeside(const std::vector<std::string>& drawings, const SettingsStore& store,
                           const ReplaceQuestion& ask) {
    BesideRun run;
    const SettingTexts texts = StoredSettingTexts(store).value_or(TextsOf(ConversionSettings{}));
    const std::optional<ConversionSettings> settings = WindowSettingsFrom(texts);
    if (!settings) {
        run.unusableSettings = true;
        return run;
    }
    bool replaceAll = false;
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        BesideConversion done;
        done.drawing = drawings[i];
        done.output = DxfPathFor(done.drawing);
        std::time_t written = 0;
        const bool exists = os::ModificationTime(done.output, written);
        if (exists && !replaceAll) {
            const ReplaceAnswer answer = ask(ReplaceQuestionText(done.drawing, done.output), i + 1 < drawings.size());
            replaceAll = answer == ReplaceAnswer::All;
            done.kept = answer == ReplaceAnswer::No;
        }
        if (!done.kept) done.outcome = ConvertOne(done.drawing, done.output, *settings, exists);
        run.drawings.push_back(std::move(done));
    }
    return run;
}

std::string BesideRunReport(const BesideRun& run) {
    if (run.unusableSettings) return Cp932ToUtf8(kKeptSettingsUnusable);
    std::string report;
    std::size_t told = 0, untold = 0;
    for (const BesideConversion& done : run.drawings) {
        if (done.kept || done.outcome.status == JobStatus::Converted) continue;
        if (told == kNamesInABox) {
            ++untold;
            continue;
        }
        if (told++ > 0) report += std::string(kCrLf) + std::string(kCrLf);
        report += done.drawing;
        for (const std::string& line : BatchItemLog(done.drawing, done.output, done.outcome))
            report += std::string(kCrLf) + line;
    }
    if (untold > 0) report += std::string(kCrLf) + std::string(kCrLf) + AndMore(untold);
    return report;
}

}  // namespace orvik
