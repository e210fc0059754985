#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "support/JwcBuilder.h"
#include "support/JwwBuilder.h"
#include "support/TempDir.h"
#include "text/Cp932.h"

namespace orvik::cli {
namespace {

using testing::TempDir;

JwcBuilder Drawing(int lines) {
    JwcBuilder b;
    b.HeaderTexts(Utf8ToCp932("見本図面"), "A-1");
    for (int i = 0; i < lines; ++i) b.Line(LineRecord{0, 0, 1, 1, 1, 1, 0});
    b.Text(TextRecord{0, 0, 1, 0, "x"}).VirtualPoint(1, 1, 0);
    return b;
}

std::string Report(const std::string& path, const std::string& text1, const std::string& text2, int lines, int texts,
                   int virtualPoints) {
    return path + "\n\n" + text1 + "\n" + text2 + "\n直線の数　 = " + std::to_string(lines) + "\n円弧の数　 = 0\n" +
           "文字列の数 = " + std::to_string(texts) + "\n実点の数　 = 0\n仮想点の数 = " + std::to_string(virtualPoints) +
           "\n";
}

class InfoCommandTest : public ::testing::Test {
protected:
    TempDir dir_;
};

TEST_F(InfoCommandTest, PrintsTheReadReportOfEachFile) {
    const std::string a = dir_.Write("a.jwc", Drawing(2).Bytes());
    const std::string b = dir_.Write("B.JWC", Drawing(5).Bytes());
    const CliRun run = Cli({"info", a, b});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    EXPECT_EQ(run.out, Report(a, "見本図面", "A-1", 2, 1, 1) + "\n" + Report(b, "見本図面", "A-1", 5, 1, 1));
    EXPECT_EQ(run.err, "");
}

TEST_F(InfoCommandTest, HeaderTextsReachTheTerminalWithoutControlBytes) {
    JwcBuilder b;
    b.HeaderTexts("A\x1B[2J", "B^C\x07");
    const std::string a = dir_.Write("a.jwc", b.Bytes());
    const CliRun run = Cli({"info", a});
    EXPECT_EQ(run.code, kExitOk);
    EXPECT_EQ(run.out, Report(a, "A^[[2J", "B^ C^G", 0, 0, 0));
}

TEST_F(InfoCommandTest, RefusesFilesThatAreNotDrawingsAndGoesOn) {
    const std::string good = dir_.Write("good.jwc", Drawing(1).Bytes());
    const std::string wrongExtension = dir_.Write("plan.jw", Drawing(1).Bytes());
    const std::string noSignature = dir_.Write("fake.jwc", "not a drawing at all, just text");
    const CliRun run = Cli({"info", wrongExtension, noSignature, good, dir_.File("missing.jwc")});
    EXPECT_EQ(run.code, kExitSomeFailed);
    EXPECT_EQ(run.err, wrongExtension + "は、\nJW_CAD図面ファイルではありません。\n" + noSignature +
                           "は、\nJW_CAD図面ファイルではありません。\n" + dir_.File("missing.jwc") +
                           ": ファイルが見つかりません\n");
    EXPECT_NE(run.out.find(Report(good, "見本図面", "A-1", 1, 1, 1)), std::string::npos);
}

TEST_F(InfoCommandTest, ADamagedDrawingIsReportedAsFarAsItWasRead) {
    const JwcBuilder b = Drawing(3);
    const auto cut = b.SectionOffset(FilePart::Lines) + kLineRecordSize * 2 + 5;
    const std::string path = dir_.Write("cut.jwc", b.Bytes().substr(0, static_cast<std::size_t>(cut)));
    const CliRun run = Cli({"info", path});
    EXPECT_EQ(run.code, kExitSomeFailed);
    EXPECT_EQ(run.out, Report(path, "見本図面", "A-1", 2, 0, 1));
    EXPECT_EQ(run.err, path + ": 図面を最後まで読み込めませんでした。直線の途中でファイルが終わっています（" +
                           std::to_string(b.SectionOffset(FilePart::Lines)) + " バイト目から、ファイルの大きさ " +
                           std::to_string(cut) + " バイト）\n");
}

TEST_F(InfoCommandTest, UsageErrorsExitWithTwo) {
    const std::string good = dir_.Write("good.jwc", Drawing(1).Bytes());
    for (const auto& args :
         std::vector<std::vector<std::string>>{{}, {"info"}, {"frobnicate", good}, {"info", "--bogus", good}}) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.code, kExitUsage);
        EXPECT_NE(run.err.find("使い方: orvik-cli"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.code, kExitOk);
    EXPECT_NE(help.out.find("使い方: orvik-cli"), std::string::npos);
    // After "--" a name starting with "-" is a file.
    EXPECT_EQ(Cli({"info", "--", "-odd.jwc"}).code, kExitSomeFailed);
}

// A JWW drawing, by its extension in any case: the memo, version, paper,
// scales in use and the counts, settings texts and temporary points apart;
// a damaged one says where.
TEST_F(InfoCommandTest, ReportsJwwDrawings) {
    JwwDrawing d = NewJwwDrawing(701);
    d.header.memo = Utf8ToCp932("一行目\r\n二行目");
    d.header.groups[2].scale = 50;
    JwwCommon inGroup2;
    inGroup2.layerGroup = 2;
    Append(d.elements, JwwLine{inGroup2, 0, 0, 1, 1});
    Append(d.elements, JwwPoint{inGroup2, 1, 1, 1});
    Append(d.elements, JwwPoint{inGroup2, 2, 2, 0});
    Append(d.elements, JwwText{{}, 0, -1000, 1, -1000, 0, 1, 1, 0, 0, "", "View_Direct2d = 1"});
    // Each scale named once: a second group at 1:50, one at 1:200.
    d.header.groups[3].scale = 50;
    d.header.groups[5].scale = 200;
    for (std::uint16_t group : {3, 5}) {
        JwwCommon in;
        in.layerGroup = group;
        Append(d.elements, JwwSolid{in, {0, 0}, {1, 0}, {1, 1}, {0, 1}, 0});
    }
    auto block = std::make_unique<JwwBlockDefinition>();
    Append(block->elements, JwwLine{});
    d.blocks.push_back(std::move(block));
    d.form.utf16Strings = true;
    const std::string bytes = BuildJww(d).bytes;
    const std::string good = dir_.Write("plan.JWW", bytes);
    const std::string cut = dir_.Write("cut.jww", bytes.substr(0, bytes.size() - 20));
    const CliRun run = Cli({"info", good, cut});
    EXPECT_EQ(run.code, kExitSomeFailed);
    EXPECT_NE(run.out.find(good +
                           "\n\n一行目\n二行目\nJWW バージョン　 = 701（700 として読みました）\n用紙　　　　　　 = A3\n"
                           "縮尺　　　　　　 = 1/50（2 グループ）, 1/200\n直線の数　　　　 = 1\n円弧の数　　　　 = 0\n"
                           "文字列の数　　　 = 0（設定 1）\n実点の数　　　　 = 1（仮点 1）\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("ブロック定義の数 = 1\n"), std::string::npos) << run.out;
    EXPECT_NE(
        run.err.find(cut + ": 図面を最後まで読み込めませんでした。ブロック定義の途中でファイルが終わっています（"),
        std::string::npos)
        << run.err;
}

}  // namespace
}  // namespace orvik::cli
