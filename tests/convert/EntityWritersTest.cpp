#include "convert/EntityWriters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>

#include "convert/LayerAssignment.h"
#include "dxf/DxfLines.h"
#include "support/LayerTablesFixture.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

using testing::Groups;
using testing::SplitGroups;

Groups G(std::initializer_list<std::pair<const char*, const char*>> groups) {
    Groups out;
    for (const auto& [c, v] : groups) out.emplace_back(c, v);
    return out;
}

// Layer 0 "A": colour 7 (pen 2), CONTINUOUS; layer 1 "B": colour 4, CENTER1;
// DEFPOINTS colour 3.
struct Fixture {
    LayerTables tables = testing::WriterTestTables();
    ConversionSettings settings;

    // The groups the writer call produces, the first handle being 50.
    Groups Write(const std::function<void(EntityWriters&)>& write) {
        DxfWriter w;
        EntityWriters e(w, tables, settings);
        write(e);
        return SplitGroups(w.Text());
    }
};

TEST(EntityWriters, LinesStateOnlyWhatDiffersFromTheirLayer) {
    struct Case {
        const char* what;
        int lineType, pen, layer;
        Groups layerBlock;
    };
    const Case cases[] = {
        {"as the layer", 1, 2, 0, G({{"  8", "A"}})},
        {"another colour", 1, 1, 0, G({{"  8", "A"}, {" 62", "     4"}})},
        {"another line type", 2, 2, 0, G({{"  8", "A"}, {"  6", "DASHED1"}})},
        {"a type with the layer's name", 5, 1, 1, G({{"  8", "B"}})},
        {"a pen above 6 draws in 7", 5, 9, 1, G({{"  8", "B"}, {" 62", "     7"}})},
        {"auxiliary, gathered", 9, 4, 1, G({{"  8", "DEFPOINTS"}, {" 62", "     2"}})},
        {"auxiliary in DEFPOINTS' colour", 9, 3, 1, G({{"  8", "DEFPOINTS"}})},
    };
    for (const auto& c : cases) {
        Fixture f;
        Groups expected = G({{"  0", "LINE"}, {"  5", "50"}, {"330", "1F"}, {"100", "AcDbEntity"}});
        expected.insert(expected.end(), c.layerBlock.begin(), c.layerBlock.end());
        const Groups tail = G({{"100", "AcDbLine"},
                               {" 10", "1.5"},
                               {" 20", "-2"},
                               {" 30", "0.0"},
                               {" 11", "10000"},
                               {" 21", "0"},
                               {" 31", "0.0"}});
        expected.insert(expected.end(), tail.begin(), tail.end());
        EXPECT_EQ(f.Write([&](EntityWriters& e) { e.WriteLine(c.lineType, c.pen, c.layer, 1.5, -2, 10000, 0); }),
                  expected)
            << c.what;
    }
    Fixture off;
    off.settings.auxiliaryOnDefpoints = false;
    const Groups kept = off.Write([](EntityWriters& e) { e.WriteLine(9, 2, 0, 0, 0, 1, 1); });
    EXPECT_EQ(testing::Value(kept, "  8"), "A");
    EXPECT_EQ(testing::Value(kept, "  6"), "DOT");
}

TEST(EntityWriters, PointsFilledDrawnOrLeftAsPoints) {
    Fixture f;
    EXPECT_EQ(f.Write([](EntityWriters& e) { e.WriteFilledPoint(2, 0, 100, 50, 0.5); }), G({{"  0", "POLYLINE"},
                                                                                            {"  5", "50"},
                                                                                            {"330", "1F"},
                                                                                            {"100", "AcDbEntity"},
                                                                                            {"  8", "A"},
                                                                                            {"100", "AcDb2dPolyline"},
                                                                                            {" 66", "     1"},
                                                                                            {" 10", "0.0"},
                                                                                            {" 20", "0.0"},
                                                                                            {" 30", "0.0"},
                                                                                            {" 70", "     1"},
                                                                                            {" 40", "0.5"},
                                                                                            {" 41", "0.5"},
                                                                                            {"  0", "VERTEX"},
                                                                                            {"  5", "51"},
                                                                                            {"330", "50"},
                                                                                            {"100", "AcDbEntity"},
                                                                                            {"  8", "A"},
                                                                                            {"100", "AcDbVertex"},
                                                                                            {"100", "AcDb2dVertex"},
                                                                                            {" 10", "99.75"},
                                                                                            {" 20", "50"},
                                                                                            {" 30", "0.0"},
                                                                                            {" 42", "1.0"},
                                                                                            {"  0", "VERTEX"},
                                                                                            {"  5", "52"},
                                                                                            {"330", "50"},
                                                                                            {"100", "AcDbEntity"},
                                                                                            {"  8", "A"},
                                                                                            {"100", "AcDbVertex"},
                                                                                            {"100", "AcDb2dVertex"},
                                                                                            {" 10", "100.25"},
                                                                                            {" 20", "50"},
                                                                                            {" 30", "0.0"},
                                                                                            {" 42", "1.0"},
                                                                                            {"  0", "SEQEND"},
                                                                                            {"  5", "53"},
                                                                                            {"330", "50"},
                                                                                            {"100", "AcDbEntity"},
                                                                                            {"  8", "A"}}));
    // A pen above 6 moves the disc to DEFPOINTS in colour 7, always stated.
    const Groups moved = f.Write([](EntityWriters& e) { e.WriteFilledPoint(8, 0, 0, 0, 1); });
    EXPECT_EQ(std::vector(moved.begin() + 4, moved.begin() + 6), G({{"  8", "DEFPOINTS"}, {" 62", "     7"}}));

    EXPECT_EQ(f.Write([](EntityWriters& e) { e.WritePoint(8, 0, 3, 4); }), G({{"  0", "POINT"},
                                                                              {"  5", "50"},
                                                                              {"330", "1F"},
                                                                              {" 62", "     7"},
                                                                              {"100", "AcDbEntity"},
                                                                              {"  8", "DEFPOINTS"},
                                                                              {"100", "AcDbPoint"},
                                                                              {" 10", "3"},
                                                                              {" 20", "4"},
                                                                              {" 30", "0.0"}}));
    EXPECT_EQ(f.Write([](EntityWriters& e) { e.WritePoint(-1, kDefpointsLayer, 3, 4); }), G({{"  0", "POINT"},
                                                                                             {"  5", "50"},
                                                                                             {"330", "1F"},
                                                                                             {"100", "AcDbEntity"},
                                                                                             {"  8", "DEFPOINTS"},
                                                                                             {"100", "AcDbPoint"},
                                                                                             {" 10", "3"},
                                                                                             {" 20", "4"},
                                                                                             {" 30", "0.0"}}));
    // A point drawn as a circle states its colour before the entity marker.
    EXPECT_EQ(f.Write([](EntityWriters& e) { e.WriteCircle(1, 1, 0, 3, 4, 0.5, true); }), G({{"  0", "CIRCLE"},
                                                                                             {"  5", "50"},
                                                                                             {"330", "1F"},
                                                                                             {" 62", "     4"},
                                                                                             {"100", "AcDbEntity"},
                                                                                             {"  8", "A"},
                                                                                             {"100", "AcDbCircle"},
                                                                                             {" 10", "3"},
                                                                                             {" 20", "4"},
                                                                                             {" 30", "0.0"},
                                                                                             {" 40", "0.5"}}));
}

TEST(EntityWriters, ChoosesCircleArcOrEllipse) {
    // An axis along Y has an X of R x cos 90 degrees: zero up to the last bit
    // of the processor's cosine, so any value within 1E-15 of 0 stands for it.
    constexpr const char* kNearZero = "(within 1E-15 of 0)";
    struct Case {
        double flatness, start, end, tilt;
        const char* entity;
        Groups values;  // groups after the layer block and the subclass marker
    };
    const Case cases[] = {
        {1, 0, 360, 0, "CIRCLE", G({{" 10", "1"}, {" 20", "2"}, {" 30", "0.0"}, {" 40", "10"}})},
        {1, -90, 270, 0, "CIRCLE", G({{" 10", "1"}, {" 20", "2"}, {" 30", "0.0"}, {" 40", "10"}})},
        {1, 30, 120, 15, "ARC",
         G({{" 10", "1"},
            {" 20", "2"},
            {" 30", "0.0"},
            {" 40", "10"},
            {"100", "AcDbArc"},
            {" 50", "45"},
            {" 51", "135"}})},
        {1, 300, 60, 0, "ARC",
         G({{" 10", "1"},
            {" 20", "2"},
            {" 30", "0.0"},
            {" 40", "10"},
            {"100", "AcDbArc"},
            {" 50", "300"},
            {" 51", "60"}})},
        {1, 350, 20, 30, "ARC",
         G({{" 10", "1"},
            {" 20", "2"},
            {" 30", "0.0"},
            {" 40", "10"},
            {"100", "AcDbArc"},
            {" 50", "380"},
            {" 51", "50"}})},
        {0.5, 45, 45, 0, "ELLIPSE",
         G({{" 10", "1"},
            {" 20", "2"},
            {" 30", "0.0"},
            {" 11", "10"},
            {" 21", "0.0"},
            {" 31", "0.0"},
            {"210", "0.0"},
            {"220", "0.0"},
            {"230", "1.0"},
            {" 40", "0.5"},
            {" 41", "0"},
            {" 42", "6.28318530717959"}})},
        {0.5, 300, 60, 0, "ELLIPSE",
         G({{" 10", "1"},
            {" 20", "2"},
            {" 30", "0.0"},
            {" 11", "10"},
            {" 21", "0.0"},
            {" 31", "0.0"},
            {"210", "0.0"},
            {"220", "0.0"},
            {"230", "1.0"},
            {" 40", "0.5"},
            {" 41", "5.23598775598299"},
            {" 42", "7.33038285837618"}})},
        {0.5, -90, 0, 90, "ELLIPSE",
         G({{" 10", "1"},
            {" 20", "2"},
            {" 30", "0.0"},
            {" 11", kNearZero},
            {" 21", "10"},
            {" 31", "0.0"},
            {"210", "0.0"},
            {"220", "0.0"},
            {"230", "1.0"},
            {" 40", "0.5"},
            {" 41", "4.71238898038469"},
            {" 42", "6.28318530717959"}})},
        // Taller than wide: the axes swap, the angles turn back a quarter.
        {2, 90, 180, 0, "ELLIPSE",
         G({{" 10", "1"},
            {" 20", "2"},
            {" 30", "0.0"},
            {" 11", kNearZero},
            {" 21", "20"},
            {" 31", "0.0"},
            {"210", "0.0"},
            {"220", "0.0"},
            {"230", "1.0"},
            {" 40", "0.5"},
            {" 41", "0"},
            {" 42", "1.5707963267949"}})},
        {4, 10, 10, -90, "ELLIPSE",
         G({{" 10", "1"},
            {" 20", "2"},
            {" 30", "0.0"},
            {" 11", "40"},
            {" 21", "0.0"},
            {" 31", "0.0"},
            {"210", "0.0"},
            {"220", "0.0"},
            {"230", "1.0"},
            {" 40", "0.25"},
            {" 41", "0"},
            {" 42", "6.28318530717959"}})},
        {0, 0, 0, 0, "ELLIPSE",
         G({{" 10", "1"},
            {" 20", "2"},
            {" 30", "0.0"},
            {" 11", "10"},
            {" 21", "0.0"},
            {" 31", "0.0"},
            {"210", "0.0"},
            {"220", "0.0"},
            {"230", "1.0"},
            {" 40", "1E-6"},
            {" 41", "0"},
            {" 42", "6.28318530717959"}})},
    };
    for (const auto& c : cases) {
        Fixture f;
        const Groups groups = f.Write([&](EntityWriters& e) {
            e.WriteCircleArcOrEllipse(1, 2, 0, 1, 2, 10, c.flatness, c.start, c.end, c.tilt);
        });
        SCOPED_TRACE(::testing::Message() << c.flatness << " " << c.start << " " << c.end << " " << c.tilt);
        ASSERT_GE(groups.size(), 6u);
        EXPECT_EQ(groups[0].second, c.entity);
        Groups values(groups.begin() + 6, groups.end());
        for (std::size_t i = 0; i < values.size() && i < c.values.size(); ++i)
            if (c.values[i].second == kNearZero && std::fabs(std::strtold(values[i].second.c_str(), nullptr)) < 1e-15L)
                values[i].second = kNearZero;
        EXPECT_EQ(values, c.values);
    }
    // An ellipse of radius 0 has no axis: a POINT at its centre, on the ellipse's layer.
    for (const double flatness : {0.5, 2.0}) {
        Fixture f;
        const Groups point =
            f.Write([&](EntityWriters& e) { e.WriteCircleArcOrEllipse(1, 2, 0, 1, 2, 0, flatness, 0, 90, 0); });
        ASSERT_GE(point.size(), 4u);
        EXPECT_EQ(point[0].second, "POINT");
        EXPECT_EQ(testing::Value(point, "  8"), "A");
        EXPECT_EQ(Groups(point.end() - 4, point.end()),
                  G({{"100", "AcDbPoint"}, {" 10", "1"}, {" 20", "2"}, {" 30", "0.0"}}));
    }
    // An auxiliary circle goes to DEFPOINTS with no line type.
    Fixture f;
    const Groups aux = f.Write([](EntityWriters& e) { e.WriteCircleArcOrEllipse(9, 3, 1, 0, 0, 1, 1, 0, 0, 0); });
    EXPECT_EQ(testing::Value(aux, "  8"), "DEFPOINTS");
    EXPECT_EQ(testing::Value(aux, "  6"), "<none>");
}

struct TextCase {
    const char* what;
    const char* text;  // UTF-8
    bool vertical = false;
    Extended dx = 10, dy = 0, w = 25, h = 25;
    int attr = 0, layer = 0;
    bool shrinkTexts = false, narrowHalfWidthTexts = false;
    Groups expected;  // from group 10 on
};

TEST(EntityWriters, TextsKeepPositionAngleSizeAndWriting) {
    const TextCase cases[] = {
        {"horizontal: no rotation", "A B", false, 10, 0, 25, 25, 0, 0, false, false,
         G({{" 10", "100"}, {" 20", "200"}, {" 30", "0.0"}, {" 40", "25"}, {"  1", "A B"}})},
        {"running down: 270", "X", false, 0, -5, 25, 25, 0, 0, false, false,
         G({{" 10", "100"}, {" 20", "200"}, {" 30", "0.0"}, {" 40", "25"}, {"  1", "X"}, {" 50", "270"}})},
        {"vertical along X: 90, half a height up", "縦", true, 10, 0, 20, 25, 0, 0, true, false,
         G({{" 10", "100"},
            {" 20", "212.5"},
            {" 30", "0.0"},
            {" 40", "22.5"},
            {"  1", "縦"},
            {" 50", "90"},
            {" 41", "0.8"},
            {"  7", "TATEGAKI"}})},
        {"half-width only: aspect", "ABC123", false, 10, 0, 25, 25, 0, 0, false, true,
         G({{" 10", "100"}, {" 20", "200"}, {" 30", "0.0"}, {" 40", "25"}, {"  1", "ABC123"}, {" 41", "0.6"}})},
        {"a full-width character: no aspect", "ABC１", false, 10, 0, 25, 25, 0, 0, false, true,
         G({{" 10", "100"}, {" 20", "200"}, {" 30", "0.0"}, {" 40", "25"}, {"  1", "ABC１"}})},
        {"half-width kana with voicing marks: aspect", "ﾎﾟﾝﾌﾟ", false, 10, 0, 25, 25, 0, 0, false, true,
         G({{" 10", "100"}, {" 20", "200"}, {" 30", "0.0"}, {" 40", "25"}, {"  1", "ﾎﾟﾝﾌﾟ"}, {" 41", "0.6"}})},
        {"half-width kana, Latin and blanks: aspect", "ﾎﾞﾙﾄ M12 L=70", false, 10, 0, 25, 25, 0, 0, false, true,
         G({{" 10", "100"}, {" 20", "200"}, {" 30", "0.0"}, {" 40", "25"}, {"  1", "ﾎﾞﾙﾄ M12 L=70"}, {" 41", "0.6"}})},
        {"half-width kana and a kanji: no aspect", "ｶﾞｽ管", false, 10, 0, 25, 25, 0, 0, false, true,
         G({{" 10", "100"}, {" 20", "200"}, {" 30", "0.0"}, {" 40", "25"}, {"  1", "ｶﾞｽ管"}})},
        {"height 0: no width factor", "A", false, 10, 0, 25, 0, 0, 0, false, false,
         G({{" 10", "100"}, {" 20", "200"}, {" 30", "0.0"}, {" 40", "0"}, {"  1", "A"}})},
        {"trailing blanks go, a full-width space stays, a tab inside is escaped", "注記 \t　 ", false, 10, 0, 25, 25, 0,
         0, false, false, G({{" 10", "100"}, {" 20", "200"}, {" 30", "0.0"}, {" 40", "25"}, {"  1", "注記 ^I　"}})},
        {"special characters spelled out", "①㎜", false, 10, 0, 25, 25, 0, 0, false, false,
         G({{" 10", "100"}, {" 20", "200"}, {" 30", "0.0"}, {" 40", "25"}, {"  1", "(1)mm"}})},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.settings.shrinkTexts = c.shrinkTexts;
        f.settings.textShrinkPercent = 90;
        f.settings.narrowHalfWidthTexts = c.narrowHalfWidthTexts;
        f.settings.halfWidthAspectPercent = 60;
        const Groups groups = f.Write([&](EntityWriters& e) {
            e.WriteText(Utf8ToCp932(c.text), c.vertical, false, {}, c.attr, 0, c.layer, 100, 200, c.dx, c.dy, c.w, c.h);
        });
        Groups expected = G(
            {{"  0", "TEXT"}, {"  5", "50"}, {"330", "1F"}, {"100", "AcDbEntity"}, {"  8", "A"}, {"100", "AcDbText"}});
        for (auto [code, value] : c.expected) expected.emplace_back(code, code == "  1" ? Utf8ToCp932(value) : value);
        expected.emplace_back("100", "AcDbText");
        EXPECT_EQ(groups, expected) << c.what;
    }
}

TEST(EntityWriters, TextsOfAnAuxiliaryTypeGoToDefpointsInColour7) {
    Fixture f;
    const Groups groups =
        f.Write([](EntityWriters& e) { e.WriteText("x", false, false, {}, 7, 0, 1, 0, 0, 1, 0, 25, 25); });
    EXPECT_EQ(std::vector(groups.begin() + 4, groups.begin() + 6), G({{"  8", "DEFPOINTS"}, {" 62", "     7"}}));
    f.tables.layers[kDefpointsLayer].color = 7;
    EXPECT_EQ(
        testing::Value(
            f.Write([](EntityWriters& e) { e.WriteText("x", false, false, {}, 7, 0, 1, 0, 0, 1, 0, 25, 25); }), " 62"),
        "<none>");
}

// What a format changes in the records it writes: R12 leaves out handles,
// owners and subclass markers and draws an ellipse as a polyline through
// points on the curve whose chords stray by at most 0.01 (a millimetre on
// paper being 1 here: steps of sqrt(8 x 0.01 / 10) radians); the
// formats for readers write a literal caret as "^ ", the faithful one as it is.
TEST(EntityWriters, FormatsShapeTheirRecords) {
    struct Case {
        OutputFormat format;
        const char* text;  // the TEXT's value written for "a^8"
        bool laterGroups;  // handles, owners and subclass markers
        std::size_t ellipseVertices;  // 0: an ELLIPSE
    };
    const Case cases[] = {
        {OutputFormat::Dos932, "a^8", true, 0},
        {OutputFormat::Ansi932, "a^ 8", true, 0},
        {OutputFormat::R2000, "a^ 8", true, 0},
        {OutputFormat::R12, "a^ 8", false, 71},  // a whole ellipse: closed, 2 pi / 0.0894 vertices
    };
    for (const Case& c : cases) {
        Fixture f;
        f.settings.outputFormat = c.format;
        const auto write = [&](const std::function<void(EntityWriters&)>& call) {
            DxfWriter w(nullptr, TextEncoding::Cp932, DxfWriter::kFirstHandleSeed, {},
                        IsR12(c.format) ? GroupSet::R12 : GroupSet::All);
            EntityWriters e(w, f.tables, f.settings);
            call(e);
            return SplitGroups(w.Text());
        };
        const Groups text =
            write([](EntityWriters& e) { e.WriteText("a^8", false, false, {}, 0, 0, 0, 0, 0, 1, 0, 25, 25); });
        EXPECT_EQ(testing::Value(text, "  1"), c.text);
        EXPECT_EQ(testing::Value(text, "  5") != "<none>", c.laterGroups);
        EXPECT_EQ(testing::Value(text, "100") != "<none>", c.laterGroups);
        const Groups ellipse =
            write([](EntityWriters& e) { e.WriteCircleArcOrEllipse(1, 1, 0, 0, 0, 10, 0.5, 0, 360, 0); });
        std::vector<std::pair<double, double>> vertices;
        for (std::size_t i = 0; i + 1 < ellipse.size(); ++i)
            if (ellipse[i].second == "VERTEX")
                vertices.emplace_back();
            else if (!vertices.empty() && ellipse[i].first == " 10")
                vertices.back().first = std::atof(ellipse[i].second.c_str());
            else if (!vertices.empty() && ellipse[i].first == " 20")
                vertices.back().second = std::atof(ellipse[i].second.c_str());
        EXPECT_EQ(vertices.size(), c.ellipseVertices) << ellipse.front().second;
        EXPECT_EQ(ellipse.front().second, c.ellipseVertices ? "POLYLINE" : "ELLIPSE");
        for (const auto& [x, y] : vertices)  // on the ellipse of radii 10 and 5
            EXPECT_NEAR(x * x / 100 + y * y / 25, 1, 1e-12) << x << ", " << y;
    }
}

}  // namespace
}  // namespace orvik
