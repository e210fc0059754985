// The main window TForm1: the log on the left, the conversion settings in
// two columns on the right, and the four command buttons. It shows the
// settings and hands the commands to MainCommands; dialogs go through the
// Dialogs it is given.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>

#include "gui/ColorComboBox.h"
#include "app/WindowCommands.h"
#include "gui/SpinControl.h"

namespace orvik {

class TForm1 : public QWidget, public WindowView {
    Q_OBJECT
public:
    TForm1(Dialogs& dialogs, JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, WindowState& state,
           QWidget* parent = nullptr);

    // WindowView.
    void ClearLog() override;
    void AppendLog(const std::string& text) override;
    void SetScaleList(const ScaleList& list) override;
    std::string ScaleText() const override;
    ControlValues ReadControls() const override;
    void SetHankeiText(const std::string& text) override;
    void SetMojiSText(const std::string& text) override;
    void SetHankakuHText(const std::string& text) override;
    void FocusWindow() override;

    MainCommands& Commands() { return commands_; }

public slots:
    void BtnDefaltClick();
    void BtnReadClick() { commands_.BtnReadClick(); }
    void BtnSaveClick() { commands_.BtnSaveClick(); }
    void BtnEndClick() { close(); }
    void RBtnTen3Click();
    void ChkMojiSizeClick() { EdtMojiS->setEnabled(ChkMojiSize->isChecked()); }
    void ChkHnakakuSizeClick() { EdtHankakuH->setEnabled(ChkHnakakuSize->isChecked()); }

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void SelectDefaults();
    void SetTooltips();
    QGroupBox* Group(const char* name, const QString& caption);

    Dialogs& dialogs_;
    MainCommands commands_;
    bool shown_ = false;

    QPlainTextEdit* Memo1;
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5, *GroupBox6, *GroupBox7, *GroupBox8,
        *GroupBox9, *GroupBox10;
    QCheckBox* chkRoundBase;
    QRadioButton *RBtnTen1, *RBtnTen2, *RBtnTen3;
    QLineEdit* EdtHankei;
    QRadioButton *RBtnSenJW, *RBtnSenAC;
    QCheckBox* ChkPline;
    QCheckBox* ChkMojiSize;
    QLineEdit* EdtMojiS;
    TUpDown* UpDown1;
    QCheckBox* ChkHnakakuSize;
    QLineEdit* EdtHankakuH;
    TUpDown* UpDown2;
    QComboBox* ScaleBox;
    QCheckBox* ChkLayer;
    QCheckBox* ChkHojosen;
    std::array<TColorComboBox*, 6> ClbPen{};
    QPushButton *BtnDefalt, *BtnEnd, *BtnRead, *BtnSave;
};

}  // namespace orvik
