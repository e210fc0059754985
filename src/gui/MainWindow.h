// The main window: on the left two tabs, the log and the drawing as the
// current settings would convert it (a batch's drawings listed above it); the conversion settings in two columns
// on the right, and the four command buttons. It shows the settings and hands
// the commands to WindowCommands; dialogs go through the Dialogs it is given.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/DrawingTabPicture.h"
#include "app/WindowCommands.h"
#include "gui/DrawingView.h"
#include "gui/SettingControls.h"

class QVBoxLayout;

namespace orvik {

class MainWindow : public QWidget, public WindowView {
    Q_OBJECT
public:
    MainWindow(Dialogs& dialogs, Drawing& drawing, ConversionSettings& settings, WindowState& state,
               QWidget* parent = nullptr);

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

    // Where the settings are kept between runs: restored when the window is
    // first shown, stored when it closes. Without one, nothing is kept.
    void SetStore(QSettings* store) { store_ = store; }
    // Shows the values in the controls.
    void ShowControls(const SettingTexts& texts);

public slots:
    void RestoreDefaults();
    void OpenDrawings();
    // Reads the drawings as a drop of them would: those given on the command
    // line or dropped on the window.
    void ReadFiles(const std::vector<std::string>& paths);
    void ConvertAndSave();
    void Quit() { close(); }
    void ShowAbout();
    void PointButtonClicked();
    // The drawing tab follows the settings: rebuilt shortly after a change,
    // when the tab is shown.
    void SettingsChanged() { drawingTimer_.start(); }
    void UpdateDrawing();
    // Whether the drawing tab shows the picture of the current settings:
    // no change waits to be followed and no picture is being built.
    bool DrawingSettled() const { return !drawingTimer_.isActive() && !picture_->Busy(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The settings' controls in Tab's order, the scale list before the second column's.
    std::vector<QWidget*> SettingWidgets() const;
    void SetSpinPositions();
    // The radio button of points left as they are, which asks first.
    QAbstractButton* PointButton() const;
    void ApplyDefaultsOnFirstShow();
    // Every control Tab reaches, in order.
    std::vector<QWidget*> TabOrder() const;
    void DrawingRead();
    // Each drawing of the batch list as the save left it: a sign before the
    // names of those read only in part or not converted, the reason in the
    // tooltip.
    void ShowBatchMarks();
    // Nothing makes the window larger than the screen it is on.
    void KeepOnScreen();
    void ConnectSettingsToDrawing();
    // The controls show the default settings.
    void SelectDefaults();
    void SetTooltips();
    QGroupBox* Group(const char* name, const QString& caption);
    // The constructor's parts, panel by panel, in the order the widgets are made.
    void BuildViewPanel();
    QVBoxLayout* BuildFirstColumn();
    QVBoxLayout* BuildSecondColumn();
    QVBoxLayout* BuildLeftSide();
    void ConnectControls();
    void SetTabOrderOfControls();

    Dialogs& dialogs_;
    WindowCommands commands_;
    SettingControls controls_;
    bool shown_ = false;
    QSettings* store_ = nullptr;
    bool busy_ = false;  // a save is under way: the commands wait
    bool cancelRequested_ = false;  // cancel pressed during the current batch
    bool closeWhenDone_ = false;  // the window was closed during the batch: close once it stops
    QTimer drawingTimer_;
    std::unique_ptr<DrawingTabPicture> picture_;  // made with the drawing view

    QTabWidget* viewTabs;
    QWidget* progressRow;
    QProgressBar* progressBar;
    QLabel* progressLabel;
    QPushButton* cancelButton;
    QPlainTextEdit* logView;
    QWidget* drawingPage;
    DrawingView* drawingView;
    QPushButton* fitButton;
    QCheckBox* lightBackgroundBox;
    QComboBox* batchBox;  // which drawing of a batch the drawing tab shows
    static constexpr int kBatchNameColumns = 10;
    static constexpr int kPathRole = Qt::UserRole;  // a batch item's path
    QToolButton* aboutButton;
    QGroupBox* scaleGroup;
    QComboBox* scaleBox;
    QPushButton *defaultsButton, *quitButton, *readButton, *saveButton;
};

}  // namespace orvik
