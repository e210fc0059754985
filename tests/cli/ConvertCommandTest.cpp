#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <limits>

#include "app/SettingsTable.h"
#include "cli/CliRun.h"
#include "cli/ConvertOptions.h"
#include "dxf/DxfLines.h"
#include "jww/JwwReader.h"
#include "support/JwcBuilder.h"
#include "support/JwwBuilder.h"
#include "support/TempDir.h"
#include "text/Cp932.h"

namespace orvik::cli {
namespace {

using testing::TempDir;

JwcBuilder Drawing() {
    JwcBuilder b;
    b.HeaderTexts("T1", "T2").Group(0, 100).Layer(0, Utf8ToCp932("壁")).Line(LineRecord{0, 0, 10, 10, 1, 2, 0});
    return b;
}

// A drawing of two lines whose file ends inside the second.
std::string CutDrawing() {
    JwcBuilder b = Drawing();
    b.Line(LineRecord{5, 5, 6, 6, 1, 1, 0});
    return b.Bytes().substr(0, static_cast<std::size_t>(b.SectionOffset(FilePart::Arcs) - 10));
}

TEST(ParseConvertOptions, SetsTheSettingsFromTheOptions) {
    const auto parsed = ParseConvertOptions({"--points",
                                             "circle",
                                             "--point-radius=0.25",
                                             "--linetypes",
                                             "acad",
                                             "--polylines",
                                             "--no-round",
                                             "--text-reduction",
                                             "80",
                                             "--no-halfwidth-aspect",
                                             "--layer-numbers",
                                             "--no-defpoints",
                                             "--pen-colors",
                                             "red,2,green,4,blue,white",
                                             "--scale",
                                             "2.5",
                                             "-o",
                                             "x.dxf",
                                             "--force",
                                             "--allow-partial",
                                             "a.jwc"});
    ASSERT_EQ(parsed.error, "");
    const ConvertOptions& o = parsed.options;
    const ConversionSettings& s = o.settings;
    EXPECT_EQ(s.pointMode, PointMode::Circle);
    EXPECT_EQ(s.pointRadiusMm, 0.25f);
    EXPECT_FALSE(s.jwLineTypes);
    EXPECT_TRUE(s.curvesAsPolylines);
    EXPECT_FALSE(s.roundCoordinates);
    EXPECT_TRUE(s.shrinkTexts);
    EXPECT_EQ(s.textShrinkPercent, 80);
    EXPECT_FALSE(s.narrowHalfWidthTexts);
    EXPECT_EQ(s.halfWidthAspectPercent, 70);
    EXPECT_FALSE(s.plainLayerNames);
    EXPECT_FALSE(s.auxiliaryOnDefpoints);
    EXPECT_EQ(s.penColors, (std::array<std::int32_t, 6>{1, 2, 3, 4, 5, 7}));
    EXPECT_EQ(o.scale, "2.5");
    EXPECT_EQ(o.output, "x.dxf");
    EXPECT_TRUE(o.force && o.allowPartial);
    EXPECT_EQ(o.files, std::vector<std::string>{"a.jwc"});
}

TEST(ParseConvertOptions, RefusesBadValuesWithTheWindowsMessages) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--point-radius", "0"}, "点の半径は0より大きい数値を入力してください"},
        {{"--point-radius", "10000000000000000000000000000000000000000"},
         "点の半径は0より大きい数値を入力してください"},  // 10^40
        {{"--text-reduction", "0"}, "文字の縮小率は0より大きい数値を入力してください"},
        {{"--text-reduction", "100"}, "文字の縮小率は0より大きい数値を入力してください"},
        {{"--halfwidth-aspect=x"}, "半角文字の縦横比は0より大きい数値を入力してください"},
        {{"--pen-colors", "1,2,3,4,5"}, "ペンの色は"},
        {{"--pen-colors", "1,2,3,4,5,8"}, "ペンの色は"},
        {{"--pen-colors", "1,2,3,4,5,purple"}, "ペンの色は"},
        {{"--scale", "0"}, "基準縮尺は0より大きい数値"},
        {{"--scale", "abc"}, "基準縮尺は0より大きい数値"},
        {{"--scale", "1e40"}, "基準縮尺は0より大きい数値"},  // infinite as a 32-bit real
        {{"--scale", "1e-50"}, "基準縮尺は0より大きい数値"},  // 0 as a 32-bit real
        {{"-o", ""}, "-o には"},
        {{"--format", "utf16"}, "--format には"},
        {{"--points", "dots"}, "--points には"},
        {{"--linetypes", "iso"}, "--linetypes には"},
        {{"--frobnicate"}, "不明なオプションです"},
        {{"--output"}, "--output には値が必要です"},
        {{"--force=yes"}, "--force は値をとりません"},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseConvertOptions(c.args);
        EXPECT_EQ(parsed.error.rfind(c.message, 0), 0u) << c.args[0] << ": " << parsed.error;
    }
}

// What the page and any front end hand the command line: the settings
// table's options for the settings' texts give those settings; a field
// whose switch is off is not handed over and keeps its default.
TEST(ParseConvertOptions, TheTablesOptionsGiveTheTablesSettings) {
    const SettingTexts defaults = TextsOf(ConversionSettings{});
    const SettingTexts changes[] = {
        {},
        {{"roundCoordinates", "false"},
         {"pointMode", "3"},
         {"pointRadius", "1.2500"},
         {"jwLineTypes", "false"},
         {"curvesAsPolylines", "true"},
         {"explodeBlocks", "true"},
         {"textShrink", "50"},
         {"narrowHalfWidthTexts", "false"},
         {"halfWidthAspect", "55"},
         {"outputFormat", "r12"},
         {"plainLayerNames", "false"},
         {"auxiliaryOnDefpoints", "false"},
         {"penColors", "1,2,3,4,5,6"}},
        {{"pointMode", "2"}, {"shrinkTexts", "false"}, {"textShrink", "50"}, {"outputFormat", "r2007"}},
    };
    for (const SettingTexts& change : changes) {
        SettingTexts texts = defaults, expected = defaults;
        for (const auto& [name, text] : change) texts[name] = expected[name] = text;
        if (texts["shrinkTexts"] == kFalse) expected["textShrink"] = defaults.at("textShrink");
        if (texts["narrowHalfWidthTexts"] == kFalse) expected["halfWidthAspect"] = defaults.at("halfWidthAspect");
        const ParsedOptions parsed = ParseConvertOptions(OptionsOf(texts));
        ASSERT_EQ(parsed.error, "");
        EXPECT_EQ(TextsOf(parsed.options.settings), expected);
    }
}

class ConvertCommandTest : public ::testing::Test {
protected:
    TempDir dir_;
};

TEST_F(ConvertCommandTest, ConvertsBesideTheInputAndPrintsTheLog) {
    const std::string input = dir_.Write("plan.jwc", Drawing().Bytes());
    const CliRun run = Cli({"convert", input});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string output = dir_.File("plan.dxf");
    EXPECT_EQ(run.out,
              input + "\n\nT1\nT2\n直線の数　 = 1\n円弧の数　 = 0\n文字列の数 = 0\n実点の数　 = 0\n仮想点の数 = 0\n\n" +
                  output + "\n\n「使用画層」\n壁                    色: 7  線種: CONTINUOUS\n");
    const std::string dxf = testing::ReadFileBytes(output);
    EXPECT_TRUE(dxf.ends_with("  0\r\nEOF\r\n"));
    EXPECT_EQ(testing::HeaderVariable(dxf, "$LTSCALE"), (testing::Groups{{" 40", "100"}}));
}

TEST_F(ConvertCommandTest, NeverOverwritesWithoutForce) {
    const std::string input = dir_.Write("plan.jwc", Drawing().Bytes());
    const std::string output = dir_.Write("plan.dxf", "keep me");
    CliRun run = Cli({"convert", input});
    EXPECT_EQ(run.code, kExitSomeFailed);
    EXPECT_EQ(run.err, output + ": ファイルはすでに存在します。上書きするには --force を指定してください\n");
    EXPECT_EQ(testing::ReadFileBytes(output), "keep me");
    run = Cli({"convert", "--force", input});
    EXPECT_EQ(run.code, kExitOk);
    EXPECT_NE(testing::ReadFileBytes(output), "keep me");
}

TEST_F(ConvertCommandTest, ABatchGoesOnPastFailuresAndShowsProgress) {
    const std::string good = dir_.Write("a.jwc", Drawing().Bytes());
    const std::string empty = dir_.Write("b.jwc", JwcBuilder{}.Bytes());
    const std::string fake = dir_.Write("c.jwc", "not a drawing");
    const std::string cut = dir_.Write("d.jwc", CutDrawing());
    const std::string good2 = dir_.Write("e.JWC", Drawing().Bytes());
    std::filesystem::create_directory(dir_.File("out"));
    const CliRun run = Cli({"convert", "-o", dir_.File("out"), good, empty, fake, cut, good2});
    EXPECT_EQ(run.code, kExitSomeFailed);
    // Standard error is no terminal here: no progress lines, one summary.
    EXPECT_EQ(run.err.find("[1/5]"), std::string::npos);
    EXPECT_NE(run.err.find("\n変換: 2 件、一部だけ読めた図面: 0 件、スキップ: 0 件、失敗: 3 件（"), std::string::npos);
    EXPECT_NE(run.err.find(empty + ": 図面に要素がないため基準縮尺が決まりません"), std::string::npos);
    EXPECT_NE(run.err.find(fake + "は、\nJW_CAD図面ファイルではありません。"), std::string::npos);
    EXPECT_NE(run.err.find(cut + ": 図面を最後まで読み込めませんでした。"), std::string::npos);
    EXPECT_NE(run.err.find(cut + ": 変換しません"), std::string::npos);
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.File("out")))
        written.push_back(entry.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"a.dxf", "e.dxf"}));
}

TEST_F(ConvertCommandTest, PartialDrawingsAndEmptyOnesCanBeForced) {
    const std::string cut = dir_.Write("cut.jwc", CutDrawing());
    CliRun run = Cli({"convert", "--allow-partial", cut});
    EXPECT_EQ(run.code, kExitPartial) << run.err;  // converted, but not all of the drawing
    EXPECT_TRUE(std::filesystem::exists(dir_.File("cut.dxf")));
    const std::string empty = dir_.Write("empty.jwc", JwcBuilder{}.Bytes());
    run = Cli({"convert", "--scale", "20", empty});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(testing::HeaderVariable(testing::ReadFileBytes(dir_.File("empty.dxf")), "$LTSCALE"),
              (testing::Groups{{" 40", "20"}}));
}

// JWW files: a JWW drawing written back the same bytes, whether -o's name
// or --to asks for it (an empty drawing too: no scale is needed); a cut one
// as far as it was read with --allow-partial; a JWC drawing refused with
// its reason; the options only convert takes.
TEST_F(ConvertCommandTest, WritesJwwDrawingsBackAsTheyWere) {
    JwwDrawing jww = NewJwwDrawing();
    jww.form.utf16Strings = true;
    Append(jww.elements, JwwText{{}, 0, 0, 5, 0, 1, 2.5, 2.5, 0, 0, "ＭＳ ゴシック", Utf8ToCp932("壁")});
    const std::string bytes = BuildJww(jww).bytes;
    const std::string plan = dir_.Write("plan.jww", bytes);
    const std::string empty = dir_.Write("empty.jww", BuildJww(NewJwwDrawing(600)).bytes);
    const std::string cut = dir_.Write("cut.jww", bytes.substr(0, bytes.size() - 20));
    const std::string jwc = dir_.Write("plan.jwc", Drawing().Bytes());
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string output, expected;  // the file written and its bytes
    };
    const Case cases[] = {
        {{"convert", "-o", dir_.File("copy.JWW"), plan}, kExitOk, "copy.JWW", bytes},
        {{"convert", "--to", "jww", "--output-dir", dir_.File("out"), empty},
         kExitOk,
         "out/empty.jww",
         testing::ReadFileBytes(empty)},
        {{"convert", "--to", "jww", "--allow-partial", "-o", dir_.File("cut-copy.jww"), cut},
         kExitPartial,
         "cut-copy.jww",
         ""},
        {{"convert", "--to", "jww", "-o", dir_.File("jwc.jww"), jwc}, kExitSomeFailed, "jwc.jww", ""},
        {{"convert", "--to", "dxf", "-o", dir_.File("dxf.jww"), jwc}, kExitOk, "dxf.jww", ""},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.code, c.code) << c.output << ": " << run.err;
        if (!c.expected.empty()) {
            EXPECT_EQ(testing::ReadFileBytes(dir_.File(c.output)), c.expected) << c.output;
        }
    }
    JwwDrawing cutRead;
    EXPECT_TRUE(ReadJww(testing::ReadFileBytes(dir_.File("cut-copy.jww")), cutRead));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("jwc.jww")));
    EXPECT_TRUE(testing::ReadFileBytes(dir_.File("dxf.jww")).ends_with("EOF\r\n"));
    EXPECT_NE(Cli(cases[3].args).err.find("JWC 図面からは JWW ファイルを書き出せません"), std::string::npos);
    EXPECT_NE(Cli({"render", "--to", "jww", plan}).err.find("--to は convert のオプションです"), std::string::npos);
    EXPECT_NE(Cli({"convert", "--to", "dwg", plan}).err.find("--to には dxf か jww を"), std::string::npos);
    EXPECT_NE(Cli({"convert", "--to", "jww", "--thumbnail", plan}).err.find("--thumbnail は JWW"), std::string::npos);
}

// What went wrong is said plainly, with its reason, on standard error and
// in the report: a damaged header, numbers that are no numbers, and an
// output folder that cannot be made (no usage text).
TEST_F(ConvertCommandTest, SaysWhatWentWrongPlainly) {
    JwcBuilder broken = Drawing();
    broken.Line(LineRecord{std::numeric_limits<float>::quiet_NaN(), 0, 1, 1, 1, 1, 0})
        .Line(LineRecord{0, std::numeric_limits<float>::infinity(), 1, 1, 1, 1, 0});
    JwcBuilder farOff = Drawing();
    farOff.Line(LineRecord{1e12f, 0, 1e12f, 1, 1, 1, 0});  // one damaged number: rounding would flatten the rest
    struct Case {
        std::string name, bytes;
        std::vector<std::string> options;
        int code;
        std::string problem, record;  // in the log of problems; the report's status and code
    };
    const Case cases[] = {
        {"header.jwc",
         Drawing().Bytes().substr(0, 300),
         {"--allow-partial"},
         kExitSomeFailed,
         "読み込めた部分に要素がありません。変換しません",
         "failed,truncated-records"},
        {"cut.jwc",
         CutDrawing(),
         {"--allow-partial"},
         kExitPartial,
         "図面を最後まで読み込めませんでした。",
         "partly-read,truncated-records,図面を最後まで読み込めませんでした。"},
        {"cut-refused.jwc",
         CutDrawing(),
         {},
         kExitSomeFailed,
         "変換しません（読み込めた部分だけを変換するには --allow-partial を指定してください）",
         "failed,truncated-records,\"図面を最後まで読み込めませんでした。"},
        {"nan.jwc",
         broken.Bytes(),
         {},
         kExitOk,
         "数値が無限大か非数の要素: 2 件（0 として書き出しました）",
         "converted,"},
        {"far.jwc",
         farOff.Bytes(),
         {},
         kExitOk,
         "数値を補正しなかった縮尺（かけ離れた座標があり、補正すると図形がつぶれるため）: 1/",
         "converted,"},
        {"folder.jwc",
         Drawing().Bytes(),
         {"--output-dir", dir_.Write("file", "") + "/sub"},
         kExitSomeFailed,
         "出力フォルダを作れません（パスの途中にフォルダーでないものがあります）",
         ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"convert",         "--report", dir_.File("r.csv"),
                                         "--report-format", "csv",      "--force"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(dir_.Write(c.name, c.bytes));
        const CliRun run = Cli(args);
        EXPECT_EQ(run.code, c.code) << c.name << '\n' << run.err;
        EXPECT_NE(run.err.find(c.problem), std::string::npos) << c.name << '\n' << run.err;
        EXPECT_EQ(run.err.find("使い方"), std::string::npos) << c.name;
        if (!c.record.empty()) {
            EXPECT_NE(testing::ReadFileBytes(dir_.File("r.csv")).find(c.record), std::string::npos) << c.name;
        }
    }
}

// Angles no drawing has (one flipped byte makes them): every command
// finishes, a huge angle taken as its remainder of a turn, an infinite one
// as the other numbers that are not finite.
TEST_F(ConvertCommandTest, HugeAndInfiniteAnglesFinish) {
    JwwDrawing d = NewJwwDrawing();
    auto block = std::make_unique<JwwBlockDefinition>();
    block->number = 1;
    Append(block->elements, JwwArc{{}, 0, 0, 5, -1e300, 1, 0, 1, 0});
    d.blocks.push_back(std::move(block));
    Append(d.elements, JwwArc{{}, 0, 0, 10, -1e300, 1, 0, 1, 0});
    Append(d.elements, JwwArc{{}, 0, 0, 10, 0, 1, -std::numeric_limits<double>::infinity(), 0.5, 0});
    JwwSolid circumference{{}, {0, 0}, {3, 1}, {-1e300, -1e12}, {1, 0}, 0};
    circumference.common.penStyle = kJwwCircumferenceSolid;
    Append(d.elements, circumference);
    Append(d.elements, JwwBlockInsert{{}, 20, 0, 1, 1, -1e300, 1});
    const std::string input = dir_.Write("angles.jww", BuildJww(d).bytes);
    const std::vector<std::string> commands[] = {
        {"convert", "--force", input},
        {"convert", "--force", "--explode-blocks", "-o", dir_.File("flat.dxf"), input},
        {"render", "--force", "-o", dir_.File("angles.svg"), input},
    };
    for (const auto& args : commands) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.code, kExitOk) << args[1] << '\n' << run.err;
        EXPECT_NE(run.err.find("数値が無限大か非数の要素: 1 件"), std::string::npos) << run.err;
    }
}

// Blocks nested past what the explosion or the picture follows: the file
// or picture is written, but said to be partial, with what is missing.
TEST_F(ConvertCommandTest, BlocksLeftOutMakeAPartialResult) {
    JwwDrawing d = NewJwwDrawing();
    constexpr int kLevels = 40;  // past both nesting limits
    for (int level = 1; level <= kLevels; ++level) {
        auto block = std::make_unique<JwwBlockDefinition>();
        block->number = static_cast<std::uint32_t>(level);
        Append(block->elements, JwwLine{{}, 0, 0, 1, 0});
        if (level > 1)
            Append(block->elements, JwwBlockInsert{{}, 1, 0, 1, 1, 0, static_cast<std::uint32_t>(level - 1)});
        d.blocks.push_back(std::move(block));
    }
    Append(d.elements, JwwBlockInsert{{}, 0, 0, 1, 1, 0, kLevels});
    const std::string input = dir_.Write("deep.jww", BuildJww(d).bytes);
    struct Case {
        std::vector<std::string> args;
        const char* said;
    };
    const Case cases[] = {
        {{"convert", "--force", "--explode-blocks", input}, "変換していない要素: ブロック図形"},
        {{"render", "--force", "-o", dir_.File("deep.svg"), input},
         "絵に描いていないブロックの図形: 入れ子が 32 段より深い挿入 1 件"},
        {{"convert", "--force", input}, nullptr},  // INSERTs keep every level
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.args);
        EXPECT_EQ(run.code, c.said ? kExitPartial : kExitOk) << c.args[0] << '\n' << run.err;
        if (c.said) {
            EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        }
    }
}

// A JWW drawing's embedded images are saved beside its DXF file, named
// after it, numbered, inflated, never outside its folder; the log lists them.
TEST_F(ConvertCommandTest, EmbeddedImagesAreSavedBesideTheDxf) {
    JwwDrawing d = NewJwwDrawing();
    Append(d.elements, JwwLine{{}, 0, 0, 1, 1});
    d.images.push_back({"photo.jpg", 0, "\xFF\xD8\xFF jpeg"});
    d.images.push_back({"plan.bmp.gz", 0, "BM" + std::string(300, 'z')});
    d.images.push_back({"../../escape.png", 0, "\x89PNG"});
    d.images.push_back(
        {std::string(300, 'n') + ".png", 0, "\x89PNG long"});  // a name cut to fit the system's 255 bytes
    d.images.push_back({"taken.bmp", 0, "BM new"});  // a file in its way: a warning, not a failure
    d.images.push_back({"last.bmp", 0, "BM last"});
    const std::string taken = dir_.Write("site-5-taken.bmp", "mine");
    const std::string input = dir_.Write("site.jww", BuildJww(d).bytes);
    const CliRun run = Cli({"convert", input});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(testing::ReadFileBytes(taken), "mine");
    EXPECT_NE(run.err.find(taken), std::string::npos) << run.err;
    EXPECT_EQ(testing::ReadFileBytes(dir_.File("site-4-" + std::string(255 - 7, 'n'))), "\x89PNG long");
    EXPECT_EQ(testing::ReadFileBytes(dir_.File("site-6-last.bmp")), "BM last");
    const struct {
        const char* name;
        std::string bytes;
    } saved[] = {{"site-1-photo.jpg", "\xFF\xD8\xFF jpeg"},
                 {"site-2-plan.bmp", "BM" + std::string(300, 'z')},
                 {"site-3-escape.png", "\x89PNG"}};
    for (const auto& s : saved) {
        EXPECT_EQ(testing::ReadFileBytes(dir_.File(s.name)), s.bytes) << s.name;
        EXPECT_NE(run.out.find(dir_.File(s.name) + "\n"), std::string::npos) << run.out;
    }
}

TEST_F(ConvertCommandTest, ReportsUnwritableOutputsAndTwoInputsForOneOutput) {
    const std::string input = dir_.Write("plan.jwc", Drawing().Bytes());
    CliRun run = Cli({"convert", "-o", dir_.File("missing/plan.dxf"), input});
    EXPECT_EQ(run.code, kExitSomeFailed);
    EXPECT_NE(run.err.find(input + ": ファイル " + dir_.File("missing/plan.dxf") + " を作成できません"),
              std::string::npos);

    std::filesystem::create_directories(dir_.File("x"));
    std::filesystem::create_directories(dir_.File("out"));
    const std::string twin = dir_.Write("x/plan.jwc", Drawing().Bytes());
    run = Cli({"convert", "-o", dir_.File("out"), input, twin});
    EXPECT_EQ(run.code, kExitSomeFailed);
    EXPECT_NE(run.err.find("この実行ですでに書き出したファイルです"), std::string::npos);

    run = Cli({"convert", "-o", dir_.File("plan.dxf"), input, twin});
    EXPECT_EQ(run.code, kExitUsage);  // several inputs need an output folder
}

TEST_F(ConvertCommandTest, NeverWritesOverTheInputOrWhatIsNoRegularFile) {
    namespace fs = std::filesystem;
    const std::string input = dir_.Write("plan.jwc", Drawing().Bytes());
    const std::string drawing = testing::ReadFileBytes(input);
    fs::create_hard_link(input, dir_.File("hard.jwc"));
    fs::create_symlink(input, dir_.File("soft.dxf"));
    fs::create_symlink(dir_.Write("other.dxf", "other"), dir_.File("link.dxf"));
    ::mkfifo(dir_.File("fifo.dxf").c_str(), 0600);
    fs::create_symlink("loop", dir_.File("loop"));
    struct Case {
        std::string output, reason;
    };
    const Case cases[] = {
        {input, "入力の図面と同じファイルです"},
        {dir_.File("./plan.jwc"), "入力の図面と同じファイルです"},
        {dir_.File("hard.jwc"), "入力の図面と同じファイルです"},
        {dir_.File("soft.dxf"), "入力の図面と同じファイルです"},
        {dir_.File("link.dxf"), "通常のファイルではありません"},
        {dir_.File("fifo.dxf"), "通常のファイルではありません"},
        {dir_.File("loop/plan.dxf"), "シンボリックリンクが循環しています"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli({"convert", "--force", "-o", c.output, input});
        EXPECT_EQ(run.code, kExitSomeFailed) << c.output;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_TRUE(testing::ReadFileBytes(input) == drawing) << c.output;
    }
    EXPECT_EQ(fs::symlink_status(dir_.File("link.dxf")).type(), fs::file_type::symlink);
    EXPECT_EQ(testing::ReadFileBytes(dir_.File("other.dxf")), "other");
    EXPECT_EQ(fs::status(dir_.File("fifo.dxf")).type(), fs::file_type::fifo);
}

TEST_F(ConvertCommandTest, SaysWhyAnInputCannotBeRead) {
    std::filesystem::create_directory(dir_.File("folder.jwc"));
    ::mkfifo(dir_.File("pipe.jwc").c_str(), 0600);
    struct Case {
        std::string input, message;
    };
    const Case cases[] = {
        {dir_.File("missing.jwc"), "ファイルが見つかりません"},
        {dir_.File("folder.jwc"), "フォルダーです"},
        {dir_.File("pipe.jwc"), "通常のファイルではありません"},
        {dir_.Write("empty.jwc", ""), "空のファイルです"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli({"convert", c.input});
        EXPECT_EQ(run.code, kExitSomeFailed);
        EXPECT_EQ(run.err, c.input + ": " + c.message + "\n");
    }
}

TEST_F(ConvertCommandTest, WritesToStandardOutputWithTheLogOnStandardError) {
    const std::string input = dir_.Write("plan.jwc", Drawing().Bytes());
    const CliRun toFile = Cli({"convert", "-o", dir_.File("file.dxf"), input});
    // Standard output, for the moment, is a file of the test's.
    const int saved = ::dup(STDOUT_FILENO);
    const int capture = ::open(dir_.File("stdout.dxf").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(capture, STDOUT_FILENO);
    const CliRun toStdout = Cli({"convert", "-o", "-", input});
    ::dup2(saved, STDOUT_FILENO);
    ::close(capture);
    ::close(saved);
    EXPECT_EQ(toStdout.code, kExitOk) << toStdout.err;
    EXPECT_EQ(toStdout.out, "");
    EXPECT_NE(toStdout.err.find("「使用画層」"), std::string::npos);
    EXPECT_TRUE(testing::ReadFileBytes(dir_.File("stdout.dxf")) == testing::ReadFileBytes(dir_.File("file.dxf")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("-")));
}

// The R13 formats for readers differ from the default only in the version and
// code page labels, the sheet as the paper space's limits, the text style
// named after LibreCAD's Japanese font (a record of its own, with a handle no
// other record uses; the drawing, without texts or hidden layers, has no
// text that names it) and, for utf8, every Japanese string being UTF-8.
TEST_F(ConvertCommandTest, OutputFormatsDifferOnlyInTheirLabelsAndEncoding) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* format;
        Pairs labels;  // the lines that differ, besides the re-encoded strings
        bool utf8;
    };
    const Case cases[] = {
        // $PLIMMAX: the sheet (A3) in millimetres
        {"ansi932", {{"dos932", "ANSI_932"}, {"12.0", "420"}, {"9.0", "297"}, {"     1", "     2"}}, false},
        {"utf8",
         {{"AC1012", "AC1021"}, {"dos932", "ANSI_65001"}, {"12.0", "420"}, {"9.0", "297"}, {"     1", "     2"}},
         true},
    };
    const std::vector<std::string> kst32bStyle = {"  0", "STYLE",
                                                  "  5", "4F",
                                                  "330", "3",
                                                  "100", "AcDbSymbolTableRecord",
                                                  "100", "AcDbTextStyleTableRecord",
                                                  "  2", "KST32B",
                                                  " 70", "     0",
                                                  " 40", "0.0",
                                                  " 41", "1.0",
                                                  " 50", "0.0",
                                                  " 71", "     0",
                                                  " 42", "2.5",
                                                  "  3", "txt.shx",
                                                  "  4", "extfont.shx"};
    const std::string input = dir_.Write("plan.jwc", Drawing().Bytes());
    const CliRun faithful = Cli({"convert", "-o", dir_.File("a.dxf"), input});
    EXPECT_EQ(faithful.out.find("出力形式"), std::string::npos);  // the default log stays as it was
    const auto a = testing::SplitLines(testing::ReadFileBytes(dir_.File("a.dxf")));
    for (const auto& c : cases) {
        const CliRun run = Cli({"convert", "--force", "--format", c.format, "-o", dir_.File("b.dxf"), input});
        ASSERT_EQ(run.code, kExitOk) << run.err;
        EXPECT_NE(run.out.find("\n出力形式: " + std::string(c.format) + "\n「使用画層」"), std::string::npos);
        auto b = testing::SplitLines(testing::ReadFileBytes(dir_.File("b.dxf")));
        const auto at = std::search(b.begin(), b.end(), kst32bStyle.begin(), kst32bStyle.end());
        ASSERT_NE(at, b.end());
        b.erase(at, at + static_cast<std::ptrdiff_t>(kst32bStyle.size()));
        // Up to OBJECTS, whose owners the later formats name (ezdxf's audit
        // checks them in the read-back test).
        const auto objects = [](const std::vector<std::string>& lines) {
            return static_cast<std::size_t>(std::ranges::find(lines, "OBJECTS") - lines.begin());
        };
        ASSERT_EQ(objects(a), objects(b));
        Pairs differing;
        int reencoded = 0;
        for (std::size_t i = 0; i < objects(a); ++i) {
            if (a[i] == b[i]) continue;
            if (c.utf8 && b[i] == Cp932ToUtf8(a[i]))
                ++reencoded;
            else
                differing.emplace_back(a[i], b[i]);
        }
        EXPECT_EQ(differing, c.labels) << c.format;
        EXPECT_EQ(reencoded > 0, c.utf8) << c.format;  // the layer name 壁
    }
}

// render writes a picture per drawing, SVG, PNG or PDF by option or by name;
// convert --thumbnail a PNG beside the DXF; the picture options belong to
// render alone.
TEST_F(ConvertCommandTest, PicturesGoWhereTheOptionsSay) {
    const std::string input = dir_.Write("plan.jwc", Drawing().Bytes());
    JwcBuilder tallDrawing;
    tallDrawing.Group(0, 100)
        .Layer(0, "A")
        .Line(LineRecord{0, 0, 0, 1000, 1, 1, 0})
        .Line(LineRecord{1, 0, 1, 1000, 1, 1, 0});
    const std::string tall = dir_.Write("tall.jwc", tallDrawing.Bytes());
    struct Case {
        std::vector<std::string> args;
        int code;
        std::vector<std::pair<std::string, std::string>> files;  // name, how it begins
    };
    const std::string svg = "<?xml", png = "\x89PNG", pdf = "%PDF", dxf = "  0\r\nSECTION";
    const Case cases[] = {
        {{"render", input}, kExitOk, {{"plan.svg", svg}}},
        {{"render", "--picture", "png", "--width", "64", input}, kExitOk, {{"plan.png", png}}},
        {{"render", "--background", "light", "-o", dir_.File("x.PNG"), input}, kExitOk, {{"x.PNG", png}}},
        {{"render", "--picture", "pdf", input}, kExitOk, {{"plan.pdf", pdf}}},
        {{"convert", "--thumbnail", input}, kExitOk, {{"plan.dxf", dxf}, {"plan.png", png}}},
        {{"convert", "--width", "64", input}, kExitUsage, {}},
        {{"render", "--thumbnail", input}, kExitUsage, {}},
        {{"render", "--width", "5", input}, kExitUsage, {}},
        {{"render", "--picture", "jpg", input}, kExitUsage, {}},
        // A tall drawing at the widest picture: made within the largest picture, not empty.
        {{"render", "--picture", "png", "--width", "20000", "-o", dir_.File("x.PNG"), tall}, kExitOk, {{"x.PNG", png}}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin() + 1, "--force");
        const CliRun run = Cli(args);
        EXPECT_EQ(run.code, c.code) << args[1] << ' ' << args[2] << ": " << run.err;
        for (const auto& [name, begins] : c.files)
            EXPECT_TRUE(testing::ReadFileBytes(dir_.File(name)).starts_with(begins)) << name;
        for (const char* name : {"plan.svg", "plan.png", "plan.pdf", "plan.dxf", "x.PNG"})
            std::filesystem::remove(dir_.File(name));
    }
    // The thumbnail, outlined as its DXF file is written, is the picture a render makes on its own.
    ASSERT_EQ(Cli({"convert", "--thumbnail", input}).code, kExitOk);
    ASSERT_EQ(Cli({"render", "--picture", "png", "--width", "256", "-o", dir_.File("alone.png"), input}).code, kExitOk);
    EXPECT_TRUE(testing::ReadFileBytes(dir_.File("plan.png")) == testing::ReadFileBytes(dir_.File("alone.png")));
}

TEST_F(ConvertCommandTest, OptionsReachTheFile) {
    const std::string input = dir_.Write("plan.jwc", Drawing().Bytes());
    const CliRun run = Cli({"convert", "--layer-numbers", "--linetypes", "acad", "--pen-colors", "1,5,1,1,1,1",
                            "--scale", "50", "-o", dir_.File("o.dxf"), input});
    ASSERT_EQ(run.code, kExitOk) << run.err;
    const std::string dxf = testing::ReadFileBytes(dir_.File("o.dxf"));
    const auto layers = testing::Records(dxf, "LAYER");
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(Cp932ToUtf8(testing::Value(layers[1], "  2")), "0_0_壁");
    EXPECT_EQ(testing::Value(layers[1], " 62"), "     5");
    EXPECT_EQ(testing::Value(testing::Records(dxf, "LTYPE")[3], "  2"), "HIDDEN2");
    EXPECT_EQ(testing::HeaderVariable(dxf, "$LTSCALE"), (testing::Groups{{" 40", "50"}}));
}

}  // namespace
}  // namespace orvik::cli
