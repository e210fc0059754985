#include "output/ByteSink.h"

#include "failure/Failure.h"
#include "os/System.h"
#include "text/Messages.h"

namespace orvik {

void DescriptorSink::Write(std::string_view bytes) {
    if (const Failure failure = os::WriteAll(handle_, bytes); failure.reason != Reason::None)
        throw FailureError(Reason::WriteFailed, CannotWriteFile(label_, SystemErrorText(failure.systemError)));
}

}  // namespace orvik
