#include "app/WindowCommands.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <new>

#include "app/BatchLog.h"
#include "app/DrawingJob.h"
#include "app/OutputFormatChoices.h"
#include "app/ReadDrawing.h"
#include "app/ReadReport.h"
#include "app/SettingChecks.h"
#include "convert/Conversion.h"
#include "os/System.h"
#include "picture/DisplayListBuilder.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;


// A path as the log and the messages show it.
std::string Shown(const std::string& path) { return Utf8ToCp932(path); }

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(os::FsPath(path), ec);
}

std::string AlreadyExistsQuestion() {
    return std::string(kAlreadyExists) + std::string(kCrLf) + std::string(kOverwriteQuestion);
}

}  // namespace

std::vector<std::string> SplitLogText(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (true) {
        const auto end = text.find(kCrLf, at);
        lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) break;
        at = end + kCrLf.size();
    }
    return lines;
}

// Loads the drawing (a JWW one mapped onto the conversion's model) and
// shows its report and the scales to choose from. A drawing that could not
// be read completely is kept as far as it goes, and the user is told.
void WindowCommands::ShowDrawing(const std::string& path, DrawingFile& file, DrawingFormat format) {
    ReadForConversion read = file.Read(format, drawing_);
    images_ = std::move(read.images);
    for (const std::string& line : read.summary) view_.AppendLog(line);
    for (const std::string& line : read.warnings) view_.AppendLog(line);
    if (!read.load.complete) {
        view_.AppendLog(std::string(kIncompleteRead) + read.load.damage);
        dialogs_.ShowWarning(Shown(path) + std::string(kCrLf) + std::string(kIncompleteRead) + std::string(kCrLf) +
                             read.load.damage + std::string(kCrLf) + std::string(kPartialConvertible));
    }
    state_.sourcePath = path;
    view_.SetScaleList(ListProposedScales(drawing_));
}

void WindowCommands::OpenDrawings() {
    const std::vector<std::string> files = dialogs_.ChooseOpenFiles();
    if (!files.empty()) ReadFiles(files, FileArrival::Chosen);
}

void WindowCommands::DropFiles(const std::vector<std::string>& paths) { ReadFiles(paths, FileArrival::Dropped); }

// What the user is told of a file that is not read: the path and why. A
// dropped file's wrong name or signature is said without its path; a
// chosen file of a batch without the signature is named by its extension.
std::string WindowCommands::RefusalMessage(const std::string& path, const FileCheck& check, FileArrival how, bool inBatch) {
    if (how == FileArrival::Dropped) {
        if (!inBatch && check.refusal == FileRefusal::WrongExtension) return std::string(kDroppedNotJwCadByExtension);
        if (!inBatch && check.refusal == FileRefusal::NotJwCad) return std::string(kDroppedNotJwCadBySignature);
        return Shown(path) + std::string(kDroppedPathSuffix) + std::string(kCrLf) + std::string(RefusalText(check));
    }
    const std::string_view reason = inBatch && check.refusal == FileRefusal::NotJwCad ? kNotJwCadByExtension : RefusalText(check);
    return Shown(path) + std::string(kRefusalPathSuffix) + std::string(kCrLf) + std::string(reason);
}

// One file is read and shown; several are listed as a batch, each checked
// first. A refused file is told and every file forgotten.
void WindowCommands::ReadFiles(const std::vector<std::string>& paths, FileArrival how) {
    const bool dropped = how == FileArrival::Dropped;
    state_.fileCount = 0;
    state_.batchFiles.clear();
    state_.batchMarks.clear();
    if (dropped) view_.FocusWindow();
    state_.fileCount = static_cast<int>(paths.size());
    auto refuse = [&](const std::string& path, const FileCheck& check, bool inBatch) {
        if (!dropped) dialogs_.Beep();
        view_.FocusWindow();
        dialogs_.ShowWarning(RefusalMessage(path, check, how, inBatch));
        if (dropped || inBatch) view_.ClearLog();
        state_.fileCount = 0;
    };

    if (paths.size() == 1) {
        const std::string& path = paths.front();
        state_.currentPath = path;
        view_.ClearLog();
        if (dropped) view_.AppendLog(Shown(path) + std::string(kCrLf));
        DrawingFile file(path);
        const FileCheck check = file.Check();
        if (!dropped && check.refusal == FileRefusal::Missing) {  // a name typed in the dialog: nothing is said
            state_.fileCount = 0;
            return;
        }
        if (check.refusal != FileRefusal::None) return refuse(path, check, false);
        if (!dropped) view_.AppendLog(Shown(path) + std::string(kCrLf));
        return ShowDrawing(path, file, check.format);
    }

    view_.ClearLog();
    view_.AppendLog(std::string(kBatchTitle) + std::string(kCrLf));
    state_.batchFiles = paths;
    state_.batchMarks.assign(paths.size(), std::nullopt);
    for (const std::string& path : paths) {
        const FileCheck check = CheckDrawingFile(path);
        if (check.refusal != FileRefusal::None) return refuse(path, check, true);
        view_.AppendLog(Shown(path));
    }
    view_.AppendLog(std::string(kCrLf));
}

void WindowCommands::Forget() {
    view_.ClearLog();
    state_.fileCount = 0;
}

namespace {

// The settings the controls describe, with the three numeric fields as checked.
ConversionSettings SettingsOf(const ControlValues& c, float radius, long reduction, long aspect) {
    ConversionSettings s;
    s.roundCoordinates = c.roundCoordinates;
    s.pointMode = c.pointMode;
    s.pointRadiusMm = radius;
    s.jwLineTypes = c.jwLineTypes;
    s.curvesAsPolylines = c.curvesAsPolylines;
    s.shrinkTexts = c.shrinkTexts;
    s.textShrinkPercent = static_cast<std::uint8_t>(std::min<long>(reduction, kMaxPercent));
    s.narrowHalfWidthTexts = c.narrowHalfWidthTexts;
    s.halfWidthAspectPercent = static_cast<std::uint8_t>(std::min<long>(aspect, kMaxPercent));
    s.plainLayerNames = c.plainLayerNames;
    s.auxiliaryOnDefpoints = c.auxiliaryOnDefpoints;
    s.explodeBlocks = c.explodeBlocks;
    s.penColors = c.penColors;
    s.outputFormat = c.outputFormat;
    return s;
}

}  // namespace

ControlValues ControlsOf(const ConversionSettings& s) {
    ControlValues c;
    c.roundCoordinates = s.roundCoordinates;
    c.pointMode = s.pointMode;
    c.pointRadius = RadiusText(s.pointRadiusMm);
    c.jwLineTypes = s.jwLineTypes;
    c.curvesAsPolylines = s.curvesAsPolylines;
    c.shrinkTexts = s.shrinkTexts;
    c.textShrink = std::to_string(s.textShrinkPercent);
    c.narrowHalfWidthTexts = s.narrowHalfWidthTexts;
    c.halfWidthAspect = std::to_string(s.halfWidthAspectPercent);
    c.plainLayerNames = s.plainLayerNames;
    c.auxiliaryOnDefpoints = s.auxiliaryOnDefpoints;
    c.explodeBlocks = s.explodeBlocks;
    c.penColors = s.penColors;
    c.outputFormat = s.outputFormat;
    return c;
}

// The three numeric checks, then the controls copied into the settings.
// False when a check refused a field (its default is written back).
bool WindowCommands::CheckAndCopySettings() {
    const ControlValues c = view_.ReadControls();
    const auto radius = ParsePointRadius(c.pointRadius);
    if (!radius) {
        dialogs_.ShowInfo(std::string(kRadiusMessage));
        view_.SetPointRadiusText(DefaultRadiusText());
        return false;
    }
    // A percentage that is not an integer at all can only be pasted: the
    // platform's conversion error, before anything is copied.
    const auto reduction = c.textShrink.empty() ? std::optional<long>(0) : ParseInteger(c.textShrink);
    const auto aspect = c.halfWidthAspect.empty() ? std::optional<long>(0) : ParseInteger(c.halfWidthAspect);
    if (!reduction) throw ConversionError(FailureReason::BadSetting, NotAnInteger(c.textShrink));
    if (*reduction <= 0) {
        dialogs_.ShowInfo(std::string(kReductionMessage));
        view_.SetTextShrinkText(DefaultReductionText());
        return false;
    }
    if (!aspect) throw ConversionError(FailureReason::BadSetting, NotAnInteger(c.halfWidthAspect));
    if (*aspect <= 0) {
        dialogs_.ShowInfo(std::string(kAspectMessage));
        view_.SetHalfWidthAspectText(std::string(kFallbackAspectText));
        return false;
    }
    settings_ = SettingsOf(c, *radius, *reduction, *aspect);
    return true;
}

std::optional<ConversionSettings> WindowCommands::ControlSettings() const { return SettingsFromControls(view_.ReadControls()); }

std::optional<ConversionSettings> SettingsFromControls(const ControlValues& c) {
    const auto radius = ParsePointRadius(c.pointRadius);
    const auto reduction = c.textShrink.empty() ? std::optional<long>(0) : ParseInteger(c.textShrink);
    const auto aspect = c.halfWidthAspect.empty() ? std::optional<long>(0) : ParseInteger(c.halfWidthAspect);
    if (!radius || !reduction || *reduction <= 0 || !aspect || *aspect <= 0) return std::nullopt;
    return SettingsOf(c, *radius, *reduction, *aspect);
}

namespace {

// Drawing `path` of a batch, read as the batch save reads it: on its own, at
// its own proposed scale.
DrawingPicture BatchDrawingPicture(const std::string& path, const ConversionSettings& settings, std::string note) {
    DrawingPicture shown;
    shown.note = std::move(note);
    const auto say = [&](std::string why) {
        if (shown.note.empty()) shown.note = std::move(why);
    };
    Drawing drawing;
    DrawingFile file(path);
    const FileCheck check = file.Check();
    if (check.refusal != FileRefusal::None) {
        say(std::string(RefusalText(check)));
        return shown;
    }
    const ReadForConversion read = file.Read(check.format, drawing);
    if (!read.load.complete) say(std::string(kIncompleteRead) + read.load.damage);
    const ScaleList scales = ListProposedScales(drawing);
    if (scales.selected < 0) {
        say(std::string(read.load.complete ? scales.WhyEmpty() : kNothingRead));
        return shown;
    }
    try {
        shown.picture = PictureOf(Conversion(drawing, settings, ConversionRequest{path, scales.items[scales.selected]}));
        say(PictureLeftOutLine(*shown.picture));
    } catch (const ConversionError& e) {
        say(e.what());
    }
    return shown;
}

}  // namespace

std::function<DrawingPicture()> WindowCommands::PictureTask(std::size_t batchIndex) const {
    const auto settings = ControlSettings();
    if (!settings) return {};
    if (state_.fileCount == 1) {
        const std::string scale = view_.ScaleText();
        if (scale.empty()) return {};
        return [drawing = std::make_shared<const Drawing>(drawing_), settings = *settings, source = state_.sourcePath, scale] {
            try {
                return DrawingPicture{PictureOf(Conversion(*drawing, settings, ConversionRequest{source, scale})), {}};
            } catch (const ConversionError&) {
                return DrawingPicture{};
            }
        };
    }
    if (state_.fileCount < 2 || batchIndex >= state_.batchFiles.size()) return {};
    const std::optional<BatchMark> mark = batchIndex < state_.batchMarks.size() ? state_.batchMarks[batchIndex] : std::nullopt;
    return [path = state_.batchFiles[batchIndex], settings = *settings, note = mark ? mark->reason : std::string()] {
        return BatchDrawingPicture(path, settings, note);
    };
}

void WindowCommands::ConvertAndSave() {
    try {
        if (!CheckAndCopySettings()) return;
        if (state_.fileCount == 0) {
            dialogs_.ShowInfo(std::string(kNothingLoaded));
            return;
        }
        if (state_.fileCount == 1)
            SaveSingle();
        else
            SaveBatch();
    } catch (const ConversionError& e) {
        // The command ends here; files finished before stay, nothing is half-written.
        dialogs_.ShowError(e.what());
    } catch (const std::bad_alloc&) {
        dialogs_.ShowError(WithReason(Shown(state_.currentPath), kOutOfMemory));
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
        if (Exists(state_.currentPath) && !dialogs_.AskYesNo(Shown(state_.currentPath) + AlreadyExistsQuestion()))
            return;
    }
    view_.AppendLog("");
    view_.AppendLog(Shown(state_.currentPath));
    view_.AppendLog("");
    if (!Convert(state_.sourcePath, state_.currentPath)) return;
    FinishSave(Shown(state_.currentPath), os::Utf8Path(os::FsPath(state_.currentPath).parent_path()));
}

void WindowCommands::SaveBatch() {
    const std::string initial = os::Utf8Path(os::FsPath(state_.batchFiles.front()).parent_path());
    const auto folder = dialogs_.ChooseFolder(std::string(kFolderTitle), initial);
    if (!folder) return;
    std::vector<std::string> outputs;
    for (const std::string& input : state_.batchFiles)
        outputs.push_back(os::Utf8Path(os::FsPath(*folder) / os::FsPath(DxfPathFor(input)).filename()));
    if (std::ranges::any_of(outputs, Exists) && !dialogs_.AskYesNo(AlreadyExistsQuestion())) return;

    // Each drawing converted on its own on a worker thread; a damaged or
    // failing drawing is logged and the batch goes on, to one summary.
    const std::size_t n = state_.batchFiles.size();
    int converted = 0;
    std::vector<std::string> partlyRead, failed, notReached;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& input = state_.batchFiles[i];
        if (view_.CancelRequested()) {
            for (std::size_t j = i; j < n; ++j) notReached.push_back(Shown(state_.batchFiles[j]));
            break;
        }
        view_.ShowProgress(static_cast<int>(i), static_cast<int>(n), Shown(input));
        view_.AppendLog(Shown(input) + std::string(kCrLf));
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
        state_.batchMarks[i] = BatchMark{outcome.status, outcome.status == JobStatus::Converted ? std::string()
                                                         : outcome.status == JobStatus::PartlyRead && outcome.reason == JobReason::TruncatedRecords
                                                             ? std::string(kIncompleteRead) + outcome.damage
                                                             : outcome.message};
        switch (outcome.status) {
            case JobStatus::Converted: ++converted; break;
            case JobStatus::PartlyRead: partlyRead.push_back(Shown(input)); break;
            default: failed.push_back(Shown(input)); break;
        }
    }
    view_.ShowProgress(0, 0, "");
    const std::vector<std::string> summary = BatchSummary(converted, partlyRead, failed, notReached);
    view_.AppendLog("");
    for (const std::string& line : summary) view_.AppendLog(line);
    std::string summaryText;
    for (const std::string& line : summary) summaryText += std::string(kCrLf) + line;
    FinishSave(Shown(*folder) + summaryText, *folder);
}

// The end of a save: the message names what was written (CP932) and offers its folder.
void WindowCommands::FinishSave(const std::string& written, const std::string& folder) {
    view_.FocusWindow();
    if (dialogs_.ShowSaveFinished(std::string(kSaveFinished) + std::string(kCrLf) + written))
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
    view_.ShowProgress(0, 1, Shown(source));
    view_.RunInBackground([&] { outcome = RunDrawingJob(request); });
    view_.ShowProgress(0, 0, "");
    if (outcome.status != JobStatus::Converted) {
        dialogs_.ShowError(outcome.reason == JobReason::OutOfMemory ? WithReason(Shown(output), kOutOfMemory)
                                                                     : outcome.message);
        return false;
    }
    for (const std::string& line : outcome.conversionLines) view_.AppendLog(line);
    for (const std::string& line : outcome.warnings) view_.AppendLog(line);
    for (const std::string& image : outcome.imageFiles) view_.AppendLog(Shown(image));
    return true;
}

}  // namespace orvik
