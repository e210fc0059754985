#include "jwc/JwcDriver.h"

#include <utility>

#include "jwc/JwcLoader.h"
#include "text/Messages.h"
#include "text/Substitution.h"

namespace orvik {
namespace {

class Driver final : public DrawingDriver {
public:
    Driver() : DrawingDriver({DrawingFormat::Jwc, ".JWC", kJwcSignatureSize, &IsJwcStart}) {}
    // Nothing is kept beside the model: no JWC file is written.
    DrawingRead Read(FileReader& file, Drawing& drawing, const ReadOptions&) const override {
        DrawingRead read;
        JwcFile jwc;
        LoadJwcFile(file, jwc, &read.stopped);
        read.summary = JwcSummaryLines(jwc);
        drawing = std::move(static_cast<Drawing&>(jwc));
        return read;
    }
};

}  // namespace

const DrawingDriver& JwcDriver() {
    static const Driver driver;
    return driver;
}

std::vector<std::string> JwcSummaryLines(const JwcFile& file) {
    const JwcHeader& h = file.header;
    const std::pair<std::string_view, std::int32_t> counts[] = {
        {kLineCountLabel, h.lineCount},
        {kArcCountLabel, h.arcCount},
        {kTextCountLabel, h.textCount},
        {kPointCountLabel, h.pointCount},
        {kVirtualPointCountLabel, h.virtualPointCount},
    };
    std::vector<std::string> lines{EscapeControlBytes(h.headerText1), EscapeControlBytes(h.headerText2)};
    for (const auto& [label, count] : counts) lines.push_back(std::string(label) + std::to_string(count));
    return lines;
}

}  // namespace orvik
