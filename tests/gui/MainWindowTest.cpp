// The main window on Qt's offscreen platform, with scripted dialogs.
#include "gui/MainWindow.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <algorithm>
#include <functional>

#include <QApplication>
#include <QDialogButtonBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include "cli/CliRun.h"
#include "gui/JapaneseTranslations.h"
#include "support/JwcBuilder.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace orvik {
namespace {

using namespace std::string_literals;

using testing::ReadFileBytes;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    template <class T>
    T* Child(const char* name) {
        T* child = window_.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QString Text(const char* field) { return Child<QLineEdit>(field)->text(); }
    std::vector<int> Pens() {
        std::vector<int> pens;
        for (int i = 1; i <= 6; ++i)
            pens.push_back(
                Child<ColorComboBox>(QStringLiteral("penColorBox%1").arg(i).toUtf8().constData())->ColorNumber());
        return pens;
    }
    QStringList Log() { return Child<QPlainTextEdit>("logView")->toPlainText().split('\n'); }
    // 30 copies of the sample dropped as a batch, d0.jwc to d29.jwc, to be saved into "out".
    void DropBatchOfSamples() {
        std::vector<std::string> files;
        const std::string sample = ReadFileBytes(Sample());
        for (int i = 0; i < 30; ++i)
            files.push_back(dir_.Write(QStringLiteral("d%1.jwc").arg(i).toStdString(), sample));
        Drop(files);
        std::filesystem::create_directory(dir_.File("out"));
        dialogs_.folderAnswers.push_back(dir_.File("out"));
    }
    // The drawing tab's picture is built on a worker: until it is there.
    void WaitForDrawing() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return window_.DrawingSettled(); }, 10000));
    }
    void Drop(const std::vector<std::string>& paths) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const auto& p : paths) urls.append(QUrl::fromLocalFile(QString::fromStdString(p)));
        data->setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window_, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window_, &drop);
        delete data;
    }
    std::string Sample() { return dir_.Write("plan.jwc", ReadFileBytes(ORVIK_SOURCE_DIR "/samples/plan.jwc")); }

    testing::TempDir dir_;
    testing::ScriptedDialogs dialogs_;
    Drawing drawing_;
    ConversionSettings settings_;
    WindowState state_;
    MainWindow window_{dialogs_, drawing_, settings_, state_};
};

// The drawing tab shows the drawing read as the controls would convert it,
// and follows a change of the point mode or the reference scale at once.
TEST_F(MainWindowTest, TheDrawingTabFollowsTheSettingsWithoutReloading) {
    Drop({Sample()});
    QApplication::setActiveWindow(&window_);
    Child<QTabWidget>("viewTabs")->setCurrentIndex(1);
    auto* view = Child<DrawingView>("drawingView");
    EXPECT_EQ(QApplication::focusWidget(), view);  // F and Home fit it without a click first
    WaitForDrawing();
    ASSERT_TRUE(view->ShowsPicture());
    const auto count = [&](ShapeKind kind) {
        return std::count_if(view->Picture().shapes.begin(), view->Picture().shapes.end(),
                             [&](const Shape& s) { return s.kind == kind; });
    };
    const auto circles = count(ShapeKind::Circle);
    const PicturePoint firstEnd = view->Picture().shapes.front().a;
    Child<QRadioButton>("pointMode_2")->click();
    WaitForDrawing();
    EXPECT_EQ(count(ShapeKind::Circle), circles + 7);  // the sample's seven points
    auto* scales = Child<QComboBox>("scaleBox");
    ASSERT_GT(scales->count(), 1);
    scales->setCurrentIndex(scales->currentIndex() == 0 ? 1 : 0);
    WaitForDrawing();
    EXPECT_NE(view->Picture().shapes.front().a.x, firstEnd.x);

    // A batch: the drawing chosen from its list, at its own proposed scale.
    const std::string other =
        dir_.Write("other.jwc", JwcBuilder().Group(0, 1).Line(LineRecord{0, 0, 5, 5, 1, 1, 0}).Bytes());
    Drop({Sample(), other});
    auto* batch = Child<QComboBox>("batchBox");
    ASSERT_EQ(batch->count(), 2);
    WaitForDrawing();
    EXPECT_GT(view->Picture().shapes.size(), 1u);  // the first, the sample
    batch->setCurrentIndex(1);
    emit batch->activated(1);
    WaitForDrawing();
    ASSERT_TRUE(view->ShowsPicture());
    EXPECT_EQ(view->Picture().shapes.size(), 1u);
}

// The drawing tab shows each drawing read, however quickly reads, tab
// switches and setting changes follow one another: the worker's picture is
// never announced before it is there.
TEST_F(MainWindowTest, TheDrawingTabShowsEveryDrawingRead) {
    const std::string sample = Sample();
    const std::string other =
        dir_.Write("other.jwc", JwcBuilder().Group(0, 1).Line(LineRecord{0, 0, 5, 5, 1, 1, 0}).Bytes());
    auto* tabs = Child<QTabWidget>("viewTabs");
    auto* view = Child<DrawingView>("drawingView");
    for (int i = 0; i < 20; ++i) {
        const bool odd = i % 2 == 1;
        tabs->setCurrentIndex(0);
        Drop({odd ? other : sample});
        tabs->setCurrentIndex(1);
        WaitForDrawing();
        ASSERT_TRUE(view->ShowsPicture()) << i;
        EXPECT_EQ(view->Picture().shapes.size() == 1, odd) << i;
        Child<QRadioButton>(odd ? "pointMode_1" : "pointMode_2")->click();
        WaitForDrawing();
        ASSERT_TRUE(view->ShowsPicture()) << i;
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->Drawn(); }, 10000)) << i;
    }
}

// A batch runs on a worker thread with the progress shown below the tabs;
// cancel stops it after the drawing under way, keeping what is done, and the
// window takes commands again afterwards.
TEST_F(MainWindowTest, ABatchShowsItsProgressAndCanBeCancelled) {
    DropBatchOfSamples();
    // Cancel pressed as the fourth drawing starts: it is finished, the rest not begun.
    auto* bar = Child<QProgressBar>("progressBar");
    bool disabledWhileRunning = true;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        disabledWhileRunning = disabledWhileRunning && !Child<QPushButton>("saveButton")->isEnabled();
        if (value == 3) Child<QPushButton>("cancelButton")->click();
    });
    Child<QPushButton>("saveButton")->click();
    int written = 0;
    for (int i = 0; i < 30; ++i)
        written += std::filesystem::exists(dir_.File(QStringLiteral("out/d%1.dxf").arg(i).toStdString()));
    EXPECT_TRUE(disabledWhileRunning);
    EXPECT_EQ(written, 4);
    EXPECT_TRUE(Log().join('\n').contains("中止しました。残りの図面は変換していません"));
    EXPECT_FALSE(Child<QWidget>("progressRow")->isVisible());
    EXPECT_TRUE(Child<QPushButton>("saveButton")->isEnabled());
}

// Long drawing names never widen the window: the batch list shortens them
// (each whole in its tooltip), and the window stays on its screen.
TEST_F(MainWindowTest, LongNamesKeepTheWindowOnTheScreen) {
    const std::string sample = ReadFileBytes(Sample());
    const int before = window_.width();
    struct Case {
        const char* what;
        std::vector<std::string> names;
    };
    std::vector<std::string> many;
    for (int i = 0; i < 30; ++i) many.push_back(QStringLiteral("d%1.jwc").arg(i).toStdString());
    std::string longName(84, 'x');
    longName.replace(80, 4, ".jwc");
    const Case cases[] = {{"an 84-character name", {"a.jwc", longName}}, {"30 short names", many}};
    for (const Case& c : cases) {
        std::vector<std::string> files;
        for (const std::string& name : c.names) files.push_back(dir_.Write(name, sample));
        Drop(files);
        QApplication::processEvents();
        auto* list = Child<QComboBox>("batchBox");
        EXPECT_EQ(list->count(), static_cast<int>(files.size())) << c.what;
        EXPECT_EQ(list->itemData(list->count() - 1, Qt::ToolTipRole).toString().toStdString(), files.back()) << c.what;
        EXPECT_LE(window_.width(), before) << c.what;
        EXPECT_LE(window_.minimumSizeHint().width(), window_.screen()->availableGeometry().width()) << c.what;
    }
}

// A long scale fits the closed box whole.
TEST_F(MainWindowTest, ALongScaleFitsTheBox) {
    window_.SetScaleList(ScaleList{{"0.300000011920929", "100"}, 0});
    auto* box = Child<QComboBox>("scaleBox");
    EXPECT_EQ(box->currentText(), "0.300000011920929");
    EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(box->currentText()), box->width() - 28)
        << QFontMetrics(window_.font()).horizontalAdvance(box->currentText()) << " in " << box->width();
}

// The settings outlive the window: what a closed window showed, the next one
// shows; initialise still restores the defaults.
// Closing the window during a batch (its close button, Ctrl+Q) asks; on
// no the batch goes on, on yes it stops after the drawing under way, keeps
// what is written, and the window closes.
TEST_F(MainWindowTest, ClosingDuringABatchAsksAndStopsAfterTheDrawingUnderWay) {
    DropBatchOfSamples();
    dialogs_.yesNoAnswers = {false, true};
    QObject::connect(Child<QProgressBar>("progressBar"), &QProgressBar::valueChanged, [&](int value) {
        if (value == 2) window_.close();  // no: it goes on
        if (value == 3) {  // yes
            QApplication::setActiveWindow(&window_);
            QTest::keyClick(&window_, Qt::Key_Q, Qt::ControlModifier);
        }
    });
    Child<QPushButton>("saveButton")->click();
    int written = 0;
    for (int i = 0; i < 30; ++i)
        written += std::filesystem::exists(dir_.File(QStringLiteral("out/d%1.dxf").arg(i).toStdString()));
    EXPECT_EQ(
        dialogs_.Count("ask: 変換中です。いま変換している図面で止めて、終了しますか？（変換済みのファイルは残ります）"),
        2);
    EXPECT_EQ(written, 4);
    EXPECT_FALSE(window_.isVisible());
}

TEST(MainWindowStore, KeepsTheSettingsBetweenRuns) {
    testing::TempDir dir;
    QSettings store(QString::fromStdString(dir.File("orvik.conf")), QSettings::IniFormat);
    testing::ScriptedDialogs dialogs;
    Drawing drawing;
    ConversionSettings settings;
    WindowState state;
    SettingTexts changed;
    QSize kept;
    {
        MainWindow first(dialogs, drawing, settings, state);
        first.SetStore(&store);
        first.show();
        changed = first.ReadControls();
        changed["pointMode"] = "2"s;
        changed["pointRadius"] = "0.25"s;
        changed["curvesAsPolylines"] = "true"s;
        changed["textShrink"] = "80"s;
        changed["penColors"] = "1,2,3,4,5,6"s;
        changed["outputFormat"] = "utf8"s;
        first.ShowControls(changed);
        first.resize(first.width() + 37, first.height() + 23);
        kept = first.size();
        first.close();
    }
    MainWindow second(dialogs, drawing, settings, state);
    second.SetStore(&store);
    second.show();
    EXPECT_EQ(second.size(), kept);  // the window's size and place too
    EXPECT_EQ(second.ReadControls(), changed);  // every setting as it was
    second.RestoreDefaults();
    SettingTexts defaults = TextsOf(ConversionSettings{});
    defaults["curvesAsPolylines"] = "true"s;  // initialise leaves the curve setting as it is
    EXPECT_EQ(second.ReadControls(), defaults);
}

// Qt's own texts (standard buttons, dialogs, context menus) in Japanese.
TEST(JapaneseTranslations, QtsOwnButtonsSpeakJapanese) {
    ASSERT_TRUE(LoadJapaneseTranslations(*QCoreApplication::instance()));
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), "キャンセル");
    EXPECT_EQ(box.button(QDialogButtonBox::Open)->text().remove('&'), "開く");
}

TEST_F(MainWindowTest, ShowsEveryDefaultWhenShown) {
    EXPECT_EQ(window_.windowTitle(), "ORVIK Ver " ORVIK_VERSION);  // the project's version, as CMakeLists.txt sets it
    EXPECT_EQ(Text("textShrinkField"), "90");
    EXPECT_EQ(Text("halfWidthAspectField"), "70");
    EXPECT_EQ(Text("pointRadiusField"), "0.5000");
    EXPECT_EQ(Pens(), (std::vector<int>{4, 7, 3, 2, 6, 5}));
    for (const char* checked : {"auxiliaryOnDefpointsBox", "plainLayerNamesBox", "roundCoordinatesBox",
                                "shrinkTextsBox", "narrowHalfWidthTextsBox"})
        EXPECT_TRUE(Child<QCheckBox>(checked)->isChecked()) << checked;
    EXPECT_FALSE(Child<QCheckBox>("curvesAsPolylinesBox")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>("jwLineTypes_true")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>("pointMode_1")->isChecked());
    EXPECT_TRUE(Child<QLineEdit>("textShrinkField")->isEnabled());
    EXPECT_EQ(Child<QComboBox>("scaleBox")->count(), 0);
    EXPECT_TRUE(Log() == QStringList{""});
    EXPECT_EQ(Child<QGroupBox>("jwLineTypesGroup")->toolTip(),
              "JW_CAD準処\n  より元図に近くなる様に変換\nAutoCAD準処\n  AutoCADの補助作図用");
    EXPECT_EQ(Child<QPushButton>("readButton")->toolTip(), "JWCファイルを読み込む（Ctrl+O）\nドラッグでも読込可能");
    EXPECT_EQ(Child<QPushButton>("readButton")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(Child<QPushButton>("saveButton")->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(Child<QGroupBox>("narrowHalfWidthTextsGroup")->toolTip(), "");
    EXPECT_TRUE(window_.acceptDrops());
    // The log stretches with the window; the settings keep to the right.
    const int logWidth = Child<QPlainTextEdit>("logView")->width();
    window_.resize(900, 600);
    QApplication::processEvents();
    EXPECT_GT(Child<QPlainTextEdit>("logView")->width(), logWidth);
}

TEST_F(MainWindowTest, KeyFiltersBeepAndDiscard) {
    auto* pointRadius = Child<QLineEdit>("pointRadiusField");
    pointRadius->clear();
    QTest::keyClicks(pointRadius, "1.5-a");
    EXPECT_EQ(pointRadius->text(), "1.5");
    EXPECT_EQ(dialogs_.Count("beep"), 2);
    auto* reduction = Child<QLineEdit>("textShrinkField");
    reduction->clear();
    QTest::keyClicks(reduction, "5.");
    EXPECT_EQ(reduction->text(), "5");
    QTest::keyClick(reduction, Qt::Key_V, Qt::ControlModifier);  // no pasting by shortcut
    EXPECT_EQ(dialogs_.Count("beep"), 4);
    QTest::keyClick(reduction, Qt::Key_Backspace);
    EXPECT_EQ(reduction->text(), "");
    QTest::keyClicks(reduction, "123");  // two characters at most
    EXPECT_EQ(reduction->text(), "12");
}

// Tab walks every control in layout order (one stop per radio group, at the
// checked button) and around; Shift+Tab walks back. In the number fields the
// editing keys do their usual work, and typed letters are refused.
TEST_F(MainWindowTest, TabWalksTheControlsAndEditingKeysWorkInTheFields) {
    const QStringList order = {"roundCoordinatesBox",
                               "pointMode_1",
                               "pointRadiusField",
                               "jwLineTypes_true",
                               "curvesAsPolylinesBox",
                               "explodeBlocksBox",
                               "shrinkTextsBox",
                               "textShrinkField",
                               "narrowHalfWidthTextsBox",
                               "halfWidthAspectField",
                               "scaleBox",
                               "outputFormatBox",
                               "plainLayerNamesBox",
                               "auxiliaryOnDefpointsBox",
                               "penColorBox1",
                               "penColorBox2",
                               "penColorBox3",
                               "penColorBox4",
                               "penColorBox5",
                               "penColorBox6",
                               "defaultsButton",
                               "quitButton",
                               "readButton",
                               "saveButton",
                               "qt_tabwidget_tabbar",
                               "logView",
                               "lightBackgroundBox",
                               "fitButton",
                               "aboutButton"};
    window_.activateWindow();
    Child<QWidget>("roundCoordinatesBox")->setFocus();
    QStringList forward, backward;
    for (int i = 0; i <= order.size(); ++i) {
        forward << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (int i = 0; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backward.prepend(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(forward.join(' ').toStdString(), (order + QStringList{order.front()}).join(' ').toStdString());
    EXPECT_EQ(backward.join(' ').toStdString(), (order + QStringList{order.front()}).join(' ').toStdString());

    auto* field = Child<QLineEdit>("textShrinkField");
    field->setFocus();
    field->setText("90");
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), "0");
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClicks(field, "7x");
    EXPECT_EQ(field->text(), "07");
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "7");
    EXPECT_EQ(dialogs_.events, std::vector<std::string>{"beep"});  // for the x

    // Text pasted past the filter is named in the error as the user sees it.
    field->setText("直線");
    Child<QPushButton>("saveButton")->click();
    EXPECT_EQ(dialogs_.events.back(), "error: '直線' は有効な整数値ではありません");
}

// The arrows, the Up and Down keys in the field and the wheel over it step
// from the number in the field (a typed one clamped to 10..99), or from the
// last position when the field holds none; never past the range.
TEST_F(MainWindowTest, SpinControlsStepFromTheFieldWithinTheirRange) {
    auto* field = Child<QLineEdit>("textShrinkField");
    auto* upDown = Child<SpinControl>("textShrinkSpin");
    QToolButton* up = upDown->findChildren<QToolButton*>().at(0);
    QToolButton* down = upDown->findChildren<QToolButton*>().at(1);
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(5, 5), field->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(field, &event);
    };
    struct Case {
        const char* typed;
        std::function<void()> step;
        int times;
        const char* shown;
    };
    const Case cases[] = {
        {"98", [&] { QTest::mouseClick(up, Qt::LeftButton); }, 3, "99"},
        {"60", [&] { QTest::mouseClick(up, Qt::LeftButton); }, 1, "61"},
        {"5", [&] { QTest::mouseClick(down, Qt::LeftButton); }, 1, "10"},
        {"50", [&] { QTest::keyClick(field, Qt::Key_Up); }, 2, "52"},
        {"50", [&] { QTest::keyClick(field, Qt::Key_Down); }, 1, "49"},
        {"50", [&] { wheel(120); }, 1, "51"},
        {"50", [&] { wheel(-120); }, 3, "47"},
        {"", [&] { QTest::mouseClick(up, Qt::LeftButton); }, 1, "48"},  // from the last position, 47
    };
    for (const Case& c : cases) {
        field->setText(c.typed);
        for (int i = 0; i < c.times; ++i) c.step();
        EXPECT_EQ(field->text(), c.shown) << c.typed;
    }
}

TEST_F(MainWindowTest, CheckBoxesEnableTheirFields) {
    Child<QCheckBox>("shrinkTextsBox")->click();
    EXPECT_FALSE(Child<QLineEdit>("textShrinkField")->isEnabled());
    Child<QCheckBox>("narrowHalfWidthTextsBox")->setChecked(false);
    EXPECT_FALSE(Child<QLineEdit>("halfWidthAspectField")->isEnabled());
    Child<QCheckBox>("shrinkTextsBox")->click();
    EXPECT_TRUE(Child<QLineEdit>("textShrinkField")->isEnabled());
}

TEST_F(MainWindowTest, PointsLeftAsPointsNeedAYes) {
    dialogs_.yesNoAnswers = {false};
    Child<QRadioButton>("pointMode_3")->click();
    EXPECT_TRUE(Child<QRadioButton>("pointMode_1")->isChecked());
    EXPECT_EQ(dialogs_.events,
              (std::vector<std::string>{
                  "beep", "ask: 点を点のまま変換するとAutoCADでは見えなくなります\r\nそれでもよろしいですか？"}));
    dialogs_.yesNoAnswers = {true};
    Child<QRadioButton>("pointMode_3")->click();
    EXPECT_TRUE(Child<QRadioButton>("pointMode_3")->isChecked());
}

TEST_F(MainWindowTest, InitialiseRestoresTheDefaultsAndForgetsTheDrawing) {
    Drop({Sample()});
    ASSERT_GT(Child<QComboBox>("scaleBox")->count(), 1);
    Child<QComboBox>("scaleBox")->setCurrentIndex(1);
    Child<QCheckBox>("curvesAsPolylinesBox")->setChecked(true);
    Child<ColorComboBox>("penColorBox1")->SetColorNumber(1);
    Child<QRadioButton>("jwLineTypes_false")->setChecked(true);
    Child<QLineEdit>("pointRadiusField")->setText("3");
    Child<QLineEdit>("halfWidthAspectField")->setText("20");
    Child<QPushButton>("defaultsButton")->click();
    EXPECT_TRUE(Log() == QStringList{""});
    EXPECT_EQ(Pens(), (std::vector<int>{4, 7, 3, 2, 6, 5}));
    EXPECT_TRUE(Child<QRadioButton>("jwLineTypes_true")->isChecked());
    EXPECT_EQ(Text("pointRadiusField"), "0.5000");
    EXPECT_EQ(Text("textShrinkField"), "90");
    EXPECT_EQ(Text("halfWidthAspectField"), "70");
    EXPECT_TRUE(Child<QCheckBox>("curvesAsPolylinesBox")->isChecked());  // not touched
    EXPECT_EQ(Child<QComboBox>("scaleBox")->currentIndex(), 1);  // not touched
    dialogs_.events.clear();
    Child<QPushButton>("saveButton")->click();
    EXPECT_EQ(dialogs_.events, std::vector<std::string>{"info: jwcファイルを先に開いてください"});
}

TEST_F(MainWindowTest, ADroppedSampleSavesTheSameFileAsTheCommandLine) {
    const std::string sample = Sample();
    Drop({sample});
    const QStringList log = Log();
    ASSERT_GE(log.size(), 9);
    EXPECT_EQ(log[0].toStdString(), sample);
    EXPECT_EQ(log[2], "ORVIK 見本図面 木造平屋");
    EXPECT_EQ(log[4], "直線の数　 = 46");
    EXPECT_EQ(Child<QComboBox>("scaleBox")->currentText(), "100");
    dialogs_.saveAnswers = {dir_.File("window.dxf")};
    Child<QPushButton>("saveButton")->click();
    EXPECT_TRUE(dialogs_.Count("finished: ファイルの保存が終了しました") == 1);
    EXPECT_TRUE(Log().contains("「使用画層」"));
    const cli::CliRun run = cli::Cli({"convert", "-o", dir_.File("cli.dxf"), sample});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(ReadFileBytes(dir_.File("window.dxf")) == ReadFileBytes(dir_.File("cli.dxf")));

    // The same with the output format chosen in the window, until initialise.
    Child<QComboBox>("outputFormatBox")->setCurrentText("ansi932");
    dialogs_.saveAnswers = {dir_.File("window-ansi.dxf")};
    Child<QPushButton>("saveButton")->click();
    EXPECT_TRUE(Log().contains("出力形式: ansi932"));
    const cli::CliRun ansi = cli::Cli({"convert", "--format", "ansi932", "-o", dir_.File("cli-ansi.dxf"), sample});
    EXPECT_TRUE(ReadFileBytes(dir_.File("window-ansi.dxf")) == ReadFileBytes(dir_.File("cli-ansi.dxf")));
    Child<QPushButton>("defaultsButton")->click();
    EXPECT_EQ(Child<QComboBox>("outputFormatBox")->currentText(), "dos932");
}

TEST_F(MainWindowTest, ABatchGoesToOneFolder) {
    std::filesystem::create_directory(dir_.File("out"));
    const std::string a = Sample();
    const std::string b = dir_.Write("b.jwc", ReadFileBytes(a));
    dialogs_.openAnswers = {{a, b}};
    Child<QPushButton>("readButton")->click();
    EXPECT_EQ(Log().front(), "【複数ファイル一括変換モード】");
    dialogs_.folderAnswers = {dir_.File("out")};
    Child<QPushButton>("saveButton")->click();
    EXPECT_EQ(dialogs_.Count("finished: ファイルの保存が終了しました"), 1);
    EXPECT_TRUE(std::filesystem::exists(dir_.File("out/plan.dxf")));
    EXPECT_TRUE(std::filesystem::exists(dir_.File("out/b.dxf")));
}

// The batch's outcome shows in its list (a sign before the names of the
// drawings not converted, the reason in the tooltip) and in the drawing tab.
TEST_F(MainWindowTest, ABatchMarksTheDrawingsItCouldNotConvert) {
    const std::string sample = ReadFileBytes(Sample());
    const std::vector<std::string> files = {dir_.Write("a.jwc", sample),
                                            dir_.Write("cut.jwc", sample.substr(0, sample.size() / 2)),
                                            dir_.Write("empty.jwc", JwcBuilder().Group(0, 1).Bytes())};
    Drop(files);
    std::filesystem::create_directory(dir_.File("out"));
    dialogs_.folderAnswers.push_back(dir_.File("out"));
    Child<QPushButton>("saveButton")->click();
    auto* list = Child<QComboBox>("batchBox");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "a.jwc");
    EXPECT_EQ(list->itemText(1), "△ cut.jwc");  // converted as far as it could be read
    EXPECT_EQ(list->itemText(2), "× empty.jwc");
    EXPECT_TRUE(list->itemData(1, Qt::ToolTipRole).toString().contains("図面を最後まで読み込めませんでした。"));
    Child<QTabWidget>("viewTabs")->setCurrentIndex(1);
    list->setCurrentIndex(2);
    emit list->activated(2);
    WaitForDrawing();
    auto* view = Child<DrawingView>("drawingView");
    EXPECT_FALSE(view->ShowsPicture());
    EXPECT_TRUE(view->Note().contains("図面に要素がないため基準縮尺が決まりません")) << view->Note().toStdString();
    list->setCurrentIndex(0);
    emit list->activated(0);
    WaitForDrawing();
    EXPECT_TRUE(view->ShowsPicture());
    EXPECT_TRUE(view->Note().isEmpty());
}

TEST_F(MainWindowTest, EndClosesTheWindow) {
    Child<QPushButton>("quitButton")->click();
    EXPECT_FALSE(window_.isVisible());
}

}  // namespace
}  // namespace orvik
