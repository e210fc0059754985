// libFuzzer target: any bytes given to the JWC reader must load or fail
// cleanly, leave a drawing whose counts match its arrays, and convert to DXF
// text, and from it to a picture, without a fault.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/LayerReport.h"
#include "app/ReadDrawing.h"
#include "app/ReadReport.h"
#include "convert/Conversion.h"
#include "convert/ProposedScales.h"
#include "jwc/JwcDriver.h"
#include "jwc/JwcLoader.h"
#include "picture/DisplayListBuilder.h"
#include "picture/SvgPicture.h"

namespace {

// The input as a file: an in-memory file reached through /proc.
const std::string& InputPath(const std::uint8_t* data, std::size_t size) {
    static const int fd = ::memfd_create("fuzz.jwc", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    return path;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = InputPath(data, size);
    orvik::DrawingFile(path).Check();

    orvik::JwcFile drawing;
    orvik::Failure error;
    const bool complete = orvik::LoadJwcFile(path, drawing, &error);
    const orvik::JwcHeader& h = drawing.header;
    Check(complete == (error.reason == orvik::Reason::None));
    Check(h.lineCount == static_cast<std::int32_t>(drawing.lines.size()));
    Check(h.arcCount == static_cast<std::int32_t>(drawing.arcs.size()));
    Check(h.textCount == static_cast<std::int32_t>(drawing.texts.size()));
    Check(h.pointCount == static_cast<std::int32_t>(drawing.points.size()));
    Check(h.virtualPointCount >= 0 && h.virtualPointCount <= orvik::kVirtualPointSlots);
    Check(h.virtualPointCount == static_cast<std::int32_t>(drawing.virtualPoints.size()));
    // Nothing read can be larger than the file itself.
    Check(drawing.lines.size() * orvik::kLineRecordSize <= size &&
          drawing.texts.size() * orvik::kTextRecordSize <= size);

    orvik::JwcSummaryLines(drawing);
    orvik::DescribeReadError(error);

    // Convert what was read, with settings taken from the input's last byte.
    const orvik::ScaleList scales = orvik::ListProposedScales(drawing);
    if (scales.selected < 0) return 0;
    orvik::ConversionSettings settings;
    const std::uint8_t knobs = size > 0 ? data[size - 1] : 0;
    settings.curvesAsPolylines = knobs & 1;
    settings.roundCoordinates = knobs & 2;
    settings.pointMode = static_cast<orvik::PointMode>(1 + (knobs >> 2) % 3);
    settings.jwLineTypes = knobs & 32;
    settings.auxiliaryOnDefpoints = knobs & 64;
    settings.plainLayerNames = knobs & 128;
    try {
        const orvik::Conversion conversion(drawing, settings, {path, scales.items[scales.selected]});
        orvik::ReportUsedLayers(conversion.Result());
        // The DXF stream read back into a display list, drawn as SVG.
        orvik::SvgPicture(orvik::PictureOf(conversion), {});
    } catch (const orvik::FailureError&) {
        // A proposed scale of INF is refused with a message: that is the expected outcome.
    }
    return 0;
}
