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
    DrawingRead Read(FileReader& file, Drawing& drawing, const ReadOptions& options) const override {
        const bool keepSource = options.keepSource;
        DrawingRead read;
        auto kept = std::make_shared<JwwSource>();
        JwwDrawing& jww = kept->drawing;
        LoadJwwFile(file, jww, &read.stopped, keepSource);
        read.summary = JwwSummaryLines(jww);
        for (JwwImage& image : jww.images)
            if (!image.leftOut) read.images.push_back({image.name, keepSource ? image.bytes : std::move(image.bytes)});
        if (jww.imagesLeftOut > 0) read.warnings.push_back(ImagesLeftOutLine(jww.imagesLeftOut));
        NotCarried notCarried;
        drawing = keepSource ? DrawingOfKept(jww, notCarried) : DrawingOf(std::move(jww), notCarried);
        if (notCarried.Any()) read.warnings.push_back(NotCarriedLine(notCarried));
        if (keepSource) read.source = std::move(kept);
        return read;
    }
};

}  // namespace

const DrawingDriver& JwwDriver() {
    static const Driver driver;
    return driver;
}

}  // namespace orvik
