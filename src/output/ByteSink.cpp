#include "output/ByteSink.h"

#include "os/System.h"
#include "output/ConversionError.h"
#include "text/Messages.h"

namespace orvik {

void DescriptorSink::Write(std::string_view bytes) {
    if (const int error = os::WriteAll(handle_, bytes))
        throw ConversionError(FailureReason::WriteFailed, CannotWriteFile(label_, SystemErrorText(error)));
}

}  // namespace orvik
