#include "dxf/DxfReader.h"

#include <gtest/gtest.h>

#include <cmath>

#include "dxf/DxfGroupReader.h"
#include "dxf/DxfSheet.h"
#include "support/TempDir.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

// A DXF file of the given sections' groups ("code\nvalue\n" pairs).
std::string Dxf(const std::string& header, const std::string& tables, const std::string& blocks,
                const std::string& entities) {
    std::string s;
    const auto section = [&](const char* name, const std::string& body) {
        s += "  0\nSECTION\n  2\n" + std::string(name) + "\n" + body + "  0\nENDSEC\n";
    };
    section("HEADER", header);
    section("TABLES", tables);
    section("BLOCKS", blocks);
    section("ENTITIES", entities);
    return s + "  0\nEOF\n";
}

struct Read {
    DxfFile dxf;
    Failure failure;
    bool complete = false;
};

Read ReadText(const std::string& text) {
    testing::TempDir dir;
    FileReader file(dir.Write("a.dxf", text));
    Read r;
    r.complete = ReadDxf(file, r.dxf, &r.failure);
    return r;
}

const std::string kR2000 = "  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_932\n";

// Each entity as the model's elements, in millimetres of the real thing.
TEST(DxfReader, EntitiesBecomeTheModelsElements) {
    const std::string tables =
        "  0\nTABLE\n  2\nLAYER\n  0\nLAYER\n  2\n0\n 62\n7\n  0\nLAYER\n  2\nWALL\n 62\n-1\n  0\nLAYER\n  2\nDOOR\n"
        " 62\n3\n 70\n1\n  0\nENDTAB\n  0\nTABLE\n  2\nLTYPE\n  0\nLTYPE\n  2\nDASHED\n 49\n5\n 49\n-2.5\n  0\nENDTAB\n";
    const std::string entities =
        "  0\nLINE\n  8\nWALL\n 10\n0\n 20\n0\n 11\n100\n 21\n50\n"
        "  0\nLINE\n  8\nNEW\n  6\nDASHED\n 62\n1\n 10\n1\n 20\n2\n 11\n3\n 21\n4\n"
        "  0\nCIRCLE\n 10\n5\n 20\n6\n 40\n7\n"
        "  0\nARC\n 10\n0\n 20\n0\n 40\n10\n 50\n0\n 51\n90\n"
        "  0\nARC\n 10\n0\n 20\n0\n 40\n10\n 50\n0\n 51\n90\n230\n-1\n"
        "  0\nELLIPSE\n 10\n0\n 20\n0\n 11\n0\n 21\n20\n 40\n0.5\n 41\n0\n 42\n3.141592653589793\n"
        "  0\nPOINT\n 10\n1\n 20\n1\n  0\nPOINT\n  8\nDEFPOINTS\n 10\n2\n 20\n2\n"
        "  0\nLWPOLYLINE\n 90\n3\n 70\n0\n 10\n0\n 20\n0\n 10\n10\n 20\n0\n 42\n1\n 10\n10\n 20\n10\n"
        "  0\nLWPOLYLINE\n 90\n2\n 43\n2\n 10\n0\n 20\n0\n 10\n10\n 20\n0\n"
        "  0\nSOLID\n 10\n0\n 20\n0\n 11\n1\n 21\n0\n 12\n0\n 22\n1\n 13\n1\n 23\n1\n"
        "  0\nTEXT\n 10\n0\n 20\n0\n 40\n9\n  1\n\x95\xC7 %%c10\n"
        "  0\nTEXT\n 10\n0\n 20\n0\n 11\n100\n 21\n0\n 40\n9\n 72\n2\n  1\nAB\n"
        "  0\nMTEXT\n 10\n0\n 20\n100\n 40\n3\n 71\n1\n  1\n{\\fArial|b1;one}\\Ptwo\n"
        "  0\nLINE\n 67\n1\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n"
        "  0\nIMAGE\n 10\n0\n 20\n0\n"
        "  0\nLINE\n 10\nabc\n 20\n0\n 11\n1\n 21\n1\n";
    const Read r = ReadText(Dxf(kR2000, tables, "", entities));
    ASSERT_TRUE(r.complete) << static_cast<int>(r.failure.reason) << Cp932ToUtf8(r.failure.detail);
    const Drawing& d = r.dxf.drawing;
    ASSERT_EQ(d.lines.size(), 3u);  // two LINEs and the polyline's straight segment
    EXPECT_EQ(d.lines[0].x2, 100);
    EXPECT_EQ(d.lines[0].layer, 1);  // WALL, the table's second
    EXPECT_EQ(d.layers[1].visible, 0);  // off
    EXPECT_EQ(d.layers[2].visible, 0);  // frozen
    EXPECT_EQ(d.layers[3].name, "NEW");
    EXPECT_EQ(d.lines[1].pen, 8);  // red: JW_CAD's pen 8
    ASSERT_EQ(d.extraLinetypes.size(), 1u);
    EXPECT_EQ(d.lines[1].lineType, d.extraLinetypes[0].number);
    EXPECT_EQ(d.extraLinetypes[0].pattern, (std::vector<double>{5, -2.5}));
    // Circle, arc, the arc seen from below (mirrored), half an ellipse, the polyline's bulge.
    ASSERT_EQ(d.arcs.size(), 5u);
    EXPECT_EQ(d.arcs[0].startAngle, d.arcs[0].endAngle);
    EXPECT_TRUE(d.arcs[1].startAngle == 0 && d.arcs[1].endAngle == 90);
    EXPECT_TRUE(d.arcs[2].startAngle == 90 && d.arcs[2].endAngle == 180);
    EXPECT_TRUE(d.arcs[3].radius == 20 && d.arcs[3].flatness == 0.5 && d.arcs[3].tilt == 90);
    EXPECT_NEAR(d.arcs[3].endAngle, 180, 1e-12);
    EXPECT_TRUE(d.arcs[4].cx == 10 && d.arcs[4].cy == 5 && d.arcs[4].radius == 5);
    EXPECT_EQ(d.points.size(), 1u);
    EXPECT_EQ(d.virtualPoints.size(), 1u);
    // The wide polyline as a solid 2 wide; the SOLID's corners round the area.
    ASSERT_EQ(d.solids.size(), 2u);
    EXPECT_EQ(d.solids[0].p1, (std::array<double, 2>{0, 1}));
    EXPECT_EQ(d.solids[1].p3, (std::array<double, 2>{1, 1}));
    ASSERT_EQ(d.texts.size(), 4u);
    EXPECT_EQ(Cp932ToUtf8(d.texts[0].text), "壁 φ10");
    EXPECT_NEAR(d.texts[0].height, 10, 1e-12);  // 9 as JW_CAD's 10
    EXPECT_EQ(d.texts[1].x1, 100 - 9);  // right-aligned "AB": one full width
    EXPECT_EQ(Cp932ToUtf8(d.texts[2].text), "one");
    EXPECT_EQ(Cp932ToUtf8(d.texts[3].text), "two");
    EXPECT_EQ(d.texts[2].y1, 100 - 3);
    EXPECT_EQ(d.texts[3].y1, 100 - 3 - 5);
    EXPECT_EQ(r.dxf.leftOut.paperSpace, 1);
    EXPECT_EQ(r.dxf.leftOut.entities.at("IMAGE"), 1);
    EXPECT_EQ(r.dxf.leftOut.broken, 1);
}

// Blocks: base points, nesting in either order, insertions of blocks that
// are missing or insert themselves left out, a dimension's drawing in place.
TEST(DxfReader, BlocksAreOrderedAndResolved) {
    const std::string blocks =
        "  0\nBLOCK\n  2\nOUTER\n 10\n10\n 20\n0\n  0\nINSERT\n  2\ninner\n 10\n10\n 20\n0\n"
        "  0\nINSERT\n  2\nLOOP\n 10\n0\n 20\n0\n  0\nENDBLK\n"
        "  0\nBLOCK\n  2\nINNER\n 10\n0\n 20\n0\n  0\nLINE\n 10\n0\n 20\n0\n 11\n1\n 21\n0\n  0\nENDBLK\n"
        "  0\nBLOCK\n  2\nLOOP\n  0\nINSERT\n  2\nLOOP\n 10\n0\n 20\n0\n  0\nENDBLK\n"
        "  0\nBLOCK\n  2\n*D1\n  0\nLINE\n 10\n0\n 20\n0\n 11\n5\n 21\n5\n  0\nTEXT\n 10\n1\n 20\n1\n 40\n2\n"
        "  1\n5\n  0\nENDBLK\n";
    const std::string entities =
        "  0\nINSERT\n  2\nOUTER\n 10\n100\n 20\n0\n 41\n2\n 50\n90\n"
        "  0\nINSERT\n  2\nMISSING\n 10\n0\n 20\n0\n"
        "  0\nDIMENSION\n  2\n*D1\n";
    const Read r = ReadText(Dxf(kR2000, "", blocks, entities));
    ASSERT_TRUE(r.complete);
    const Drawing& d = r.dxf.drawing;
    ASSERT_EQ(d.blocks.size(), 4u);
    EXPECT_EQ(d.blocks[0].name, "INNER");  // before OUTER, which inserts it
    const auto outer = std::find_if(d.blocks.begin(), d.blocks.end(), [](const Block& b) { return b.name == "OUTER"; });
    ASSERT_NE(outer, d.blocks.end());
    ASSERT_EQ(outer->inserts.size(), 2u);  // INNER and LOOP (whose own insertion of itself is left out)
    EXPECT_EQ(outer->inserts[0].x, 0);  // moved by the base point
    EXPECT_EQ(outer->inserts[0].block, 0u);
    ASSERT_EQ(d.inserts.size(), 1u);
    EXPECT_TRUE(d.inserts[0].scaleX == 2 && d.inserts[0].rotation == 90);
    EXPECT_EQ(d.lines.size(), 1u);  // the dimension's drawing
    EXPECT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(r.dxf.leftOut.inserts, 2);  // MISSING, and LOOP's of itself
}

// Text in each code page and escape, as CP932.
TEST(DxfReader, TextsComeInTheFilesCodePage) {
    struct Case {
        std::string header, text, expected;
    };
    const Case cases[] = {
        {kR2000, "\x95\xC7", "壁"},
        {"  9\n$ACADVER\n  1\nAC1032\n", "\xE5\xA3\x81", "壁"},
        {"  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n", "\xB0\xB1 caf\xE9", "°± caf?"},
        {"  9\n$ACADVER\n  1\nAC1009\n", "\\U+58C1\\M+1918B", "壁窓"},
        {"  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_9999\n", "a\xE9", "a?"},
    };
    for (const Case& c : cases) {
        const Read r = ReadText(Dxf(c.header, "", "", "  0\nTEXT\n 10\n0\n 20\n0\n 40\n1\n  1\n" + c.text + "\n"));
        ASSERT_EQ(r.dxf.drawing.texts.size(), 1u) << c.expected;
        EXPECT_EQ(Cp932ToUtf8(r.dxf.drawing.texts[0].text), c.expected);
    }
}

// A hostile or damaged file: read as far as it goes, the failure saying why
// and where; nothing past the limits held.
TEST(DxfReader, DamagedFilesStopWithTheirReason) {
    const std::string good = Dxf(kR2000, "", "", "  0\nLINE\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n");
    struct Case {
        std::string text;
        Reason reason;
        std::size_t lines;
    };
    const Case cases[] = {
        {good.substr(0, good.size() - 20), Reason::Truncated, 0},  // an entity counts once the next begins
        {good.substr(0, good.find("LINE")), Reason::Truncated, 0},
        {"  0\nSECTION\n  2\nENTITIES\nzero\nLINE\n", Reason::DxfDamaged, 0},
        {"  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  1\n" + std::string(kDxfLongestLine + 10, 'x') + "\n",
         Reason::DxfDamaged, 0},
        {std::string("AutoCAD Binary DXF\r\n\x1A\0", 22), Reason::DxfDamaged, 0},
        {"  0\nLINE\n", Reason::DxfDamaged, 0},
        {Dxf(kR2000, "", "",
             "  0\nLINE\n 10\nnan\n 20\n0\n 11\n1e400\n 21\n1\n  0\nLINE\n 10\n1e308\n 20\n0\n 11\n1\n 21\n1\n"),
         Reason::None, 0},
        {Dxf(kR2000, "", "", "  0\nFROB\n  1\nx\n") + "  0\nSECTION\n  2\nUNKNOWN\n  1\nx\n  0\nENDSEC\n", Reason::None,
         0},
    };
    for (const Case& c : cases) {
        const Read r = ReadText(c.text);
        EXPECT_EQ(r.failure.reason, c.reason) << c.text.substr(0, 60);
        EXPECT_EQ(r.dxf.drawing.lines.size(), c.lines) << c.text.substr(0, 60);
        EXPECT_EQ(r.failure.detail.empty(), c.reason != Reason::DxfDamaged);
    }
}

// The sheet: the smallest standard scale on A3, the paper for a named
// scale, a drawing off the paper centred, one on it kept where it is.
TEST(DxfSheet, PaperAndScaleFitTheDrawing) {
    struct Case {
        double x1, y1, x2, y2;
        SheetChoice choice;
        std::int32_t paper;
        double scale, originX;
    };
    const Case cases[] = {
        {-100, -50, 100, 50, {}, 3, 1, 0},
        {-10000, -5000, 10000, 5000, {}, 3, 100, 0},
        {100000, 0, 130000, 20000, {}, 3, 100, 115000},
        {0, 0, 2e9, 1, {}, 9, 1e6, 1e9},  // 2000 mm at 1/1,000,000: 3A
        {-10000, -5000, 10000, 5000, {std::nullopt, 50.0}, 2, 50, 0},
        {-10000, -5000, 10000, 5000, {4, std::nullopt}, 4, 100, 0},
    };
    for (const Case& c : cases) {
        Drawing d;
        d.lines.push_back({c.x1, c.y1, c.x2, c.y2, 1, 1, 0, 0});
        const Sheet sheet = ChooseSheet(d, c.choice);
        EXPECT_EQ(sheet.paper, c.paper) << c.x2;
        EXPECT_EQ(sheet.scale, c.scale) << c.x2;
        EXPECT_EQ(sheet.originX, c.originX) << c.x2;
        PutOnSheet(d, sheet);
        EXPECT_EQ(d.lines[0].x2, (c.x2 - sheet.originX) / sheet.scale);
        EXPECT_EQ(d.layerGroups[5].scale, static_cast<float>(sheet.scale));
    }
}

}  // namespace
}  // namespace orvik
