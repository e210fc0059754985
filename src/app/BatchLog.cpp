#include "app/BatchLog.h"

#include "app/WindowPorts.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {

std::vector<std::string> BatchItemLog(const std::string& input, const std::string& output,
                                      const DrawingJobOutcome& outcome) {
    std::vector<std::string> log;
    if (outcome.status == JobStatus::Refused && !outcome.read)
        return {input + Cp932ToUtf8(std::string(kRefusalPathSuffix) + outcome.message)};
    if (!outcome.damage.empty()) log.push_back(Cp932ToUtf8(std::string(kIncompleteRead) + outcome.damage));
    const auto add = [&](const std::vector<std::string>& cp932) {
        for (const std::string& line : cp932) log.push_back(Cp932ToUtf8(line));
    };
    switch (outcome.status) {
        case JobStatus::Converted:
        case JobStatus::PartlyRead:
            log.push_back(output + std::string(kCrLf));
            add(outcome.readSummary);
            add(outcome.conversionLines);
            add(outcome.warnings);
            log.insert(log.end(), outcome.imageFiles.begin(), outcome.imageFiles.end());
            break;
        case JobStatus::Failed:
        case JobStatus::Refused:
        case JobStatus::Skipped:
            // Messages of failed saves name their file; the others are said of the drawing.
            if (outcome.reason == Reason::NoScale || outcome.reason == Reason::OutOfMemory ||
                StopsARead(outcome.reason))
                log.push_back(NamedWithReason(input, outcome.message));
            else
                log.push_back(NamingFileAsItIs(outcome.message, output));
            break;
    }
    return log;
}

void BatchTally::Add(JobStatus status, std::string name) {
    switch (status) {
        case JobStatus::Converted: ++converted; return;
        case JobStatus::PartlyRead: partlyRead.push_back(std::move(name)); return;
        case JobStatus::Skipped: skipped.push_back(std::move(name)); return;
        case JobStatus::Refused:
        case JobStatus::Failed: failed.push_back(std::move(name)); return;
    }
}

std::string AndMore(std::size_t count) {
    return Cp932ToUtf8(kAndMore) + std::to_string(count) + Cp932ToUtf8(kCountSuffix);
}

std::string NamedWithReason(const std::string& path, std::string_view cp932Reason) {
    return path + Cp932ToUtf8(WithReason("", cp932Reason));
}

std::vector<std::string> FirstNames(const std::vector<std::string>& names, std::size_t atMost) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < names.size() && i < atMost; ++i) lines.push_back("  " + names[i]);
    if (names.size() > atMost) lines.push_back("  " + AndMore(names.size() - atMost));
    return lines;
}

std::vector<std::string> BatchSummary(const BatchTally& tally, std::size_t namesAtMost) {
    std::vector<std::string> lines;
    const auto counted = [&](std::string_view label, std::size_t n, const std::vector<std::string>& names) {
        lines.push_back(Cp932ToUtf8(label) + std::to_string(n) + Cp932ToUtf8(kCountSuffix));
        for (std::string& line : FirstNames(names, namesAtMost)) lines.push_back(std::move(line));
    };
    std::vector<std::string> notConverted = tally.failed;
    notConverted.insert(notConverted.end(), tally.skipped.begin(), tally.skipped.end());
    counted(kBatchConverted, static_cast<std::size_t>(tally.converted), {});
    counted(kBatchPartlyRead, tally.partlyRead.size(), tally.partlyRead);
    counted(kBatchFailed, notConverted.size(), notConverted);
    if (!tally.notReached.empty()) counted(kBatchCancelled, tally.notReached.size(), tally.notReached);
    return lines;
}

}  // namespace orvik
