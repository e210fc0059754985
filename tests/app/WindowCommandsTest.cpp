// The window's read and save commands, driven through scripted dialogs and a
// recorded view.
#include "app/WindowCommands.h"

#include <gtest/gtest.h>

#include <sys/time.h>

#include <algorithm>
#include <filesystem>

#include "app/BatchLog.h"
#include "app/OutputFormatChoices.h"
#include "app/SettingChecks.h"
#include "cli/CliRun.h"
#include "dxf/DxfLines.h"
#include "support/JwcBuilder.h"
#include "support/JwwBuilder.h"
#include "support/ScopedTimeZone.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
namespace fs = std::filesystem;

// Records the view's effects on the dialogs' time line.
class FakeWindow : public testing::ScriptedDialogs, public WindowView {
public:
    std::vector<std::string> log;
    SettingTexts controls = TextsOf(ConversionSettings{});
    ScaleList scales;
    int selectedByUser = -1;

    void ClearLog() override {
        log.clear();
        events.push_back("clear log");
    }
    void AppendLog(const std::string& text) override {
        for (const auto& line : SplitLogText(text)) log.push_back(line);
        events.push_back("log: " + text);
    }
    void SetScaleList(const ScaleList& list) override {
        scales = list;
        selectedByUser = -1;
        events.push_back("scale list");
    }
    std::string ScaleText() const override {
        const int i = selectedByUser >= 0 ? selectedByUser : scales.selected;
        return i >= 0 ? scales.items[i] : "";
    }
    SettingTexts ReadControls() const override { return controls; }
    void SetFieldText(std::string_view setting, const std::string& text) override {
        controls[std::string(setting)] = text;
    }
    void FocusWindow() override { events.push_back("focus"); }
    void RunInBackground(const std::function<void()>& work) override { work(); }
    void ShowProgress(int done, int total, const std::string& current) override {
        progress.push_back(std::to_string(done) + "/" + std::to_string(total) + " " + current);
    }
    // Cancel is pressed once this many drawings of a batch have begun.
    int cancelAfter = -1;
    bool CancelRequested() override {
        return cancelAfter >= 0 && std::ranges::count_if(progress, [](const std::string& p) {
                                       return !p.starts_with("0/0");
                                   }) >= cancelAfter;
    }
    std::vector<std::string> progress;
};

class WindowCommandsTest : public ::testing::Test {
protected:
    std::string Drawing(const std::string& name, float scale = 100) {
        JwcBuilder b;
        b.HeaderTexts("H1", "H2").Group(0, scale).Layer(0, "A").Line(LineRecord{0, 0, 10, 10, 1, 1, 0});
        return dir_.Write(name, b.Bytes());
    }
    testing::ScopedTimeZone utc_;
    TempDir dir_;
    FakeWindow ui_;
    orvik::Drawing drawing_;
    ConversionSettings settings_;
    WindowState state_;
    WindowCommands commands_{ui_, ui_, drawing_, settings_, state_};
};

TEST_F(WindowCommandsTest, ASingleReadShowsTheDrawingReport) {
    const std::string path = Drawing("PLAN.JWC");
    ui_.openAnswers.push_back({path});
    commands_.OpenDrawings();
    EXPECT_EQ(state_.fileCount, 1);
    EXPECT_EQ(state_.currentPath, path);
    EXPECT_EQ(ui_.log, (std::vector<std::string>{path, "", "H1", "H2", "直線の数　 = 1", "円弧の数　 = 0",
                                                 "文字列の数 = 0", "実点の数　 = 0", "仮想点の数 = 0"}));
    EXPECT_EQ(ui_.scales.items, std::vector<std::string>{"100"});
    // Cancelling the dialog afterwards keeps all of it.
    ui_.openAnswers.push_back({});
    commands_.OpenDrawings();
    EXPECT_EQ(state_.fileCount, 1);
    EXPECT_EQ(ui_.log.size(), 9u);
}

TEST_F(WindowCommandsTest, TheOpenDialogRefusesWithABeepAndTheFilesPath) {
    struct Case {
        std::string path;
        const char* message;
    };
    const Case cases[] = {
        {dir_.Write("plan.jw", "jw_cad(c)data......."), "は、\r\nJW-CAD図面ファイルではありません。"},
        {dir_.Write("noext", "jw_cad(c)data......."), "は、\r\nJW-CAD図面ファイルではありません。"},
        {dir_.Write("fake.jwc", "not a drawing"), "は、\r\nJW_CAD図面ファイルではありません。"},
        {dir_.Write("empty.jwc", ""), "は、\r\n空のファイルです"},
        {[&] {
             fs::create_directory(dir_.File("folder.jwc"));
             return dir_.File("folder.jwc");
         }(),
         "は、\r\nフォルダーです"},
    };
    for (const auto& c : cases) {
        ui_.events.clear();
        ui_.openAnswers.push_back({c.path});
        commands_.OpenDrawings();
        EXPECT_EQ(state_.fileCount, 0);
        EXPECT_EQ(ui_.events, (std::vector<std::string>{"open dialog", "clear log", "beep", "focus",
                                                        "warning: " + c.path + c.message}));
    }
    // A typed name of a missing file: the log is cleared, nothing is said.
    ui_.events.clear();
    ui_.openAnswers.push_back({dir_.File("missing.jwc")});
    commands_.OpenDrawings();
    EXPECT_EQ(ui_.events, (std::vector<std::string>{"open dialog", "clear log"}));
    EXPECT_EQ(state_.fileCount, 0);
}

TEST_F(WindowCommandsTest, SeveralFilesFromTheDialogAreABatch) {
    const std::vector<std::string> files = {Drawing("a.jwc"), Drawing("b.jwc"), Drawing("c.jwc")};
    ui_.openAnswers.push_back(files);
    commands_.OpenDrawings();
    EXPECT_EQ(state_.fileCount, 3);
    EXPECT_EQ(state_.batchFiles, files);
    EXPECT_EQ(ui_.log,
              (std::vector<std::string>{"【複数ファイル一括変換モード】", "", files[0], files[1], files[2], "", ""}));
    EXPECT_FALSE(ui_.Saw("scale list"));
    // One bad file refuses the batch, with the hyphen spelling for both faults.
    const std::string fake = dir_.Write("fake.jwc", "no");
    ui_.events.clear();
    ui_.openAnswers.push_back({files[0], fake});
    commands_.OpenDrawings();
    EXPECT_EQ(state_.fileCount, 0);
    EXPECT_TRUE(ui_.Saw("warning: " + fake + "は、\r\nJW-CAD図面ファイルではありません。"));
    EXPECT_TRUE(ui_.log.empty());
}

TEST_F(WindowCommandsTest, DropsCheckAfterShowingThePathAndNeverBeep) {
    const std::string wrong = dir_.Write("plan.txt", "x");
    commands_.DropFiles({wrong});
    EXPECT_EQ(ui_.events,
              (std::vector<std::string>{"focus", "clear log", "log: " + wrong + "\r\n", "focus",
                                        "warning: このファイルは、JW-CAD図面ファイルではありません。", "clear log"}));
    EXPECT_EQ(state_.fileCount, 0);
    EXPECT_TRUE(ui_.log.empty());

    ui_.events.clear();
    commands_.DropFiles({dir_.Write("fake.jwc", "no")});
    EXPECT_TRUE(ui_.Saw("warning: このファイルは、JW_CAD図面ファイルではありません。"));

    const std::string good = Drawing("good.jwc");
    ui_.events.clear();
    commands_.DropFiles({good, wrong});
    EXPECT_EQ(ui_.events, (std::vector<std::string>{
                              "focus", "clear log", "log: 【複数ファイル一括変換モード】\r\n", "log: " + good, "focus",
                              "warning: " + wrong + "ファイルは\r\nJW-CAD図面ファイルではありません。", "clear log"}));
    EXPECT_EQ(state_.fileCount, 0);
    EXPECT_EQ(ui_.Count("beep"), 0);

    commands_.DropFiles({good});
    EXPECT_EQ(state_.fileCount, 1);
    EXPECT_EQ(ui_.log.front(), good);
}

TEST_F(WindowCommandsTest, ADamagedDrawingIsLoadedAndTheUserIsTold) {
    JwcBuilder b;
    b.Line(LineRecord{0, 0, 1, 1, 1, 1, 0}).Line(LineRecord{0, 0, 2, 2, 1, 1, 0});
    const std::string path =
        dir_.Write("cut.jwc", b.Bytes().substr(0, static_cast<std::size_t>(b.SectionOffset(FilePart::Arcs) - 5)));
    commands_.DropFiles({path});
    EXPECT_EQ(state_.fileCount, 1);
    EXPECT_EQ(ui_.log[4], "直線の数　 = 1");
    EXPECT_TRUE(ui_.log.back().starts_with("図面を最後まで読み込めませんでした。直線の途中で")) << ui_.log.back();
    EXPECT_EQ(ui_.Count("warning: " + path + "\r\n図面を最後まで読み込めませんでした。\r\n直線の途中で"), 1);
}

// A JWW drawing, by its name or by its signature whatever its name, is
// read with its report and its scales, and saved as the command line saves it.
TEST_F(WindowCommandsTest, AJwwDrawingIsReadAndSaved) {
    JwwDrawing d = NewJwwDrawing(600);
    d.header.groups[0].scale = 50;
    Append(d.elements, JwwLine{{}, 0, 0, 1, 1});
    JwwSolid circleSolid;
    circleSolid.common.penStyle = kJwwCircleSolid;  // not carried yet: the log says so
    Append(d.elements, circleSolid);
    const std::string bytes = BuildJww(d).bytes;
    for (const char* name : {"plan.jww", "plan.dat"}) {
        const std::string path = dir_.Write(name, bytes);
        commands_.DropFiles({path});
        EXPECT_EQ(state_.fileCount, 1) << name;
        EXPECT_NE(std::ranges::find(ui_.log, "直線の数　　　　 = 1"), ui_.log.end()) << name;
        EXPECT_EQ(ui_.log.back(), "変換していない要素: ソリッド 1 件") << name;
        EXPECT_EQ(ui_.scales.items, std::vector<std::string>{"50"}) << name;
    }
    ui_.saveAnswers.push_back(dir_.File("window.dxf"));
    commands_.ConvertAndSave();
    const cli::CliRun run = cli::Cli({"convert", "-o", dir_.File("cli.dxf"), dir_.File("plan.dat")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(ReadFileBytes(dir_.File("window.dxf")) == ReadFileBytes(dir_.File("cli.dxf")));
}

TEST_F(WindowCommandsTest, SaveChecksTheNumbersAndWritesDefaultsBack) {
    struct Case {
        std::string pointRadius, textShrink, halfWidthAspect;
        bool shrinkTexts = true, narrowHalfWidthTexts = true;
        std::string message;  // empty: accepted
        std::string field, value;
    };
    const Case cases[] = {
        {"0", "90", "70", true, true, "点の半径は0より大きい数値を入力してください", "pointRadius", "0.5000"},
        {"0.0", "90", "70", true, true, "点の半径は0より大きい数値を入力してください", "pointRadius", "0.5000"},
        {"1.2.3", "90", "70", true, true, "点の半径は0より大きい数値を入力してください", "pointRadius", "0.5000"},
        {"", "90", "70", true, true, "点の半径は0より大きい数値を入力してください", "pointRadius", "0.5000"},
        {"1" + std::string(40, '0'), "90", "70", true, true, "点の半径は0より大きい数値を入力してください",
         "pointRadius", "0.5000"},  // beyond a 32-bit real
        {"0.25", "0", "70", true, true, "文字の縮小率は0より大きい数値を入力してください", "textShrink", "90"},
        {"0.25", "", "70", false, true, "文字の縮小率は0より大きい数値を入力してください", "textShrink", "90"},
        {"0.25", "90", "", true, false, "半角文字の縦横比は0より大きい数値を入力してください", "halfWidthAspect", "60"},
        {"0.25", "5", "70", true, true, "", "", ""},
    };
    for (const auto& c : cases) {
        ui_.events.clear();
        ui_.controls["pointRadius"] = c.pointRadius;
        ui_.controls["textShrink"] = c.textShrink;
        ui_.controls["halfWidthAspect"] = c.halfWidthAspect;
        ui_.controls["shrinkTexts"] = c.shrinkTexts ? kTrue : kFalse;
        ui_.controls["narrowHalfWidthTexts"] = c.narrowHalfWidthTexts ? kTrue : kFalse;
        commands_.ConvertAndSave();
        if (c.message.empty()) {
            // Accepted and copied; nothing is loaded, which comes last.
            EXPECT_EQ(ui_.events, std::vector<std::string>{"info: jwcファイルを先に開いてください"});
            EXPECT_EQ(settings_.textShrinkPercent, 5);
            EXPECT_EQ(settings_.pointRadiusMm, 0.25f);
            continue;
        }
        EXPECT_EQ(ui_.events, std::vector<std::string>{"info: " + c.message})
            << c.pointRadius << c.textShrink << c.halfWidthAspect;
        EXPECT_EQ(ui_.controls[c.field], c.value);
    }
    // A pasted reduction that is no number at all: the general error report, nothing copied.
    ui_.events.clear();
    ui_.controls = FakeWindow().controls;
    ui_.controls["textShrink"] = "ab";
    settings_.textShrinkPercent = 1;
    commands_.ConvertAndSave();
    EXPECT_EQ(ui_.events, std::vector<std::string>{"error: 'ab' は有効な整数値ではありません"});
    EXPECT_EQ(settings_.textShrinkPercent, 1);
}

TEST_F(WindowCommandsTest, ASingleSaveNamesTheOutputAfterTheDialog) {
    const std::string source = Drawing("a.jwc");
    commands_.DropFiles({source});
    struct Case {
        std::string typed;  // what the save dialog returns
        bool exists;  // a file of the written name exists beforehand
        bool answer;  // to the program's own question
        std::string written;  // empty: nothing written
        bool asked;
    };
    const Case cases[] = {
        {dir_.File("b"), false, true, dir_.File("b.dxf"), false},
        {dir_.File("b"), true, false, "", true},
        {dir_.File("c.txt"), true, true, dir_.File("c.dxf"), true},
        {dir_.File("D.DXF"), true, true, dir_.File("D.DXF"), false},  // the dialog asked already
    };
    for (const auto& c : cases) {
        ui_.events.clear();
        const std::string target =
            DxfPathFor(c.typed).ends_with(".dxf") && !c.typed.ends_with(".DXF") ? DxfPathFor(c.typed) : c.typed;
        fs::remove(target);
        if (c.exists) dir_.Write(fs::path(target).filename().string(), "old");
        ui_.saveAnswers.push_back(c.typed);
        ui_.yesNoAnswers.push_back(c.answer);
        commands_.ConvertAndSave();
        ui_.yesNoAnswers.clear();
        EXPECT_EQ(ui_.Count("ask: "), c.asked ? 1 : 0) << c.typed;
        if (c.asked) {
            EXPECT_TRUE(ui_.Saw("ask: " + target + "ファイルはすでに存在します。\r\n上書きしますか？"));
        }
        if (c.written.empty()) {
            EXPECT_EQ(ReadFileBytes(target), "old");
            EXPECT_FALSE(ui_.Count("finished: ファイルの保存が終了しました") == 1);
        } else {
            EXPECT_TRUE(ReadFileBytes(c.written).ends_with("EOF\r\n")) << c.written;
            EXPECT_TRUE(ui_.Count("finished: ファイルの保存が終了しました") == 1);
        }
    }
    // The first dialog proposed the drawing's name with ".dxf".
    ui_.events.clear();
    state_.currentPath = source;
    ui_.saveAnswers.push_back(std::nullopt);
    commands_.ConvertAndSave();
    EXPECT_EQ(ui_.events, std::vector<std::string>{"save dialog: " + dir_.File("a.dxf")});
}

TEST_F(WindowCommandsTest, TheLogShowsTheOutputAndTheUsedLayers) {
    const std::string source = Drawing("a.jwc");
    commands_.DropFiles({source});
    ui_.saveAnswers.push_back(dir_.File("a.dxf"));
    ui_.openFolderAnswers.push_back(true);
    commands_.ConvertAndSave();
    // The message names the file written and opens its folder on request.
    EXPECT_TRUE(ui_.Saw("finished: ファイルの保存が終了しました\r\n" + dir_.File("a.dxf")));
    EXPECT_EQ(ui_.events.back(), "open folder: " + fs::path(dir_.File("a.dxf")).parent_path().string());
    const std::vector<std::string> tail(ui_.log.end() - 5, ui_.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"", dir_.File("a.dxf"), "", "「使用画層」",
                                              "A                     色: 4  線種: CONTINUOUS"}));
}

TEST_F(WindowCommandsTest, TheDateComesFromTheDrawingEvenAfterACancelledDialog) {
    const std::string source = Drawing("a.jwc");
    commands_.DropFiles({source});
    ui_.saveAnswers.push_back(std::nullopt);
    commands_.ConvertAndSave();
    dir_.Write("a.dxf", "an old output, newer than the drawing");
    ui_.saveAnswers.push_back(dir_.File("out.dxf"));
    ui_.yesNoAnswers.push_back(true);
    const timeval times[2] = {{1109678401, 0}, {1109678401, 0}};
    ::utimes(source.c_str(), times);
    commands_.ConvertAndSave();
    EXPECT_EQ(testing::HeaderVariable(ReadFileBytes(dir_.File("out.dxf")), "$TDCREATE"),
              (testing::Groups{{" 40", "2453431.5"}}));
}

// In every output format; the save dialog names the format chosen.
TEST_F(WindowCommandsTest, TheWindowWritesTheSameFileAsTheCommandLine) {
    const std::string source = Drawing("same.jwc");
    const std::pair<OutputFormat, const char*> formats[] = {{OutputFormat::Dos932, "AutoCAD R13J DXF"},
                                                            {OutputFormat::Utf8, "AutoCAD 2007 DXF (UTF-8)"}};
    for (const auto& [format, fileType] : formats) {
        commands_.DropFiles({source});
        ui_.controls["outputFormat"] = ChoiceOf(format).name;
        ui_.saveAnswers.push_back(dir_.File("window.dxf"));
        ui_.yesNoAnswers.push_back(true);  // over the file of the format before
        commands_.ConvertAndSave();
        EXPECT_EQ(ui_.saveFileType, fileType);
        const cli::CliRun run = cli::Cli(
            {"convert", "--force", "--format", std::string(ChoiceOf(format).name), "-o", dir_.File("cli.dxf"), source});
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_TRUE(ReadFileBytes(dir_.File("window.dxf")) == ReadFileBytes(dir_.File("cli.dxf"))) << fileType;
    }
}

TEST_F(WindowCommandsTest, ABatchAsksOnceAndWritesEveryDrawing) {
    fs::create_directory(dir_.File("out"));
    const std::vector<std::string> files = {Drawing("a.jwc", 100), Drawing("b.jwc", 50), Drawing("c.jwc", 20)};
    commands_.DropFiles(files);
    ui_.scales.items = {"1"};
    ui_.selectedByUser = 0;  // the user's choice is not used in a batch
    ui_.events.clear();
    ui_.folderAnswers.push_back(dir_.File("out"));
    commands_.ConvertAndSave();
    EXPECT_EQ(ui_.events.front(),
              "folder dialog: 保存ディレクトリの選択 at " + fs::path(files[0]).parent_path().string());
    EXPECT_EQ(ui_.Count("ask: "), 0);
    EXPECT_EQ(ui_.Count("finished: ファイルの保存が終了しました"), 1);
    for (const char* name : {"a.dxf", "b.dxf", "c.dxf"})
        EXPECT_TRUE(ReadFileBytes(dir_.File("out/") + name).ends_with("EOF\r\n")) << name;
    EXPECT_NE(ReadFileBytes(dir_.File("out/b.dxf")).find("$LTSCALE\r\n 40\r\n50\r\n"), std::string::npos);
    // Each input's path, then its report once: the output path and the drawing's summary.
    const std::vector<std::string> inputReport = {files[1], "",   dir_.File("out/b.dxf"), "",
                                                  "H1",     "H2", "直線の数　 = 1"};
    EXPECT_NE(std::search(ui_.log.begin(), ui_.log.end(), inputReport.begin(), inputReport.end()), ui_.log.end());
    EXPECT_EQ(std::ranges::count(ui_.log, "H1"), 3);

    // Again: the outputs exist; "No" writes nothing at all.
    dir_.Write("out/a.dxf", "old");
    ui_.events.clear();
    ui_.folderAnswers.push_back(dir_.File("out"));
    ui_.yesNoAnswers.push_back(false);
    commands_.ConvertAndSave();
    EXPECT_EQ(ui_.events.back(),
              "ask: すでに存在するファイル: 3 件\r\n  a.dxf\r\n  b.dxf\r\n  c.dxf\r\n上書きしますか？");
    EXPECT_EQ(ReadFileBytes(dir_.File("out/a.dxf")), "old");
}

// A batch never stops for a box: a damaged drawing is converted as far as it
// was read, a failing one is logged with its reason, and the batch goes on to
// one summary that counts and names them. Cancel stops it after the drawing
// under way and keeps what is done.
TEST_F(WindowCommandsTest, ABatchGoesOnPastDamagedAndFailingDrawings) {
    const std::string empty = dir_.Write("empty.jwc", JwcBuilder{}.Bytes());
    const std::string good = Drawing("good.jwc");
    JwcBuilder cut;
    cut.HeaderTexts("H1", "H2")
        .Group(0, 100)
        .Layer(0, "A")
        .Line(LineRecord{0, 0, 10, 10, 1, 1, 0})
        .Line(LineRecord{1, 1, 2, 2, 1, 1, 0});
    const std::string damaged = dir_.Write(
        "damaged.jwc", cut.Bytes().substr(0, static_cast<std::size_t>(cut.SectionOffset(FilePart::Arcs) - 10)));
    fs::create_directory(dir_.File("out"));
    commands_.DropFiles({good, empty, damaged, Drawing("later.jwc")});
    ui_.events.clear();
    ui_.folderAnswers.push_back(dir_.File("out"));
    commands_.ConvertAndSave();
    EXPECT_EQ(ui_.Count("warning: "), 0);
    EXPECT_EQ(ui_.Count("error: "), 0);
    for (const char* name : {"good.dxf", "damaged.dxf", "later.dxf"})
        EXPECT_TRUE(fs::exists(dir_.File("out/") + name)) << name;
    EXPECT_FALSE(fs::exists(dir_.File("out/empty.dxf")));
    EXPECT_NE(std::ranges::find(ui_.log, empty + "（図面に要素がないため基準縮尺が決まりません）"), ui_.log.end());
    const std::vector<std::string> summary = {"変換した図面: 2 件", "一部だけ読み込めた図面: 1 件", "  " + damaged,
                                              "変換できなかった図面: 1 件", "  " + empty};
    EXPECT_TRUE(
        std::equal(summary.begin(), summary.end(), ui_.log.end() - static_cast<std::ptrdiff_t>(summary.size())));
    EXPECT_EQ(ui_.Count("finished: ファイルの保存が終了しました\r\n" + dir_.File("out") + "\r\n変換した図面: 2 件"), 1);
    EXPECT_EQ(ui_.progress.front(), "0/4 " + good);
    EXPECT_EQ(ui_.progress.back(), "0/0 ");

    // Cancel pressed during the second drawing: the third and fourth are not reached.
    fs::remove_all(dir_.File("out"));
    fs::create_directory(dir_.File("out"));
    ui_.progress.clear();
    ui_.cancelAfter = 2;
    ui_.folderAnswers.push_back(dir_.File("out"));
    commands_.ConvertAndSave();
    EXPECT_TRUE(fs::exists(dir_.File("out/good.dxf")));
    EXPECT_FALSE(fs::exists(dir_.File("out/damaged.dxf")));
    const std::vector<std::string> cancelled = {"中止しました。残りの図面は変換していません: 2 件", "  " + damaged,
                                                "  " + dir_.File("later.jwc")};
    EXPECT_TRUE(std::equal(cancelled.begin(), cancelled.end(), ui_.log.end() - 3));
    // The box says the batch was stopped and how many were written, not that the save finished.
    EXPECT_EQ(ui_.Count("finished: 一括変換を中止しました。保存した図面: 1 件\r\n" + dir_.File("out") + "\r\n"), 1);
    EXPECT_EQ(ui_.Count("finished: ファイルの保存が終了しました"), 1);  // the first run's only
    ui_.cancelAfter = -1;
}

// Names outside CP932 are shown as the system has them, in the log, the
// progress and the boxes, and two such names stay told apart.
TEST_F(WindowCommandsTest, NamesOutsideCp932ShowAsTheSystemHasThem) {
    const std::string single = Drawing("図面😀한국.jwc");
    commands_.DropFiles({single});
    EXPECT_EQ(ui_.log.front(), single);
    // A batch: the log, the progress and the box name each drawing whole.
    const std::string good = Drawing("図面한국.jwc");
    const std::string noScaleA = dir_.Write("도면A.jwc", JwcBuilder{}.Bytes());
    const std::string noScaleB = dir_.Write("도면B.jwc", JwcBuilder{}.Bytes());
    commands_.DropFiles({good, noScaleA, noScaleB});
    fs::create_directory(dir_.File("out"));
    ui_.folderAnswers.push_back(dir_.File("out"));
    ui_.events.clear();
    commands_.ConvertAndSave();
    EXPECT_NE(std::ranges::find(ui_.log, dir_.File("out/図面한국.dxf")), ui_.log.end());
    EXPECT_EQ(ui_.progress.front(), "0/3 " + good);
    EXPECT_TRUE(ui_.Saw("finished: ファイルの保存が終了しました\r\n" + dir_.File("out") +
                        "\r\n変換した図面: 1 件\r\n一部だけ読み込めた図面: 0 件\r\n変換できなかった図面: 2 件\r\n  " +
                        noScaleA + "\r\n  " + noScaleB));
}

// A box lists a few names of a kind and counts the rest; the log lists them all.
TEST(BatchSummary, ABoxNamesAFewAndCountsTheRest) {
    BatchTally tally;
    tally.converted = 2;
    for (const char* name : {"a", "b", "c", "d", "e"}) tally.notReached.push_back(name);
    tally.stopped = true;
    const std::vector<std::string> box = {"変換した図面: 2 件",
                                          "一部だけ読み込めた図面: 0 件",
                                          "変換できなかった図面: 0 件",
                                          "中止しました。残りの図面は変換していません: 5 件",
                                          "  a",
                                          "  b",
                                          "  c",
                                          "  ほか 2 件"};
    EXPECT_EQ(BatchSummary(tally, kNamesInABox), box);
    EXPECT_EQ(BatchSummary(tally).size(), 9u);  // the log: every name
    EXPECT_EQ(FirstNames({"a", "b", "c"}, 3), (std::vector<std::string>{"  a", "  b", "  c"}));
    EXPECT_TRUE(FirstNames({}, 3).empty());
}

TEST_F(WindowCommandsTest, AnErrorEndsTheCommandWithItsText) {
    const std::string good = Drawing("good.jwc");

    // An output that cannot be created: no used-layer report as if saved;
    // the box names it as the system does, also outside CP932.
    for (const char* name : {"missing/x.dxf", "missing/도면😀.dxf"}) {
        commands_.DropFiles({good});
        ui_.events.clear();
        ui_.saveAnswers.push_back(dir_.File(name));
        commands_.ConvertAndSave();
        EXPECT_TRUE(ui_.Saw("error: ファイル " + dir_.File(name) +
                            " を作成できません（ファイルまたはフォルダーが見つかりません）"))
            << name;
        EXPECT_EQ(ui_.log.back(), "");
        EXPECT_EQ(ui_.log.end()[-2], dir_.File(name));
    }

    // An output that is the drawing itself, under another name.
    fs::create_hard_link(good, dir_.File("same.dxf"));
    const std::string drawing = ReadFileBytes(good);
    ui_.events.clear();
    ui_.saveAnswers.push_back(dir_.File("same.dxf"));
    commands_.ConvertAndSave();
    EXPECT_TRUE(
        ui_.Saw("error: ファイル " + dir_.File("same.dxf") + " を作成できません（入力の図面と同じファイルです）"));
    EXPECT_TRUE(ReadFileBytes(good) == drawing);
}

TEST_F(WindowCommandsTest, ForgettingLeavesNothingToSave) {
    commands_.DropFiles({Drawing("a.jwc")});
    commands_.Forget();
    EXPECT_TRUE(ui_.log.empty());
    ui_.events.clear();
    commands_.ConvertAndSave();
    EXPECT_EQ(ui_.events, std::vector<std::string>{"info: jwcファイルを先に開いてください"});
}

TEST(SplitLogText, SplitsAtEachCrLf) {
    EXPECT_EQ(SplitLogText("a"), std::vector<std::string>{"a"});
    EXPECT_EQ(SplitLogText("a\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(SplitLogText("\r\n"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(SplitLogText("a\r\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLogText(""), std::vector<std::string>{""});
}

}  // namespace
}  // namespace orvik
