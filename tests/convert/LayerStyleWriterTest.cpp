#include "convert/LayerStyleWriter.h"

#include <gtest/gtest.h>

#include "dxf/DxfLines.h"
#include "support/LayerTablesFixture.h"

namespace orvik {
namespace {

TEST(LayerStyleWriter, StatesColourAndLineTypeOnlyWhereTheyDifferFromTheLayer) {
    const LayerTables tables = testing::WriterTestTables();
    struct Case {
        void (*write)(LayerStyleWriter&);
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {[](LayerStyleWriter& w) { w.WritePenColorForLayer(1, 3); }, {}},  // pen 1 is colour 4, like the layer
        {[](LayerStyleWriter& w) { w.WritePenColorForLayer(-1, 3); }, {}},
        {[](LayerStyleWriter& w) { w.WritePenColorForLayer(3, 3); }, {" 62", "     3"}},
        {[](LayerStyleWriter& w) { w.WritePenColorForLayer(9, 3); }, {" 62", "     7"}},  // pens above 6 draw in 7
        {[](LayerStyleWriter& w) { w.WriteColorForLayer(4, 3); }, {}},
        {[](LayerStyleWriter& w) { w.WriteLinetypeForLayer(2, 3); }, {}},
        {[](LayerStyleWriter& w) { w.WriteLinetypeForLayer(5, 3); }, {"  6", "CENTER1"}},
        {[](LayerStyleWriter& w) { w.WriteLinetypeNumbers(0, 1); }, {}},  // 0 and 10 read as 1
        {[](LayerStyleWriter& w) { w.WriteLinetypeNumbers(10, 2); }, {"  6", "CONTINUOUS"}},
        {[](LayerStyleWriter& w) { w.WriteLinetypeNumberIfDiffers(9, ""); }, {"  6", "DOT"}},
        {[](LayerStyleWriter& w) { w.WriteLayerNumber(3); }, {"  8", "WALL"}},
        {[](LayerStyleWriter& w) { w.WriteLayerNumber(kDefpointsLayer); }, {"  8", "DEFPOINTS"}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        DxfWriter w;
        LayerStyleWriter style(w, tables);
        cases[i].write(style);
        EXPECT_EQ(testing::SplitLines(w.Text()), cases[i].lines) << "case " << i;
    }
}

}  // namespace
}  // namespace orvik
