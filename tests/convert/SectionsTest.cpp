// The HEADER, TABLES and the other fixed sections.
#include <gtest/gtest.h>

#include "convert/FixedSections.h"
#include "convert/HeaderSection.h"
#include "convert/LayerAssignment.h"
#include "convert/LayoutObjects.h"
#include "dxf/DxfLines.h"

namespace orvik {
namespace {

using testing::Groups;
using testing::HeaderVariable;
using testing::Records;
using testing::SplitGroups;
using testing::SplitLines;
using testing::Value;

std::string Header(Extended baseScale, std::int32_t paperSize, const ScaleStatistics& scales = ScaleStatistics{}) {
    DxfWriter w;
    ConversionResult result;
    result.referenceScale = baseScale;
    result.handleSeed = "81";
    result.fileDate = "2453431.5";
    WriteHeaderSection(w, HeaderInputs{result, scales, 1, paperSize, OutputFormat::Dos932});
    return w.Text();
}

Groups G(std::initializer_list<std::pair<const char*, const char*>> groups) {
    Groups out;
    for (const auto& [c, v] : groups) out.emplace_back(c, v);
    return out;
}

TEST(HeaderSection, ScalesWithTheReferenceScaleAndPaper) {
    struct Case {
        double scale;
        int paper;
        const char *limW, *limH, *ltscale, *textSize, *dimExe;
    };
    const Case cases[] = {
        {1, 3, "420", "297", "1", "2.5", "1.25"},
        {100, 0, "118900", "84100", "100", "250", "125"},
        {0.5, 4, "148.5", "105", "0.5", "1.25", "0.625"},
        {1, 6, "1189", "841", "1", "2.5", "1.25"},  // an unknown paper code takes A0
        {1, 14, "100000", "70372", "1", "2.5", "1.25"},
    };
    for (const auto& c : cases) {
        const std::string text = Header(c.scale, c.paper);
        EXPECT_EQ(HeaderVariable(text, "$LIMMAX"), G({{" 10", c.limW}, {" 20", c.limH}}));
        EXPECT_EQ(HeaderVariable(text, "$LTSCALE"), G({{" 40", c.ltscale}}));
        EXPECT_EQ(HeaderVariable(text, "$TEXTSIZE"), G({{" 40", c.textSize}}));
        EXPECT_EQ(HeaderVariable(text, "$DIMASZ"), G({{" 40", c.textSize}}));
        EXPECT_EQ(HeaderVariable(text, "$DIMTXT"), G({{" 40", c.textSize}}));
        EXPECT_EQ(HeaderVariable(text, "$DIMEXE"), G({{" 40", c.dimExe}}));
    }
}

TEST(HeaderSection, HoldsTheFixedVariablesInOrder) {
    const std::string text = Header(1, 3);
    const auto lines = SplitLines(text);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 12),
              (std::vector<std::string>{"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1012", "  9",
                                        "$DWGCODEPAGE", "  3", "dos932"}));
    EXPECT_EQ(lines.end()[-2], "  0");
    EXPECT_EQ(lines.end()[-1], "ENDSEC");
    int variables = 0;
    for (const auto& [code, value] : SplitGroups(text))
        if (code == "  9" && value.starts_with('$')) ++variables;
    EXPECT_EQ(variables, 162);
    EXPECT_EQ(HeaderVariable(text, "$SAVEIMAGES"), G({{" 70", "     1"}}));
    EXPECT_EQ(HeaderVariable(text, "$HANDLING"), G({{" 70", " 10241"}}));
    EXPECT_EQ(HeaderVariable(text, "$OSMODE"), G({{" 70", "  2215"}}));
    EXPECT_EQ(HeaderVariable(text, "$HANDSEED"), G({{"  5", "81"}}));
    EXPECT_EQ(HeaderVariable(text, "$TDCREATE"), G({{" 40", "2453431.5"}}));
    EXPECT_EQ(HeaderVariable(text, "$TDUPDATE"), G({{" 40", "2453431.5"}}));
    EXPECT_EQ(HeaderVariable(text, "$DIMPOST"), G({{"  1", ""}}));
    EXPECT_EQ(HeaderVariable(text, "$DIMALTF"), G({{" 40", "0.03937007874016"}}));
    EXPECT_EQ(
        HeaderVariable(text, "$PEXTMIN"),
        G({{" 10", "1.000000000000000E+20"}, {" 20", "1.000000000000000E+20"}, {" 30", "1.000000000000000E+20"}}));
    EXPECT_EQ(HeaderVariable(text, "$CECOLOR"), G({{" 62", "   256"}}));
    EXPECT_EQ(HeaderVariable(text, "$CLAYER"), G({{"  8", "0"}}));
}

TEST(HeaderSection, MapsTheExtentsLikeCoordinates) {
    ScaleStatistics scales;
    scales.AddLine(100, 10, 20, 30, 40);
    scales.Analyze(1);
    DxfWriter w;
    ConversionResult result;
    result.referenceScale = 100;
    result.extents = Extents{10, 20, 30, 40};
    WriteHeaderSection(w, HeaderInputs{result, scales, 2, 3, OutputFormat::Dos932});
    EXPECT_EQ(HeaderVariable(w.Text(), "$EXTMIN"), G({{" 10", "2000"}, {" 20", "4000"}, {" 30", "0.0"}}));
    EXPECT_EQ(HeaderVariable(w.Text(), "$EXTMAX"), G({{" 10", "6000"}, {" 20", "8000"}, {" 30", "0.0"}}));

    // A drawing of texts only keeps the extents at 1E20: written, not overflowed.
    ScaleStatistics texts;
    texts.roundDelta = texts.roundOffset = true;
    texts.AddText(1, 0, 0, 5, 0);
    texts.Analyze(1);
    DxfWriter t;
    result.referenceScale = 1;
    result.extents = Extents{};  // nothing widened them
    WriteHeaderSection(t, HeaderInputs{result, texts, 1, 3, OutputFormat::Dos932});
    EXPECT_EQ(HeaderVariable(t.Text(), "$EXTMIN"), G({{" 10", "1E20"}, {" 20", "1E20"}, {" 30", "0.0"}}));
    EXPECT_EQ(HeaderVariable(t.Text(), "$EXTMAX"), G({{" 10", "-1E20"}, {" 20", "-1E20"}, {" 30", "0.0"}}));
}

struct TablesFixture {
    Drawing drawing;
    LayerTables tables;
    bool jwLineTypes = true, defpoints = false;

    TablesFixture() {
        for (auto& g : drawing.layerGroups) g.visible = 1;
        FillLinetypeNames(true, {}, tables);
    }
    void Use(int layer, const char* name, int color, int lineType = 1) {
        tables.layers[layer] =
            DxfLayer{name, true, static_cast<std::uint8_t>(lineType), static_cast<std::uint8_t>(color), 1};
    }
    std::pair<std::string, std::int32_t> Write() {
        FillLinetypeNames(jwLineTypes, {}, tables);
        DxfWriter w;
        WriteTablesSection(
            w, TablesInputs{
                   drawing, tables, LimitsFor(3, 1), jwLineTypes, defpoints, OutputFormat::Dos932, {}, FontStyles{}});
        const std::int32_t nextHandle = w.NextHandle();
        return {w.Text(), nextHandle};
    }
};

TEST(TablesSection, AnEmptyDrawingHasOnlyTheFixedRecords) {
    TablesFixture f;
    const auto [text, nextHandle] = f.Write();
    EXPECT_EQ(nextHandle, 0x50);  // no running handle used
    const auto layers = Records(text, "LAYER");
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(Value(layers[0], "  5"), "10");
    const auto styles = Records(text, "STYLE");
    ASSERT_EQ(styles.size(), 1u);
    EXPECT_EQ(Value(styles[0], "  2"), "STANDARD");
    const auto vport = Records(text, "VPORT");
    ASSERT_EQ(vport.size(), 1u);
    EXPECT_EQ(Value(vport[0], " 12"), "210");
    EXPECT_EQ(Value(vport[0], " 22"), "148.5");
    EXPECT_EQ(Value(vport[0], " 40"), "294");
}

TEST(TablesSection, UsedLayersDefpointsAndTategakiTakeRunningHandles) {
    TablesFixture f;
    f.Use(3, "WALL", 5, 2);
    f.Use(17, "TEXT", 7);
    f.drawing.layerGroups[1].visible = 0;  // group of layer 17: switched off
    f.tables.layers[kDefpointsLayer].color = 7;
    f.defpoints = true;
    f.drawing.texts.resize(3);
    f.drawing.texts[1].vertical = true;
    f.drawing.texts[2].vertical = true;
    const auto [text, nextHandle] = f.Write();
    const auto layers = Records(text, "LAYER");
    ASSERT_EQ(layers.size(), 4u);
    EXPECT_EQ(layers[1], G({{"  0", "LAYER"},
                            {"  5", "50"},
                            {"330", "2"},
                            {"100", "AcDbSymbolTableRecord"},
                            {"100", "AcDbLayerTableRecord"},
                            {"  2", "WALL"},
                            {" 70", "     0"},
                            {" 62", "     5"},
                            {"  6", "DASHED1"}}));
    EXPECT_EQ(Value(layers[2], "  5"), "51");
    EXPECT_EQ(Value(layers[2], " 62"), "    -7");
    EXPECT_EQ(Value(layers[2], "  6"), "CONTINUOUS");  // always named, also for line type 1
    EXPECT_EQ(Value(layers[3], "  5"), "52");
    EXPECT_EQ(Value(layers[3], "  2"), "DEFPOINTS");
    EXPECT_EQ(Value(layers[3], " 62"), "    -7");
    EXPECT_EQ(Value(layers[3], "  6"), "DOT");
    const auto styles = Records(text, "STYLE");
    ASSERT_EQ(styles.size(), 2u);
    EXPECT_EQ(Value(styles[1], "  5"), "53");
    EXPECT_EQ(Value(styles[1], "  2"), "TATEGAKI");
    EXPECT_EQ(Value(styles[1], " 70"), "     4");
    EXPECT_EQ(nextHandle, 0x54);
}

TEST(TablesSection, WritesEveryUsedLayerUnderItsOwnNameEvenWhenItClashes) {
    TablesFixture f;
    f.Use(1, "0", 3);
    f.Use(2, "DEFPOINTS", 4);
    f.defpoints = true;
    const auto layers = Records(f.Write().first, "LAYER");
    ASSERT_EQ(layers.size(), 4u);
    EXPECT_EQ(Value(layers[0], "  2"), "0");
    EXPECT_EQ(Value(layers[1], "  2"), "0");
    EXPECT_EQ(Value(layers[2], "  2"), "DEFPOINTS");
    EXPECT_EQ(Value(layers[3], "  2"), "DEFPOINTS");
}

TEST(TablesSection, AHiddenLayerHasANegativeColour) {
    TablesFixture f;
    f.Use(40, "HIDDEN", 5);
    f.tables.layers[40].visible = 0;
    const auto layers = Records(f.Write().first, "LAYER");
    EXPECT_EQ(Value(layers[1], " 62"), "    -5");
}

TEST(TablesSection, TheLineTypeSetChangesOnlyTheEightRecords) {
    TablesFixture jw, acad;
    acad.jwLineTypes = false;
    const auto jwTypes = Records(jw.Write().first, "LTYPE");
    const auto acadTypes = Records(acad.Write().first, "LTYPE");
    ASSERT_EQ(jwTypes.size(), 11u);
    ASSERT_EQ(acadTypes.size(), 11u);
    const char* handles[] = {"14", "15", "16", "3A", "3B", "3C", "3D", "3E", "3F", "40", "41"};
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(Value(jwTypes[i], "  5"), handles[i]);
        EXPECT_EQ(Value(acadTypes[i], "  5"), handles[i]);
        EXPECT_EQ(jwTypes[i] == acadTypes[i], i < 3) << i;
    }
    EXPECT_EQ(jwTypes[6], G({{"  0", "LTYPE"},
                             {"  5", "3D"},
                             {"330", "5"},
                             {"100", "AcDbSymbolTableRecord"},
                             {"100", "AcDbLinetypeTableRecord"},
                             {"  2", "CENTER1"},
                             {" 70", "     0"},
                             {"  3", "----- - ----- - ----- - ----- - "},
                             {" 72", "    65"},
                             {" 73", "     4"},
                             {" 40", "10.0"},
                             {" 49", "6.25"},
                             {" 74", "     0"},
                             {" 49", "-1.25"},
                             {" 74", "     0"},
                             {" 49", "1.25"},
                             {" 74", "     0"},
                             {" 49", "-1.25"},
                             {" 74", "     0"}}));
    EXPECT_EQ(Value(acadTypes[10], "  2"), "DOT");
    EXPECT_EQ(Value(acadTypes[10], " 49"), "0.0");
    EXPECT_EQ(Value(acadTypes[2], "  3"), "Solid line");
}

TEST(FixedSections, EndWithTheEofMarker) {
    LayerTables tables;
    DxfWriter w;
    WriteClassesSection(w, OutputFormat::Dos932);
    WriteBlocksSection(w, OutputFormat::Dos932, {}, 0, [](std::size_t, std::int32_t) {});
    WriteObjectsSection(w, OutputFormat::Dos932);
    WriteEndOfFile(w);
    const auto lines = SplitLines(w.Text());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
              (std::vector<std::string>{"  0", "SECTION", "  2", "CLASSES", "  0", "ENDSEC"}));
    EXPECT_EQ(lines.end()[-2], "  0");
    EXPECT_EQ(lines.end()[-1], "EOF");
    EXPECT_EQ(Records(w.Text(), "DICTIONARY").size(), 7u);
    EXPECT_EQ(Records(w.Text(), "BLOCK").size(), 2u);
    EXPECT_EQ(Value(Records(w.Text(), "MLINESTYLE")[0], " 51"), "90.0");
}

}  // namespace
}  // namespace orvik
