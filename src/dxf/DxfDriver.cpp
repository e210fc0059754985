#include "dxf/DxfDriver.h"

#include <utility>

#include "dxf/DxfReader.h"
#include "dxf/DxfSheet.h"
#include "numeric/DecimalText.h"
#include "text/Messages.h"

namespace orvik {
namespace {

std::string PaperName(std::int32_t paper) {
    static constexpr std::string_view kNames[] = {"A0", "A1", "A2", "A3", "A4", "", "", "", "2A", "3A", "4A", "5A"};
    return paper >= 0 && paper < 12 ? std::string(kNames[paper]) : std::string();
}

std::vector<std::string> Summary(const DxfFile& dxf, const Sheet& sheet) {
    const Drawing& d = dxf.drawing;
    const auto line = [](std::string_view label, const std::string& value) { return std::string(label) + value; };
    const auto count = [&](std::string_view label, std::size_t n) { return line(label, std::to_string(n)); };
    return {line(kDxfVersionLabel, dxf.version),
            line(kDxfCodePageLabel, dxf.codePage.empty() ? std::string(kDxfNoCodePage) : dxf.codePage),
            line(kDxfPaperLabel, PaperName(sheet.paper)),
            line(kDxfScaleLabel, ShortestText(sheet.scale)),
            line(kDxfOriginLabel, std::string(1, '(')
                                      .append(ShortestText(sheet.originX))
                                      .append(", ")
                                      .append(ShortestText(sheet.originY))
                                      .append(")")),
            count(kDxfLinesLabel, d.lines.size()),
            count(kDxfArcsLabel, d.arcs.size()),
            count(kDxfTextsLabel, d.texts.size()),
            count(kDxfPointsLabel, d.points.size()),
            count(kDxfSolidsLabel, d.solids.size()),
            count(kDxfInsertsLabel, d.inserts.size()),
            count(kDxfBlocksLabel, d.blocks.size())};
}

// "label: a 3、b 1" of the counts that are not zero; empty when all are.
std::string Listed(std::string_view label, const std::vector<std::pair<std::string, std::int64_t>>& counts) {
    std::string text;
    for (const auto& [what, n] : counts) {
        if (n <= 0) continue;
        if (!text.empty()) text += kListSeparator;
        text += what + std::to_string(n);
    }
    return text.empty() ? text : std::string(label) + text;
}

std::vector<std::string> Warnings(const DxfLeftOut& l) {
    std::vector<std::pair<std::string, std::int64_t>> leftOut;
    for (const auto& [type, n] : l.entities) leftOut.emplace_back(type + " ", n);
    leftOut.emplace_back(kDxfPaperSpace, l.paperSpace);
    leftOut.emplace_back(kDxfMissingBlocks, l.inserts);
    leftOut.emplace_back(kDxfBrokenEntities, l.broken);
    std::vector<std::string> lines;
    for (std::string line :
         {Listed(kDxfLeftOutLabel, leftOut),
          Listed(kDxfApproximatedLabel, {{std::string(kDxfWideArcs), l.widths},
                                         {std::string(kDxfFitCurves), l.curves},
                                         {std::string(kDxfMergedLayers), l.mergedLayers},
                                         {std::string(kDxfDashedLinetypes), l.linetypes},
                                         {std::string(kDxfReplacedCharacters), l.replacedCharacters}})})
        if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

class Driver final : public DrawingDriver {
public:
    Driver() : DrawingDriver({DrawingFormat::Dxf, ".DXF", kDxfSignatureSize, &IsDxfStart}) {}
    DrawingRead Read(FileReader& file, Drawing& drawing, const ReadOptions& options) const override {
        DrawingRead read;
        DxfFile dxf;
        ReadDxf(file, dxf, &read.stopped);
        const Sheet sheet = ChooseSheet(dxf.drawing, options.sheet);
        PutOnSheet(dxf.drawing, sheet);
        read.summary = Summary(dxf, sheet);
        read.warnings = Warnings(dxf.leftOut);
        drawing = std::move(dxf.drawing);
        return read;
    }
};

}  // namespace

const DrawingDriver& DxfDriver() {
    static const Driver driver;
    return driver;
}

}  // namespace orvik
