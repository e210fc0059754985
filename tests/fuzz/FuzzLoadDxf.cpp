// libFuzzer target: any bytes given to the DXF reader must read or fail
// cleanly with a reason, be put on JW_CAD's paper, and be written as a JWW
// file that the JWW reader reads whole with the same counts.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/ReadReport.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfSheet.h"
#include "jww/JwwFromDrawing.h"
#include "jww/JwwReader.h"
#include "jww/JwwWriter.h"
#include "output/ByteSink.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The input as a file: an in-memory file reached through /proc.
const std::string& InputPath(const std::uint8_t* data, std::size_t size) {
    static const int fd = ::memfd_create("fuzz.dxf", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvik::FileReader file(InputPath(data, size));
    orvik::DxfFile dxf;
    orvik::Failure error;
    const bool complete = orvik::ReadDxf(file, dxf, &error);
    Check(complete == (error.reason == orvik::Reason::None));
    orvik::DescribeReadError(error);
    orvik::PutOnSheet(dxf.drawing, orvik::ChooseSheet(dxf.drawing, {}));
    for (const orvik::Block& b : dxf.drawing.blocks)
        for (const orvik::BlockInsert& i : b.inserts)
            Check(i.block < static_cast<std::uint32_t>(&b - &dxf.drawing.blocks[0]));
    orvik::StringSink jww;
    orvik::WriteJww(orvik::JwwDrawingOf(dxf.drawing), jww);
    orvik::JwwDrawing again;
    Check(orvik::ReadJww(jww.Text(), again));
    Check(again.elements.lines.size() == dxf.drawing.lines.size() && again.blocks.size() == dxf.drawing.blocks.size());
    return 0;
}
