#include "app/ReadReport.h"

#include <gtest/gtest.h>

#include "app/ReadDrawing.h"
#include "failure/Failure.h"
#include "jwc/JwcDriver.h"
#include "support/JwcBuilder.h"
#include "support/JwwBuilder.h"
#include "support/TempDir.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {
namespace {

TEST(JwcDriver, IsNamedDotJwcInAnyCase) {
    struct Case {
        const char* path;
        bool jwc;
    };
    const Case cases[] = {
        {"plan.jwc", true},      {"PLAN.JWC", true},   {"/a/b/Plan.JwC", true},
        {"x.y.jwc", true},       {".jwc", true},       {"plan.jw", false},
        {"plan", false},         {"plan.jwcx", false}, {"plan.jwc.bak", false},
        {"dir.jwc/plan", false}, {"", false},          {"plan.", false},
    };
    for (const auto& c : cases) EXPECT_EQ(JwcDriver().Named(c.path), c.jwc) << c.path;
}

std::vector<std::string> ToUtf8(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines) out.push_back(Cp932ToUtf8(line));
    return out;
}

TEST(JwcSummaryLines, ShowsHeaderTextsAndAlignedCounts) {
    JwcFile d;
    d.header.headerText1 = "\x8C\xA9\x96\x7B";  // 見本
    d.header.headerText2 = "";
    d.header.lineCount = 12;
    d.header.arcCount = 0;
    d.header.textCount = 3;
    d.header.pointCount = -4;
    d.header.virtualPointCount = 101;
    const std::vector<std::string> expected = {
        "見本", "", "直線の数　 = 12", "円弧の数　 = 0", "文字列の数 = 3", "実点の数　 = -4", "仮想点の数 = 101",
    };
    EXPECT_EQ(ToUtf8(JwcSummaryLines(d)), expected);
    // Every "=" sits at the same byte column.
    for (std::size_t i = 2; i < 7; ++i) EXPECT_EQ(JwcSummaryLines(d)[i].find('='), 11u);
}

TEST(ReadReport, RefusalTextsAreExact) {
    EXPECT_EQ(Cp932ToUtf8(kRefusalPathSuffix), "は、");
    EXPECT_EQ(Cp932ToUtf8(kNotJwCadByExtension), "JW-CAD図面ファイルではありません。");
    EXPECT_EQ(Cp932ToUtf8(kNotJwCadBySignature), "JW_CAD図面ファイルではありません。");
}

TEST(DescribeReadError, NamesTheFaultAndWhereItIs) {
    struct Case {
        Failure error;
        const char* text;
    };
    auto error = [](Reason f, FilePart s) {
        Failure e;
        e.reason = f;
        e.part = s;
        return e;
    };
    Failure truncated = error(Reason::Truncated, FilePart::Arcs);
    truncated.offset = 2421;
    truncated.fileSize = 2500;
    Failure field = error(Reason::InvalidField, FilePart::HeaderBlocks);
    field.block = 4;
    field.field = 1;
    field.offset = 600;
    field.detail = std::string("0\0\0", 3);
    Failure negative = error(Reason::NegativeCount, FilePart::Lines);
    negative.count = -3;
    Failure large = error(Reason::CountTooLarge, FilePart::Texts);
    large.count = 2000000000;
    large.fileSize = 3000;
    large.offset = -1;  // found in the header, before its part is read
    Failure many = error(Reason::TooManyVirtualPoints, FilePart::VirtualPoints);
    many.count = 102;
    many.limit = 101;
    const Case cases[] = {
        {error(Reason::Unreadable, FilePart::HeaderBlocks), "ファイルを開けません"},
        {truncated, "円弧の途中でファイルが終わっています（2421 バイト目から、ファイルの大きさ 2500 バイト）"},
        {field, "ヘッダー ブロック4 の項目 1 が正しい数値ではありません: \"0  \"（600 バイト目）"},
        {negative, "直線の数が負の値です: -3"},
        {large, "文字列の数 2000000000 がファイルの大きさ 3000 バイトに合いません"},
        {many, "仮想点の数 102 が上限の 101 を超えています"},
        {error(Reason::OutOfMemory, FilePart::Lines), "メモリが足りません"},
    };
    for (const auto& c : cases) EXPECT_EQ(Cp932ToUtf8(DescribeReadError(c.error)), c.text);
}

// A drawing is known by its signature whatever its name says; a name of
// neither format is taken only with a JWW signature (JWC's is too short to
// tell a drawing from any file).
TEST(CheckDrawingFile, KnowsADrawingByWhatItHolds) {
    testing::TempDir dir;
    JwwDrawing jww = NewJwwDrawing();
    Append(jww.elements, JwwLine{{}, 0, 0, 1, 1});
    const std::string jwwBytes = BuildJww(jww).bytes, jwcBytes = JwcBuilder{}.Bytes();
    struct Case {
        const char* name;
        std::string bytes;
        Reason refusal;
        DrawingFormat format;
    };
    const Case cases[] = {
        {"plan.jww", jwwBytes, Reason::None, DrawingFormat::Jww},
        {"jww-saved-as.jwc", jwwBytes, Reason::None, DrawingFormat::Jww},
        {"jwc-saved-as.jww", jwcBytes, Reason::None, DrawingFormat::Jwc},
        {"jww.txt", jwwBytes, Reason::None, DrawingFormat::Jww},
        {"jwc.txt", jwcBytes, Reason::WrongExtension, DrawingFormat::Jwc},
        {"fake.jww", "not a drawing", Reason::NotJwCad, DrawingFormat::Jww},
        {"fake.jwc", "not a drawing", Reason::NotJwCad, DrawingFormat::Jwc},
    };
    for (const Case& c : cases) {
        const FileCheck check = CheckDrawingFile(dir.Write(c.name, c.bytes));
        EXPECT_EQ(check.refusal, c.refusal) << c.name;
        if (c.refusal != Reason::WrongExtension) {
            EXPECT_EQ(check.format, c.format) << c.name;
        }
    }
}

// Names from a damaged file reach a terminal as the other names do: cut at
// 64 bytes and with their control characters visible; a line in the block
// list is called what it is.
TEST(DescribeReadError, ShowsNamesFromTheFileSafely) {
    struct Case {
        Reason failure;
        std::string name, shown;
    };
    const Case cases[] = {
        {Reason::UnknownClass, "CData\x1B[2J\x07\r\n", "JWW にないクラス CData^[[2J^G^M^J があります"},
        {Reason::UnknownClass, std::string(70000, 'C'), "JWW にないクラス " + std::string(64, 'C') + "... があります"},
        {Reason::ImageDamaged, std::string("a\0b.bmp", 7), "同梱画像 a^@b.bmp を展開できません"},
        {Reason::NotADefinition, "CDataSen", "ブロック定義でない CDataSen があります"},
    };
    for (const Case& c : cases) {
        Failure error;
        error.reason = c.failure;
        error.part = FilePart::Blocks;
        error.detail = c.name;
        const std::string text = Cp932ToUtf8(DescribeReadError(error));
        EXPECT_NE(text.find(c.shown), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace orvik
