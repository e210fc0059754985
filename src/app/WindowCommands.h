// The main window's commands, toolkit-free: reading drawings by the open
// dialog or by a drop (single drawings and batches), converting and saving,
// and the report the conversion prints into the log.
#pragma once

#include <string>
#include <vector>

#include "convert/LayerTables.h"
#include "jwc/JwcDrawing.h"
#include "convert/ConversionSettings.h"
#include "app/WindowPorts.h"

namespace orvik {

// What the read commands leave for the save command.
struct WindowState {
    std::string JwcFileName;   // the drawing read; the save command replaces it by each output path
    int JwcFileCount = 0;      // 0 nothing to convert, 1 one drawing loaded, more: a batch
    std::vector<std::string> BatchFiles;
    std::string SourceFileName;  // the drawing's own file, whose date the DXF file carries
};

class MainCommands {
public:
    MainCommands(Dialogs& dialogs, WindowView& view, JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables,
                 WindowState& state)
        : dialogs_(dialogs), view_(view), drawing_(drawing), info_(info), tables_(tables), state_(state) {}

    void BtnReadClick();
    void DropFiles(const std::vector<std::string>& paths);  // files dropped on the window
    void BtnSaveClick();
    // The initialise button's part: the log is cleared and nothing is offered to save.
    void Forget();

    const WindowState& State() const { return state_; }

private:
    void LoadAndReport(const std::string& path, bool withSummary);
    bool CheckAndCopySettings();
    void SaveSingle();
    void SaveBatch();
    void Convert(const std::string& source, const std::string& output);
    void ZumenDataW(const DxfTables& tables, const THenkanInfo& info);

    Dialogs& dialogs_;
    WindowView& view_;
    JwcDrawing& drawing_;
    THenkanInfo& info_;
    DxfTables& tables_;
    WindowState& state_;
};

}  // namespace orvik
