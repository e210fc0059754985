#include "app/LayerReport.h"

#include <gtest/gtest.h>

#include "text/Cp932.h"

namespace orvik {
namespace {

TEST(ReportUsedLayers, PadsNamesTo22Bytes) {
    ConversionResult result;
    result.defpointsUsed = true;
    LayerTables& t = result.layers;
    t.linetypeNames = {"",        "CONTINUOUS", "DASHED1",  "DASHED2",  "DASHED3",
                       "CENTER1", "CENTER2",    "PHANTOM1", "PHANTOM2", "DOT"};
    t.layers[0] = DxfLayer{Utf8ToCp932("壁"), true, 1, 7, 1};
    t.layers[5] = DxfLayer{"ABCDEFGHIJKLMNOPQRSTU", true, 5, 4, 1};
    t.layers[6] = DxfLayer{"unused", false, 1, 1, 1};
    t.layers[kDefpointsLayer].color = 3;
    std::vector<std::string> lines;
    for (const auto& line : ReportUsedLayers(result)) lines.push_back(Cp932ToUtf8(line));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "「使用画層」",
                         "壁                    色: 7  線種: CONTINUOUS",
                         "ABCDEFGHIJKLMNOPQRSTU 色: 4  線種: CENTER1",
                         "DEFPOINTS             色: 3  線種: DOT",
                     }));
    result.defpointsUsed = false;
    EXPECT_EQ(ReportUsedLayers(result).size(), 3u);
}

}  // namespace
}  // namespace orvik
