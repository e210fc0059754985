// The dialogs of the main window's commands on Windows: message and task
// dialogs with the program's captions, icons and button texts, the common
// item dialogs (several drawings to open, a DXF to save, a folder for a
// batch), Explorer for a folder, the system beep. Wide API throughout: any
// name, and paths past 260 characters.
#pragma once

#include <windows.h>

#include "app/ConvertBeside.h"
#include "app/KeptSettings.h"
#include "app/WindowPorts.h"

namespace orvik::win {

class Win32Dialogs : public Dialogs {
public:
    explicit Win32Dialogs(SettingsStore& store) : store_(store) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    void ShowInfo(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool ShowSaveFinished(const std::string& text) override;
    void OpenFolder(const std::string& folder) override;
    void Beep() override;
    std::vector<std::string> ChooseOpenFiles() override;
    std::optional<std::string> ChooseSaveFile(const std::string& proposed, std::string_view fileType) override;
    std::optional<std::string> ChooseFolder(const std::string& title, const std::string& initial) override;
    // The Explorer verb's question before it replaces a DXF: "はい(&Y)",
    // "いいえ(&N)", and with `more` drawings to follow "すべて上書き(&A)".
    ReplaceAnswer AskReplace(const std::string& text, bool more);

private:
    HWND owner_ = nullptr;
    SettingsStore& store_;
};

}  // namespace orvik::win
