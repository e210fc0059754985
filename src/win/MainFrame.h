// The main window on Windows, built with the system's own controls: on the
// left two tabs, the log and the drawing as the current settings would
// convert it (a batch's drawings listed above it), the progress of a save
// below them; the conversion settings in two columns on the right, and the
// four command buttons. It shows the settings and hands the commands to
// WindowCommands, as the Qt window does, with the same texts, order,
// defaults and behaviour; dialogs go through the Dialogs it is given.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/DrawingTabPicture.h"
#include "app/KeptSettings.h"
#include "app/WindowCommands.h"
#include "win/DrawingPane.h"
#include "win/SettingControls.h"

namespace orvik::win {

class MainFrame : public WindowView {
public:
    MainFrame(Dialogs& dialogs, Drawing& drawing, ConversionSettings& settings, WindowState& state,
              SettingsStore& store);
    ~MainFrame() override;

    // Creates the window, shown as it was left last time.
    HWND Create(HINSTANCE instance, int show);
    HWND Window() const { return window_; }
    // Whether the message is the window's (a key for a control, an accelerator) and was handled.
    bool PreTranslate(MSG& message);
    // Reads the drawings as a drop of them would: those given on the command line or dropped.
    void ReadFiles(const std::vector<std::string>& paths);
    // Whether the drawing tab shows the picture of the current settings,
    // drawn: no change waits to be followed, no picture is being built.
    bool DrawingSettled() const {
        return !drawingPending_ && !picture_.Busy() && pane_.ShowsPicture() && pane_.Drawn();
    }
    HWND DrawingWindow() const { return pane_.Window(); }

    // WindowView.
    void ClearLog() override;
    void AppendLog(const std::string& text) override;
    void SetScaleList(const ScaleList& list) override;
    std::string ScaleText() const override;
    SettingTexts ReadControls() const override;
    void SetFieldText(std::string_view setting, const std::string& text) override;
    void FocusWindow() override;
    void RunInBackground(const std::function<void()>& work) override;
    void ShowProgress(int done, int total, const std::string& current) override;
    bool CancelRequested() override { return cancelRequested_; }

private:
    template <class Owner>
    friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK FieldProcedure(HWND field, UINT message, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR frame);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void CreateControls();
    void MakeFonts();
    // Every control in the window's font, the log in its fixed-width one.
    void ApplyFonts();
    // Places every control for the client area's size, and notes the least size that layout needs.
    void Layout();
    void Place(int id, int x, int y, int width, int height);
    int PlaceGroup(int id, int x, int& y, int contentHeight);
    void PlaceFieldRow(int x, int y, int label, int labelWidth, int field, int fieldWidth, int spin, int unit);
    int ControlHeight(const SettingControls::Control& control) const;
    int PlaceControl(const SettingControls::Control& control, int x, int top, int inner);
    int LayOutColumn(int column, int x);
    int LayOutColumn2(int x);
    int LayOutLeftSide(int right, int height);
    // The window's least size (its frame around the least client area), {0, 0} before the first layout.
    SIZE MinimumWindowSize() const;
    void Command(int id, int code);
    void DrawPenItem(const DRAWITEMSTRUCT& item) const;
    void AddTooltips();
    void ApplyDefaultsOnFirstShow();
    void ShowControls(const SettingTexts& texts);
    void SelectDefaults();
    void RestoreDefaults();
    void ConvertAndSave();
    void OpenDrawings();
    void ShowAbout();
    void Close();
    void StoreOnClose();
    void DrawingRead();
    void UpdateDrawing();
    void ShowBatchMarks();
    void ShowPage();
    void SettingsChanged();
    void StepSpin(SettingControls::Spin& spin, int delta);
    void SetSpinPosition(SettingControls::Spin& spin, int position);
    void WriteSpinPosition(const SettingControls::Spin& spin);
    void SetSpinPositions();
    void EnableFieldsOfChecks();
    bool DrawingTabShown() const;

    HWND Item(int id) const { return ::GetDlgItem(window_, id); }
    bool Checked(int id) const;
    void Check(int id, bool on);
    std::string FieldText(int id) const;  // CP932
    void SetFieldText(int id, const std::string& cp932);
    int Scaled(int logical) const { return ::MulDiv(logical, dpi_, 96); }

    Dialogs& dialogs_;
    SettingsStore& store_;
    WindowCommands commands_;
    SettingControls controls_;
    HWND window_ = nullptr;
    HWND tooltips_ = nullptr;
    HACCEL accelerators_ = nullptr;
    UINT dpi_ = 96;
    SIZE minimumClient_{};  // the client area the layout needs at this scaling
    HFONT font_ = nullptr;
    HFONT logFont_ = nullptr;
    DrawingPane pane_;
    bool busy_ = false;  // a save is under way: the commands wait
    bool cancelRequested_ = false;  // cancel pressed during the current batch
    bool closeWhenDone_ = false;  // the window was closed during the batch: close once it stops
    bool workDone_ = false;  // the background work has ended
    static constexpr UINT kPictureBuiltMessage = WM_APP + 11;  // the drawing tab's picture is there
    DrawingTabPicture picture_{commands_, pane_, [this] { ::PostMessageW(window_, kPictureBuiltMessage, 0, 0); }};
    bool drawingPending_ = false;  // a change of the settings waits to be followed
};

}  // namespace orvik::win
