#include "dxf/ByteSink.h"

#include "dxf/ConversionError.h"
#include "os/System.h"
#include "text/Messages.h"

namespace orvik {

void DescriptorSink::Write(std::string_view bytes) {
    if (const int error = os::WriteAll(handle_, bytes)) throw ConversionError(CannotWriteFile(label_, SystemErrorText(error)));
}

}  // namespace orvik
