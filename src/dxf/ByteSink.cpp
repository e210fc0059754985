#include "dxf/ByteSink.h"

#include <unistd.h>

#include <cerrno>

#include "dxf/ConversionError.h"
#include "text/Messages.h"

namespace orvik {

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

void DescriptorSink::Write(std::string_view bytes) {
    if (const int error = WriteAll(fd_, bytes)) throw ConversionError(CannotWriteFile(label_, SystemErrorText(error)));
}

}  // namespace orvik
