#include "convert/LayerAssignment.h"

#include <gtest/gtest.h>

#include "convert/ProposedScales.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

// A drawing with its used layers marked, as after a load.
struct Fixture {
    Drawing drawing;
    LayerTables tables;
    ConversionSettings settings;

    Fixture() {
        tables.penColorTable = {7, 4, 7, 3, 2, 6, 5};
        FillLinetypeNames(true, {}, tables);
    }
    void Line(std::uint8_t layer, std::uint8_t pen, std::uint8_t type = 1) {
        drawing.lines.push_back(DrawingLine{0, 0, 1, 1, type, pen, layer});
    }
    void Name(int layer, const char* utf8) { drawing.layers[layer].name = Utf8ToCp932(utf8); }
    int Assign() {
        MarkUsedLayers(drawing, tables);
        const LayerUsage usage = CountLayerUsage(drawing, settings.auxiliaryOnDefpoints);
        return AssignLayers(drawing, usage, settings, tables);
    }
    std::string NameOf(int layer) const { return Cp932ToUtf8(tables.layers[layer].name); }
};

TEST(LayerAssignment, NamesLayersWithOrWithoutNumbers) {
    struct Case {
        bool plainNames;
        std::vector<std::pair<int, const char*>> names;  // layer, JW_CAD name
        std::vector<std::pair<int, const char*>> expected;
    };
    const Case cases[] = {
        {false, {{0, "壁"}}, {{0, "0_0_壁"}}},
        {true, {{0, "壁"}}, {{0, "壁"}}},
        {true, {{18, "TEXT"}, {53, "TEXT"}}, {{18, "TEXT"}, {53, "3_5_TEXT"}}},
        {true, {{175, ""}}, {{175, "A_F_"}}},
        {true, {{35, "(  )"}}, {{35, "2_3_"}}},  // a name that converts to nothing
        {true, {{1, "2_3_"}, {35, ""}}, {{1, "2_3_"}, {35, "2_3_2_3_"}}},
        {false, {{255, "ｶﾞｿﾘﾝ"}}, {{255, "F_F_ガソリン"}}},
        // 21 bytes at most, never half a character: the ligatures spell out to 20 bytes.
        {true, {{0, "㌶㌶"}}, {{0, "ヘクタールヘクタール"}}},
        {false, {{0, "㌶㌶"}}, {{0, "0_0_ヘクタールヘクタ"}}},
        // Readers merge names that differ only in case, and the fixed records "0" and "DEFPOINTS".
        {true,
         {{0, "Wall"}, {1, "WALL"}, {2, "0"}, {3, "Defpoints"}},
         {{0, "Wall"}, {1, "0_1_WALL"}, {2, "0_2_0"}, {3, "0_3_Defpoints"}}},
        {true, {{0, "ア"}, {1, "ヂ"}}, {{0, "ア"}, {1, "ヂ"}}},  // 83 41 and 83 61: no letters to fold
    };
    for (const auto& c : cases) {
        Fixture f;
        f.settings.plainLayerNames = c.plainNames;
        for (const auto& [layer, name] : c.names) {
            f.Name(layer, name);
            f.Line(static_cast<std::uint8_t>(layer), 1);
        }
        EXPECT_EQ(f.Assign(), static_cast<int>(c.names.size()));
        for (const auto& [layer, name] : c.expected) EXPECT_EQ(f.NameOf(layer), name) << layer;
    }
}

TEST(LayerAssignment, LongNamesAreCutAtWholeCharacters) {
    EXPECT_EQ(CutToCharacters("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 21), "ABCDEFGHIJKLMNOPQRSTU");
    EXPECT_EQ(CutToCharacters("A\x95\xC7\x95\xC7", 4), "A\x95\xC7");
    EXPECT_EQ(CutToCharacters("AB\x95\xC7", 4), "AB\x95\xC7");
}

TEST(LayerAssignment, TakesTheMostUsedPenAndLineType) {
    struct Case {
        std::vector<std::pair<int, int>> lines;  // pen, line type
        int color, lineType;
    };
    const Case cases[] = {
        {{{2, 1}, {2, 1}, {2, 1}, {5, 1}, {5, 1}, {5, 1}}, 7, 1},  // a tie goes to the lower pen: pen 2 = 7
        {{{5, 2}, {5, 2}, {2, 3}}, 6, 2},
        {{{7, 1}, {7, 1}, {3, 1}}, 3, 1},  // pen 7 never decides
        {{{9, 4}, {200, 4}}, 7, 4},  // pens above 7 count nothing
        {{{1, 12}, {1, 0}, {1, 5}}, 4, 1},  // out-of-range types count as 1
    };
    for (const auto& c : cases) {
        Fixture f;
        for (const auto& [pen, type] : c.lines)
            f.Line(3, static_cast<std::uint8_t>(pen), static_cast<std::uint8_t>(type));
        f.Assign();
        EXPECT_EQ(f.tables.layers[3].color, c.color);
        EXPECT_EQ(f.tables.layers[3].lineType, c.lineType);
    }
}

TEST(LayerAssignment, ALayerOfTextsOnlyTakesColour7AndLineType1) {
    Fixture f;
    f.drawing.texts.resize(1);
    f.drawing.texts[0].layer = 4;
    f.tables.penColorTable[0] = 7;
    f.Assign();
    EXPECT_TRUE(f.tables.layers[4].used);
    EXPECT_EQ(f.tables.layers[4].color, 7);
    EXPECT_EQ(f.tables.layers[4].lineType, 1);
}

TEST(LayerAssignment, CountsOutOfRangeLineTypesAsLineType1WithoutChangingTheDrawing) {
    Fixture f;
    f.Line(0, 1, 12);
    f.Line(0, 1, 0);
    f.Line(0, 1, 5);
    f.drawing.arcs.push_back(DrawingArc{0, 0, 1, 1, 0, 0, 0, 10, 1, 0});
    const Drawing before = f.drawing;
    f.Assign();
    EXPECT_EQ(f.tables.layers[0].lineType, 1);  // three of type 1 against one of type 5
    EXPECT_EQ(f.drawing.lines[0].lineType, before.lines[0].lineType);
    EXPECT_EQ(f.drawing.arcs[0].lineType, before.arcs[0].lineType);
}

TEST(LayerAssignment, GathersAuxiliaryLinesOnDefpoints) {
    Fixture f;
    for (int i = 0; i < 4; ++i) f.Line(2, 3, 9);
    for (int i = 0; i < 4; ++i) f.Line(2, 1, 9);
    f.Line(2, 5, 2);
    f.Assign();
    EXPECT_EQ(f.tables.layers[kDefpointsLayer].color, 4);  // pen 1 wins the tie
    EXPECT_EQ(f.tables.layers[2].color, 6);  // only the ordinary line counts
    EXPECT_EQ(f.tables.layers[2].lineType, 2);

    Fixture off;
    off.settings.auxiliaryOnDefpoints = false;
    for (int i = 0; i < 2; ++i) off.Line(2, 3, 9);
    off.tables.layers[kDefpointsLayer] = DxfLayer{"", false, 9, 3, 0};  // left by an earlier conversion
    off.Assign();
    EXPECT_EQ(off.tables.layers[2].lineType, 9);
    EXPECT_EQ(off.tables.layers[kDefpointsLayer].color, 7);
}

TEST(LayerAssignment, DecidesWhetherDefpointsIsWritten) {
    struct Case {
        const char* what;
        void (*setup)(Fixture&);
        bool needed;
    };
    const Case cases[] = {
        {"nothing special", [](Fixture& f) { f.Line(0, 1); }, false},
        {"auxiliary line of pen 2", [](Fixture& f) { f.Line(0, 2, 9); }, true},
        {"auxiliary line of pen 0 only", [](Fixture& f) { f.Line(0, 0, 9); }, false},
        {"a virtual point", [](Fixture& f) { f.drawing.virtualPoints.resize(1); }, true},
        {"an unused text type of Attr 7", [](Fixture& f) { f.drawing.textTypes[10].attribute = 7; }, true},
        {"Attr 7 only in entry 11", [](Fixture& f) { f.drawing.textTypes[11].attribute = 7; }, false},
        {"points of pens above 6",
         [](Fixture& f) {
             f.drawing.points.push_back(DrawingPoint{0, 0, 0, 9});
         },
         false},
    };
    for (const auto& c : cases) {
        Fixture f;
        c.setup(f);
        MarkUsedLayers(f.drawing, f.tables);
        EXPECT_EQ(NeedsDefpoints(f.drawing, CountLayerUsage(f.drawing, true), kPenCount), c.needed) << c.what;
    }
}

TEST(LayerAssignment, FillsTheLineTypeNamesOfTheChosenSetAndTheDrawingsOwn) {
    const auto first = [](const LayerTables& t) {
        return std::vector<std::string>(t.linetypeNames.begin(), t.linetypeNames.begin() + 10);
    };
    LayerTables t;
    FillLinetypeNames(true, {}, t);
    EXPECT_EQ(first(t), (std::vector<std::string>{"", "CONTINUOUS", "DASHED1", "DASHED2", "DASHED3", "CENTER1",
                                                  "CENTER2", "PHANTOM1", "PHANTOM2", "DOT"}));
    FillLinetypeNames(false, {}, t);
    EXPECT_EQ(first(t), (std::vector<std::string>{"", "CONTINUOUS", "HIDDEN2", "HIDDEN", "HIDDENX2", "CENTER2",
                                                  "CENTER", "PHANTOM2", "PHANTOM", "DOT"}));
    EXPECT_EQ(t.LinetypeNameOf(0), "CONTINUOUS");
    EXPECT_EQ(t.LinetypeNameOf(10), "CONTINUOUS");

    // A drawing's own: fitted, and kept apart from the set's and each other's names.
    const std::vector<DefinedLinetype> own{{16, "DOUBLE6", {1, -1}},           {32, "dashed spaced", {6, -6}},
                                           {33, "center2", {1, -1}},           {34, "", {1, -1}},
                                           {35, "Dashed_Spaced", {1, -1}},     {36, "bylayer", {1, -1}},
                                           {37, std::string(40, 'x'), {1, -1}}};
    LayerTables withOwn;
    FillLinetypeNames(true, own, withOwn);
    const std::vector<std::string> names{
        withOwn.LinetypeNameOf(16), withOwn.LinetypeNameOf(32), withOwn.LinetypeNameOf(33), withOwn.LinetypeNameOf(34),
        withOwn.LinetypeNameOf(35), withOwn.LinetypeNameOf(36), withOwn.LinetypeNameOf(37), withOwn.LinetypeNameOf(38)};
    EXPECT_EQ(names, (std::vector<std::string>{"DOUBLE6", "dashed_spaced", "center2_33", "LINETYPE_34",
                                               "Dashed_Spaced_35", "bylayer_36", std::string(31, 'x'), "CONTINUOUS"}));
}

}  // namespace
}  // namespace orvik
