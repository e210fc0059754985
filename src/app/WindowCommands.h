// The main window's commands, toolkit-free: reading drawings by the open
// dialog or by a drop (single drawings and batches; WindowCommands.cpp), the
// settings the controls describe (WindowSettings.cpp), converting and saving
// with the report the conversion prints into the log (WindowSaving.cpp), and
// the picture of the drawing the drawing tab shows (WindowPictureTask.cpp).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/DrawingJob.h"
#include "app/ReadDrawing.h"
#include "app/WindowPorts.h"
#include "convert/ConversionSettings.h"
#include "model/Drawing.h"
#include "picture/DisplayList.h"

namespace orvik {

// What became of a drawing of a batch when the save reached it: the drawing
// job's status and, when it was not converted whole, why (CP932).
struct BatchMark {
    JobStatus status = JobStatus::Converted;
    std::string reason;
};

// A picture for the drawing tab and what to say with it (CP932): why there
// is none, or that it shows only what could be read.
struct DrawingPicture {
    std::optional<DisplayList> picture;
    std::string note;
};

// What the read commands leave for the save command.
struct WindowState {
    std::string currentPath;  // the drawing read; the save command replaces it by each output path
    int fileCount = 0;  // 0 nothing to convert, 1 one drawing loaded, more: a batch
    std::vector<std::string> batchFiles;
    std::vector<std::optional<BatchMark>> batchMarks;  // one per batch file; none until the save reaches it
    std::string sourcePath;  // the drawing's own file, whose date the DXF file carries
};

class WindowCommands {
public:
    WindowCommands(Dialogs& dialogs, WindowView& view, Drawing& drawing, ConversionSettings& settings,
                   WindowState& state)
        : dialogs_(dialogs), view_(view), drawing_(drawing), settings_(settings), state_(state) {}

    void OpenDrawings();
    void DropFiles(const std::vector<std::string>& paths);  // files dropped on the window
    void ConvertAndSave();
    // The initialise button's part: the log is cleared and nothing is offered to save.
    void Forget();

    const WindowState& State() const { return state_; }

    // The drawing tab's picture as work that may run on another thread:
    // what it needs is taken now (the settings the controls show, the scale,
    // a copy of the drawing read; for a batch, the drawing's path and mark),
    // so the window goes on meanwhile. The drawing read is converted at the
    // chosen scale; drawing `batchIndex` of a batch is loaded on its own at
    // its proposed scale, as the batch save will convert it, the note saying
    // what the save found (its mark's reason), or else why the drawing
    // cannot be shown or is shown in part. Empty while nothing is loaded or
    // a field holds no usable value. Reads the controls only; the settings
    // stay as the last save left them. Running out of memory in the task
    // is said in its note, never thrown.
    std::function<DrawingPicture()> PictureTask(std::size_t batchIndex) const;

private:
    // The picture task without its guard against running out of memory.
    std::function<DrawingPicture()> BareTask(std::size_t batchIndex) const;
    // The settings the controls describe, when every field holds a usable value.
    std::optional<ConversionSettings> ControlSettings() const;
    // How files came to the window: chosen in the open dialog, or dropped on it.
    enum class FileArrival { Chosen, Dropped };
    void ReadFiles(const std::vector<std::string>& paths, FileArrival how);
    static std::string RefusalMessage(const std::string& path, const FileCheck& check, FileArrival how, bool inBatch);
    void ShowDrawing(const std::string& path, DrawingFile& file, DrawingFormat format);
    bool CheckAndCopySettings();
    void SaveSingle();
    void SaveBatch();
    void FinishSave(const std::string& heading, const std::string& written, const std::string& folder);
    bool Convert(const std::string& source, const std::string& output);

    Dialogs& dialogs_;
    WindowView& view_;
    Drawing& drawing_;
    ConversionSettings& settings_;
    WindowState& state_;
    std::vector<EmbeddedImage> images_;  // the images the drawing read carries
};

}  // namespace orvik
