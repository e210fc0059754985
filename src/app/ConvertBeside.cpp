#include "app/ConvertBeside.h"

#include "app/BatchLog.h"
#include "app/SettingChecks.h"
#include "os/System.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {

BesideConversion ConvertBeside(const std::string& drawing, const SettingsStore& store) {
    BesideConversion done;
    done.output = DxfPathFor(drawing);
    const ControlValues controls = StoredControls(store).value_or(ControlsOf(ConversionSettings{}));
    const std::optional<ConversionSettings> settings = SettingsFromControls(controls);
    if (!settings) {
        done.unusableSettings = true;
        return done;
    }
    std::time_t written = 0, drawn = 0;
    if (os::ModificationTime(done.output, written) && os::ModificationTime(drawing, drawn) && written >= drawn) {
        done.upToDate = true;
        return done;
    }
    DrawingJobRequest request;
    request.input = drawing;
    request.settings = *settings;
    request.output = done.output;
    request.rules.protectedFiles = FileIdentities({drawing});
    request.writers = os::ProcessorCount();
    done.outcome = RunDrawingJob(request);
    return done;
}

std::string BesideConversionReport(const std::string& drawing, const BesideConversion& done) {
    if (done.unusableSettings) return std::string(kKeptSettingsUnusable);
    if (done.upToDate) return Utf8ToCp932(done.output) + std::string(kCrLf) + std::string(kBesideUpToDate);
    if (done.outcome.status == JobStatus::Converted) return {};
    std::string report = Utf8ToCp932(drawing);
    for (const std::string& line : BatchItemLog(drawing, done.output, done.outcome))
        report += std::string(kCrLf) + line;
    return report;
}

}  // namespace orvik
