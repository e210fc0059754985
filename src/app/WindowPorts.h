// What the main window's commands need from the window system, as two small
// interfaces: the dialogs (message boxes, file and folder choosers, the beep)
// and the window's own view (log, scale list, settings controls, focus).
// The Qt and the Win32 windows implement both; tests give scripted answers.
//
// The texts a window shows (log lines, progress, the boxes' texts) are
// UTF-8, so that a file's name shows as the system has it; the core's CP932
// messages are converted where such a text is made. The settings fields'
// texts (SettingTexts) are CP932. Paths are the platform's own (UTF-8).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/SettingsTable.h"
#include "convert/ProposedScales.h"

namespace orvik {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A plain box: caption "ORVIK", no icon, "OK".
    virtual void ShowInfo(const std::string& text) = 0;
    // A warning box: caption "警告", warning icon, "OK".
    virtual void ShowWarning(const std::string& text) = 0;
    // A warning box with "はい(&Y)" and "いいえ(&N)"; true for yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // The general error report of an error raised inside a command.
    virtual void ShowError(const std::string& text) = 0;
    // The box that ends a save: caption "ORVIK", no icon, "OK" and
    // "フォルダを開く(&F)"; true when the folder is to be opened.
    virtual bool ShowSaveFinished(const std::string& text) = 0;
    // Shows the folder in the desktop's file manager.
    virtual void OpenFolder(const std::string& folder) = 0;
    virtual void Beep() = 0;
    // The open dialog (filter "jw_cad (*.jwc *.jww)" and "全て(*.*)", several files); empty when cancelled.
    virtual std::vector<std::string> ChooseOpenFiles() = 0;
    // The save dialog (filter "`fileType` (*.dxf)", asks before overwriting), proposing `proposed`.
    virtual std::optional<std::string> ChooseSaveFile(const std::string& proposed, std::string_view fileType) = 0;
    // The modal folder chooser, starting at `initial`.
    virtual std::optional<std::string> ChooseFolder(const std::string& title, const std::string& initial) = 0;
};

class WindowView {
public:
    virtual ~WindowView() = default;
    virtual void ClearLog() = 0;
    // Adds the text as the next line(s), split at each CR LF (see SplitLogText).
    virtual void AppendLog(const std::string& text) = 0;
    virtual void SetScaleList(const ScaleList& list) = 0;
    virtual std::string ScaleText() const = 0;  // the selected item, or "" when the list is empty
    // The texts of the settings the controls show, by setting name.
    virtual SettingTexts ReadControls() const = 0;
    // Shows the text in the field of the setting named.
    virtual void SetFieldText(std::string_view setting, const std::string& text) = 0;
    virtual void FocusWindow() = 0;
    // Long work: runs `work` away from the window (on a worker thread), the
    // window repainting meanwhile, and returns when it is done. The work
    // touches nothing the window shows.
    virtual void RunInBackground(const std::function<void()>& work) = 0;
    // A batch's progress: `done` of `total` drawings, `current` the one under
    // way; a total of 0 ends it. While it shows, the commands are
    // disabled and a cancel button stops the batch after the current drawing.
    virtual void ShowProgress(int done, int total, const std::string& current) = 0;
    // Whether cancel was pressed since the progress began.
    virtual bool CancelRequested() = 0;
};

// The line break of log texts.
inline constexpr std::string_view kCrLf = "\r\n";

// The lines a log text adds: split at each CR LF, so a text ending in CR LF
// adds an empty line after it and CR LF alone adds two empty lines.
std::vector<std::string> SplitLogText(const std::string& text);

}  // namespace orvik
