#include "app/WindowCommands.h"

#include "app/ReadDrawing.h"
#include "app/ReadReport.h"
#include "convert/ProposedScales.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {

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
    for (const std::string& line : read.summary) view_.AppendLog(Cp932ToUtf8(line));
    for (const std::string& line : read.warnings) view_.AppendLog(Cp932ToUtf8(line));
    if (!read.load.complete) {
        view_.AppendLog(Cp932ToUtf8(std::string(kIncompleteRead) + read.load.damage));
        dialogs_.ShowWarning(path + std::string(kCrLf) +
                             Cp932ToUtf8(std::string(kIncompleteRead) + std::string(kCrLf) + read.load.damage +
                                         std::string(kCrLf) + std::string(kPartialConvertible)));
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
std::string WindowCommands::RefusalMessage(const std::string& path, const FileCheck& check, FileArrival how,
                                           bool inBatch) {
    if (how == FileArrival::Dropped) {
        if (!inBatch && check.refusal == Reason::WrongExtension) return Cp932ToUtf8(kDroppedNotJwCadByExtension);
        if (!inBatch && check.refusal == Reason::NotJwCad) return Cp932ToUtf8(kDroppedNotJwCadBySignature);
        return path +
               Cp932ToUtf8(std::string(kDroppedPathSuffix) + std::string(kCrLf) + std::string(RefusalText(check)));
    }
    const std::string_view reason =
        inBatch && check.refusal == Reason::NotJwCad ? kNotJwCadByExtension : RefusalText(check);
    return path + Cp932ToUtf8(std::string(kRefusalPathSuffix) + std::string(kCrLf) + std::string(reason));
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
        if (dropped) view_.AppendLog(path + std::string(kCrLf));
        DrawingFile file(path);
        const FileCheck check = file.Check();
        if (!dropped && check.refusal == Reason::Missing) {  // a name typed in the dialog: nothing is said
            state_.fileCount = 0;
            return;
        }
        if (check.refusal != Reason::None) return refuse(path, check, false);
        if (!dropped) view_.AppendLog(path + std::string(kCrLf));
        return ShowDrawing(path, file, check.format);
    }

    view_.ClearLog();
    view_.AppendLog(Cp932ToUtf8(kBatchTitle) + std::string(kCrLf));
    state_.batchFiles = paths;
    state_.batchMarks.assign(paths.size(), std::nullopt);
    for (const std::string& path : paths) {
        const FileCheck check = CheckDrawingFile(path);
        if (check.refusal != Reason::None) return refuse(path, check, true);
        view_.AppendLog(path);
    }
    view_.AppendLog(std::string(kCrLf));
}

void WindowCommands::Forget() {
    view_.ClearLog();
    state_.fileCount = 0;
}

}  // namespace orvik
