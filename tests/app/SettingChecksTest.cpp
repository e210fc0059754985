#include "app/SettingChecks.h"

#include <gtest/gtest.h>

#include "text/Cp932.h"

namespace orvik {
namespace {

TEST(ParsePointRadius, AcceptsPositiveDecimals) {
    EXPECT_EQ(ParsePointRadius("0.25"), 0.25f);
    EXPECT_EQ(ParsePointRadius("0.5000"), 0.5f);
    EXPECT_EQ(ParsePointRadius("3"), 3.0f);
    EXPECT_EQ(ParsePointRadius(".5"), 0.5f);
    for (const char* bad : {"", "0", "0.0", "1.2.3", ".", "-1", "1e3", " 1", "abc"})
        EXPECT_FALSE(ParsePointRadius(bad)) << bad;
}

TEST(ParsePercentage, AcceptsOneOrTwoDigitsAboveZero) {
    EXPECT_EQ(ParsePercentage("5"), 5);
    EXPECT_EQ(ParsePercentage("90"), 90);
    EXPECT_EQ(ParsePercentage("99"), 99);
    for (const char* bad : {"", "0", "00", "100", "-5", "9a", " 9"}) EXPECT_FALSE(ParsePercentage(bad)) << bad;
}

TEST(DxfPathFor, ReplacesOrAppendsTheExtension) {
    EXPECT_EQ(DxfPathFor("/zu/a.jwc"), "/zu/a.dxf");
    EXPECT_EQ(DxfPathFor("/zu/A.JWC"), "/zu/A.dxf");
    EXPECT_EQ(DxfPathFor("b"), "b.dxf");
    EXPECT_EQ(DxfPathFor("b.txt"), "b.dxf");
    EXPECT_EQ(DxfPathFor("/zu.d/b"), "/zu.d/b.dxf");
    EXPECT_EQ(DxfPathFor("x.y.jwc"), "x.y.dxf");
}

TEST(SaveMessages, AreTheWindowsTexts) {
    EXPECT_EQ(Cp932ToUtf8(kRadiusMessage), "点の半径は0より大きい数値を入力してください");
    EXPECT_EQ(Cp932ToUtf8(kReductionMessage), "文字の縮小率は0より大きい数値を入力してください");
    EXPECT_EQ(Cp932ToUtf8(kAspectMessage), "半角文字の縦横比は0より大きい数値を入力してください");
    EXPECT_EQ(Cp932ToUtf8(kAlreadyExists), "ファイルはすでに存在します。");
}

}  // namespace
}  // namespace orvik
