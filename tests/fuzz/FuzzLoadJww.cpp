// libFuzzer target: any bytes given to the JWW reader must read or fail
// cleanly with a reason, never take more than the file can hold, be
// reported, and what was read be written again by the writer and read back
// whole.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/ReadReport.h"
#include "jww/JwwReader.h"
#include "jww/JwwReport.h"
#include "support/JwwBuilder.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    orvik::JwwDrawing drawing;
    orvik::Failure error;
    const bool complete = orvik::ReadJww(bytes, drawing, &error, true);
    Check(complete == (error.reason == orvik::Reason::None));
    Check(error.offset >= 0 && error.offset <= static_cast<std::int64_t>(size));
    // Every element takes bytes of its own: the lists are never larger than the file.
    Check(drawing.elements.order.size() * 2 <= size);
    orvik::JwwSummaryLines(drawing);
    orvik::DescribeReadError(error);
    orvik::JwwDrawing again;
    Check(orvik::ReadJww(orvik::BuildJww(drawing).bytes, again));
    Check(again.elements.order.size() == drawing.elements.order.size() && again.blocks.size() == drawing.blocks.size());
    return 0;
}
