#include "app/WindowCommands.h"

#include "app/BatchLog.h"
#include "app/DrawingJob.h"
#include "app/OutputFormatChoices.h"
#include "app/SettingChecks.h"
#include "os/System.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {
namespace {

std::string AlreadyExistsQuestion() {
    return Cp932ToUtf8(std::string(kAlreadyExists) + std::string(kCrLf) + std::string(kOverwriteQuestion));
}

// A batch's question before replacing files: how many, and the first few by name.
std::string ExistingFilesQuestion(const std::vector<std::string>& outputs) {
    std::vector<std::string> existing;
    for (const std::string& output : outputs)
        if (os::Exists(output)) existing.push_back(os::Utf8Path(os::FsPath(output).filename()));
    if (existing.empty()) return {};
    std::string question = Cp932ToUtf8(kExistingFiles) + std::to_string(existing.size()) + Cp932ToUtf8(kCountSuffix);
    for (const std::string& line : FirstNames(existing, kNamesInABox)) question += std::string(kCrLf) + line;
    return question + std::string(kCrLf) + Cp932ToUtf8(kOverwriteQuestion);
}

}  // namespace

void WindowCommands::ConvertAndSave() {
    try {
        if (!CheckAndCopySettings()) return;
        if (state_.fileCount == 0) {
            dialogs_.ShowInfo(Cp932ToUtf8(kNothingLoaded));
            return;
        }
        if (state_.fileCount == 1)
            SaveSingle();
        else
            SaveBatch();
    } catch (const FailureError& e) {
        // The command ends here; files finished before stay, nothing is half-written.
        dialogs_.ShowError(NamingFileAsItIs(e.what(), state_.currentPath));
    } catch (const std::bad_alloc&) {
        dialogs_.ShowError(NamedWithReason(state_.currentPath, kOutOfMemory));
    }
}

void WindowCommands::SaveSingle() {
    state_.currentPath = DxfPathFor(state_.currentPath);
    const auto chosen = dialogs_.ChooseSaveFile(state_.currentPath, ChoiceOf(settings_.outputFormat).fileType);
    if (!chosen) return;
    state_.currentPath = *chosen;
    if (!HasExtension(state_.currentPath, ".DXF")) {
        // The dialog asked about the typed name; the file written is the ".dxf" one.
        state_.currentPath = DxfPathFor(state_.currentPath);
        if (os::Exists(state_.currentPath) && !dialogs_.AskYesNo(state_.currentPath + AlreadyExistsQuestion())) return;
    }
    view_.AppendLog("");
    view_.AppendLog(state_.currentPath);
    view_.AppendLog("");
    if (!Convert(state_.sourcePath, state_.currentPath)) return;
    FinishSave(Cp932ToUtf8(kSaveFinished), state_.currentPath,
               os::Utf8Path(os::FsPath(state_.currentPath).parent_path()));
}

void WindowCommands::SaveBatch() {
    const std::string initial = os::Utf8Path(os::FsPath(state_.batchFiles.front()).parent_path());
    const auto folder = dialogs_.ChooseFolder(Cp932ToUtf8(kFolderTitle), initial);
    if (!folder) return;
    std::vector<std::string> outputs;
    for (const std::string& input : state_.batchFiles)
        outputs.push_back(os::Utf8Path(os::FsPath(*folder) / os::FsPath(DxfPathFor(input)).filename()));
    const std::string question = ExistingFilesQuestion(outputs);
    if (!question.empty() && !dialogs_.AskYesNo(question)) return;

    // Each drawing converted on its own on a worker thread; a damaged or
    // failing drawing is logged and the batch goes on, to one summary.
    const std::size_t n = state_.batchFiles.size();
    BatchTally tally;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& input = state_.batchFiles[i];
        if (view_.CancelRequested()) {
            for (std::size_t j = i; j < n; ++j) tally.notReached.push_back(state_.batchFiles[j]);
            tally.stopped = true;
            break;
        }
        view_.ShowProgress(static_cast<int>(i), static_cast<int>(n), input);
        view_.AppendLog(input + std::string(kCrLf));
        DrawingJobRequest request;
        request.input = input;
        request.settings = settings_;
        request.output = outputs[i];
        request.writers = os::ProcessorCount();  // drawings one at a time: every core writes
        DrawingJobOutcome outcome;
        view_.RunInBackground([&] { outcome = RunDrawingJob(request); });
        for (const std::string& line : BatchItemLog(input, outputs[i], outcome)) view_.AppendLog(line);
        if (!outcome.scales.items.empty()) view_.SetScaleList(outcome.scales);
        state_.currentPath = outputs[i];
        state_.batchMarks[i] =
            BatchMark{outcome.status, outcome.status == JobStatus::Converted ? std::string()
                                      : outcome.status == JobStatus::PartlyRead && StopsARead(outcome.reason)
                                          ? std::string(kIncompleteRead) + outcome.damage
                                          : outcome.message};
        tally.Add(outcome.status, input);
    }
    view_.ShowProgress(0, 0, "");
    view_.AppendLog("");
    for (const std::string& line : BatchSummary(tally)) view_.AppendLog(line);
    // The box names only a few drawings of each kind (the log has them all), so that it fits the screen.
    std::string summaryText;
    for (const std::string& line : BatchSummary(tally, kNamesInABox)) summaryText += std::string(kCrLf) + line;
    const std::string heading =
        tally.stopped ? Cp932ToUtf8(kBatchStopped) + std::to_string(tally.Written()) + Cp932ToUtf8(kCountSuffix)
                      : Cp932ToUtf8(kSaveFinished);
    FinishSave(heading, *folder + summaryText, *folder);
}

// The end of a save: the message says how it ended (`heading`), names what
// was written and offers its folder.
void WindowCommands::FinishSave(const std::string& heading, const std::string& written, const std::string& folder) {
    view_.FocusWindow();
    if (dialogs_.ShowSaveFinished(heading + std::string(kCrLf) + written))
        dialogs_.OpenFolder(folder.empty() ? std::string(".") : folder);
}

// The conversion and the save run on a worker thread, the window repainting
// meanwhile; the report follows the save, so that a failed save shows no
// report as if saved. False when the save failed (and the user was told).
bool WindowCommands::Convert(const std::string& source, const std::string& output) {
    DrawingJobRequest request;
    request.input = source;
    request.loaded = &drawing_;
    request.loadedImages = images_;
    request.settings = settings_;
    request.scale = view_.ScaleText();
    request.output = output;
    request.writers = os::ProcessorCount();
    DrawingJobOutcome outcome;
    view_.ShowProgress(0, 1, source);
    view_.RunInBackground([&] { outcome = RunDrawingJob(request); });
    view_.ShowProgress(0, 0, "");
    if (outcome.status != JobStatus::Converted) {
        dialogs_.ShowError(outcome.reason == Reason::OutOfMemory ? NamedWithReason(output, kOutOfMemory)
                                                                 : NamingFileAsItIs(outcome.message, output));
        return false;
    }
    for (const std::string& line : outcome.conversionLines) view_.AppendLog(Cp932ToUtf8(line));
    for (const std::string& line : outcome.warnings) view_.AppendLog(Cp932ToUtf8(line));
    for (const std::string& image : outcome.imageFiles) view_.AppendLog(image);
    return true;
}

}  // namespace orvik
