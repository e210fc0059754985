#include "jww/JwwDriver.h"

#include <utility>

#include "jww/JwwMapping.h"
#include "jww/JwwReader.h"
#include "jww/JwwReport.h"

namespace orvik {
namespace {

class Driver final : public DrawingDriver {
public:
    Driver() : DrawingDriver({DrawingFormat::Jww, ".JWW", kJwwSignature.size(), &IsJwwStart}) {}
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
