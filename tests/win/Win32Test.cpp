// The Windows front end's own parts, in-process under Wine: text at the
// system's edge, the settings in the registry, PNG pictures by GDI+.
#include <gtest/gtest.h>

#include "app/WindowPorts.h"
#include "picture/DisplayList.h"
#include "win/RegistryStore.h"
#include "winpaint/GdiGlyphs.h"
#include "winpaint/GdiplusPainter.h"
#include "winpaint/Wide.h"

namespace orvik::win {
namespace {

TEST(Wide, TextCrossesTheEdgeUnchanged) {
    const std::string names[] = {"plan.jwc", "平面図 (改).jww", "C:\\図面\\😀.jww", ""};
    for (const std::string& name : names) EXPECT_EQ(Utf8(Wide(name)), name);
    EXPECT_EQ(Cp932FromWide(L"図面"), "\x90\x7D\x96\xCA");
    EXPECT_EQ(WideFromCp932("\x90\x7D\x96\xCA"), L"図面");
    EXPECT_EQ(Cp932FromWide(L"a\U0001F600b"), "a?b");  // outside CP932
}

TEST(RegistryStore, KeepsTheWindowsSettingsPerUser) {
    const std::wstring key = L"Software\\ORVIK-test";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    SettingTexts kept;
    {
        RegistryStore store(key);
        EXPECT_FALSE(store.Value("conversion/pointMode"));
        kept = TextsOf(ConversionSettings{});
        kept["pointRadius"] = "\x82\x50.5";  // typed with a full-width digit
        kept["outputFormat"] = "ansi932";
        StoreSettingTexts(store, kept);
        store.SetValue(kReadFolderKey, "C:\\図面");
    }
    const RegistryStore again(key);
    EXPECT_EQ(StoredSettingTexts(again), kept);
    EXPECT_EQ(again.Value(kReadFolderKey), "C:\\図面");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

TEST(GdiplusPainter, DrawsAPngOfTheDrawing) {
    const GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Started());
    DisplayList list;
    list.sheet = {{0, 0}, {100, 50}};
    Shape line;
    line.a = {10, 10};
    line.b = {90, 40};
    list.shapes.push_back(line);
    const std::unique_ptr<Gdiplus::Bitmap> bitmap = RenderPicture(PictureSource(list), {200, false});
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->GetWidth(), 200u);
    // The line's colour (7: white on the dark background) where it runs, the background beside it.
    Gdiplus::Color middle, corner;
    bitmap->GetPixel(100, static_cast<INT>(bitmap->GetHeight() / 2), &middle);
    bitmap->GetPixel(1, 1, &corner);
    EXPECT_GT(middle.GetR(), 128);
    EXPECT_EQ(corner.GetR(), 0);
    std::vector<char> png;
    ASSERT_TRUE(EncodePng(*bitmap, png));
    EXPECT_EQ(std::string(png.data(), 8), "\x89PNG\r\n\x1a\n");
}

// The PDF's glyphs: one per character, each with its advance and outline.
TEST(GdiGlyphs, GiveEachCharacterItsOutline) {
    const GdiGlyphs glyphs;
    const std::vector<GlyphOutlines::Glyph> run = glyphs.GlyphsOf("図a");
    ASSERT_EQ(run.size(), 2u);
    for (const GlyphOutlines::Glyph& g : run) {
        EXPECT_GT(g.advance, 0);
        PicturePath path;
        PictureBounds box;
        glyphs.Outline(g.id, path, box);
        EXPECT_FALSE(path.empty());
        EXPECT_LT(box.min.y, 0) << "above the base line: y down";
    }
    EXPECT_GT(run[0].advance, run[1].advance) << "a full-width character is wider";
}

}  // namespace
}  // namespace orvik::win
