// Dialogs that answer from scripts and record what they were asked, on one
// time line (UTF-8), for tests of the window's commands.
#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "app/WindowPorts.h"
#include "text/Cp932.h"

namespace orvik::testing {

class ScriptedDialogs : public Dialogs {
public:
    std::vector<std::string> events;
    std::deque<std::vector<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers, folderAnswers;
    std::deque<bool> yesNoAnswers, openFolderAnswers;
    std::string saveFileType;  // the type the last save dialog offered

    void ShowInfo(const std::string& text) override { events.push_back("info: " + text); }
    void ShowWarning(const std::string& text) override { events.push_back("warning: " + text); }
    bool AskYesNo(const std::string& text) override {
        events.push_back("ask: " + text);
        return Next(yesNoAnswers, false);
    }
    void ShowError(const std::string& text) override { events.push_back("error: " + text); }
    bool ShowSaveFinished(const std::string& text) override {
        events.push_back("finished: " + text);
        return Next(openFolderAnswers, false);
    }
    void OpenFolder(const std::string& folder) override { events.push_back("open folder: " + folder); }
    void Beep() override { events.push_back("beep"); }
    std::vector<std::string> ChooseOpenFiles() override {
        events.push_back("open dialog");
        return Next(openAnswers, {});
    }
    std::optional<std::string> ChooseSaveFile(const std::string& proposed, std::string_view fileType) override {
        events.push_back("save dialog: " + proposed);
        saveFileType = fileType;
        return Next(saveAnswers, std::nullopt);
    }
    std::optional<std::string> ChooseFolder(const std::string& title, const std::string& initial) override {
        events.push_back("folder dialog: " + title + " at " + initial);
        return Next(folderAnswers, std::nullopt);
    }

    bool Saw(const std::string& event) const { return std::ranges::find(events, event) != events.end(); }
    int Count(const std::string& prefix) const {
        return static_cast<int>(std::ranges::count_if(events, [&](const auto& e) { return e.starts_with(prefix); }));
    }

private:
    // The next scripted answer, or `otherwise` (cancel, no) when the script has run out.
    template <class T>
    static T Next(std::deque<T>& answers, std::type_identity_t<T> otherwise) {
        if (answers.empty()) return otherwise;
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace orvik::testing
