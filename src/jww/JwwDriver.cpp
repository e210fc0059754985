#include "jww/JwwDriver.h"

#include <utility>

#include "jww/JwwMapping.h"
#include "jww/JwwReader.h"
#include "jww/JwwReport.h"

namespace orvik {
namespace {

class Driver final : public DrawingDriver {
public:
    DrawingFormat Format() const override { return DrawingFormat::Jww; }
    std::size_t SignatureSize() const override { return kJwwSignature.size(); }
    bool Recognises(std::string_view start) const override { return IsJwwStart(start); }
    bool Named(std::string_view path) const override { return HasExtension(path, ".JWW"); }
    DrawingRead Read(FileReader& file, Drawing& drawing) const override {
        DrawingRead read;
        JwwDrawing jww;
        LoadJwwFile(file, jww, &read.stopped);
        read.summary = JwwSummaryLines(jww);
        for (JwwImage& image : jww.images) read.images.push_back({std::move(image.name), std::move(image.bytes)});
        if (jww.imagesLeftOut > 0) read.warnings.push_back(ImagesLeftOutLine(jww.imagesLeftOut));
        NotCarried notCarried;
        drawing = DrawingOf(std::move(jww), notCarried);
        if (notCarried.Any()) read.warnings.push_back(NotCarriedLine(notCarried));
        return read;
    }
};

}  // namespace

const DrawingDriver& JwwDriver() {
    static const Driver driver;
    return driver;
}

}  // namespace orvik
