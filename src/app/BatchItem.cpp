#include "app/BatchItem.h"

#include <new>

#include "app/LayerReport.h"
#include "app/OutputFormatChoices.h"
#include "app/ReadDrawing.h"
#include "app/ReadReport.h"
#include "app/WindowPorts.h"
#include "convert/Conversion.h"
#include "os/System.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {

BatchItemResult ConvertBatchItem(const std::string& input, const std::string& output, const ConversionSettings& settings) {
    BatchItemResult r;
    const std::string crLf(kCrLf);
    try {
        const FileCheck check = CheckDrawingFile(input);
        if (check.refusal != FileRefusal::None) {
            r.log.push_back(Utf8ToCp932(input) + std::string(kRefusalPathSuffix) + std::string(RefusalText(check)));
            return r;
        }
        JwcDrawing drawing;
        const LoadOutcome load = LoadDrawing(input, drawing);
        if (!load.complete) r.log.push_back(std::string(kIncompleteRead) + load.damage);
        r.scales = ListProposedScales(drawing);
        const std::string scale = r.scales.selected >= 0 ? r.scales.items[r.scales.selected] : std::string();
        const Conversion conversion(drawing, settings, ConversionRequest{input, scale});
        conversion.SaveAs(output, os::ProcessorCount());  // drawings one at a time: every core writes
        // The report follows the save, so that a failed save shows no report as if saved.
        r.log.push_back(Utf8ToCp932(output) + crLf);
        for (const std::string& line : ReadSummaryLines(drawing)) r.log.push_back(line);
        if (const std::string format = OutputFormatLogLine(settings.outputFormat); !format.empty()) r.log.push_back(format);
        for (const std::string& line : ReportUsedLayers(conversion.Result())) r.log.push_back(line);
        r.outcome = load.complete ? BatchItemResult::Outcome::Converted : BatchItemResult::Outcome::PartlyRead;
    } catch (const ConversionError& e) {
        r.log.push_back(e.what());
        r.outcome = BatchItemResult::Outcome::Failed;
    } catch (const std::bad_alloc&) {
        r.log.push_back(WithReason(Utf8ToCp932(input), kOutOfMemory));
        r.outcome = BatchItemResult::Outcome::Failed;
    }
    return r;
}

std::vector<std::string> BatchSummary(int converted, const std::vector<std::string>& partlyRead,
                                      const std::vector<std::string>& failed, const std::vector<std::string>& notReached) {
    std::vector<std::string> lines;
    const auto counted = [&](std::string_view label, std::size_t n, const std::vector<std::string>& names) {
        lines.push_back(std::string(label) + std::to_string(n) + std::string(kCountSuffix));
        for (const std::string& name : names) lines.push_back("  " + name);
    };
    counted(kBatchConverted, static_cast<std::size_t>(converted), {});
    counted(kBatchPartlyRead, partlyRead.size(), partlyRead);
    counted(kBatchFailed, failed.size(), failed);
    if (!notReached.empty()) counted(kBatchCancelled, notReached.size(), notReached);
    return lines;
}

}  // namespace orvik
