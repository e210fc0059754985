#include "convert/ProposedScales.h"

#include <gtest/gtest.h>

#include <limits>

#include "text/Cp932.h"

namespace orvik {
namespace {

Drawing WithScales(std::initializer_list<std::pair<int, float>> groupScales) {
    Drawing d;
    for (const auto& [group, scale] : groupScales) d.layerGroups[group].scale = scale;
    return d;
}

void AddLines(Drawing& d, std::uint8_t layer, int n) {
    for (int i = 0; i < n; ++i) d.lines.push_back(DrawingLine{0, 0, 1, 1, 1, 1, layer});
}

TEST(ListProposedScales, ListsUsedScalesLargestFirstAndProposesTheBusiestGroup) {
    struct Case {
        const char* what;
        Drawing drawing;
        std::vector<std::string> items;
        int selected;
        bool unusable = false;  // a used group's scale is no positive finite number
    };
    std::vector<Case> cases;
    {
        Drawing d = WithScales({{0, 100}, {1, 50}});
        AddLines(d, 0x00, 3);
        AddLines(d, 0x10, 10);
        cases.push_back({"the busier group's scale", d, {"100", "50"}, 1});
    }
    {
        Drawing d = WithScales({{0, 100}, {1, 100}, {2, 50}});
        AddLines(d, 0x00, 2);
        AddLines(d, 0x10, 2);
        AddLines(d, 0x20, 3);
        cases.push_back({"equal scales are one item; counts are not added", d, {"100", "50"}, 1});
    }
    {
        Drawing d = WithScales({{2, 20}, {5, 30}});
        AddLines(d, 0x20, 2);
        AddLines(d, 0x50, 2);
        cases.push_back({"ties go to the lower group", d, {"30", "20"}, 1});
    }
    {
        Drawing d = WithScales({{0, 100}, {3, 500}});
        AddLines(d, 0x00, 1);
        d.virtualPoints.push_back(VirtualPoint{0, 0, 0x30});
        cases.push_back({"virtual points add a scale, never the main group", d, {"500", "100"}, 1});
    }
    {
        Drawing d = WithScales({{0, 0}, {1, -5}, {2, 0.3f}, {3, 2.5f}});
        AddLines(d, 0x00, 5);
        AddLines(d, 0x10, 1);
        AddLines(d, 0x20, 1);
        AddLines(d, 0x30, 1);
        cases.push_back({"no zero or negative scales; the first item when the main group has none",
                         d,
                         {"2.5", "0.300000011920929"},
                         0,
                         true});
    }
    {
        Drawing d = WithScales({{0, std::numeric_limits<float>::infinity()}, {1, 100}});
        AddLines(d, 0x00, 1);
        AddLines(d, 0x10, 1);
        cases.push_back({"an infinite scale is not one to choose", d, {"100"}, 0, true});
    }
    {
        Drawing d = WithScales({{0, std::numeric_limits<float>::quiet_NaN()}});
        AddLines(d, 0x00, 1);
        cases.push_back({"no usable scale at all", d, {}, -1, true});
    }
    cases.push_back({"an empty drawing", Drawing{}, {}, -1});
    for (auto& c : cases) {
        const ScaleList list = ListProposedScales(c.drawing);
        EXPECT_EQ(list.items, c.items) << c.what;
        EXPECT_EQ(list.selected, c.selected) << c.what;
        EXPECT_EQ(list.unusableInUse, c.unusable) << c.what;
        EXPECT_EQ(list.WhyEmpty(), c.unusable ? kUnusableScale : kNoScale) << c.what;
    }
}

TEST(MarkUsedLayers, MarksUsedLayersAndCopiesVisibility) {
    Drawing d = WithScales({{0, 1}});
    d.layers[7].visible = 1;
    d.texts.push_back(DrawingText{});
    d.texts[0].layer = 9;
    d.points.push_back(DrawingPoint{0, 0, 200});
    d.arcs.push_back(DrawingArc{});
    d.arcs[0].layer = 7;
    d.virtualPoints.push_back(VirtualPoint{0, 0, 33});
    LayerTables t;
    t.layers[100].used = true;  // left from an earlier drawing
    MarkUsedLayers(d, t);
    for (int i = 0; i < kLayerCount; ++i) {
        const bool used = i == 7 || i == 9 || i == 200 || i == 33;
        EXPECT_EQ(t.layers[i].used, used) << i;
    }
    EXPECT_EQ(t.layers[7].visible, 1);
    EXPECT_EQ(t.layers[9].visible, 0);
}

}  // namespace
}  // namespace orvik
