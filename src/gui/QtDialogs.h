// The dialogs of the main window's commands, shown with Qt: modal message
// boxes with the program's captions, icons and button texts, the file and
// folder choosers, and the beep.
#pragma once

#include <QSettings>
#include <QWidget>

#include "app/WindowPorts.h"

namespace orvik {

class QtDialogs : public Dialogs {
public:
    void SetWindow(QWidget* window) { window_ = window; }
    // Where the folders last used for reading and for a batch's output are
    // kept between runs.
    void SetStore(QSettings* store) { store_ = store; }

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

private:
    QWidget* window_ = nullptr;
    QSettings* store_ = nullptr;
};

// The window's own texts (UTF-8) for Qt.
QString FromUtf8(std::string_view text);
// CP932 text for Qt and back (what CP932 cannot hold becomes "?"), and paths both ways.
QString FromCp932(const std::string& text);
std::string ToCp932(const QString& text);
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

}  // namespace orvik
