// Sequential reading of a regular file, for the JWC loader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "os/System.h"

namespace orvik {

// Why a path cannot be read as a drawing, before its bytes are looked at.
enum class InputProblem {
    None,
    NotFound,        // nothing at the path
    NotRegularFile,  // a folder, device, FIFO or socket
    Empty,
    SystemError,     // the operating system refused: see the errno
};

struct InputCheck {
    InputProblem problem = InputProblem::None;
    int error = 0;  // the errno of a SystemError (EACCES, ELOOP ...), EISDIR for a folder
};

// Opens and examines the path as the reader would.
InputCheck CheckInputFile(const std::string& path);

class FileReader {
public:
    // Opens a regular file for reading; anything else (a folder, a device, a
    // pipe) counts as not openable.
    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool IsOpen() const { return handle_ != os::kNoHandle; }
    std::int64_t Size() const { return size_; }
    std::int64_t Position() const { return position_; }
    std::int64_t Remaining() const { return size_ > position_ ? size_ - position_ : 0; }

    // Reads up to n bytes; fewer only at the end of the file or on a read
    // error. The view stays valid until the next call.
    std::string_view Read(std::size_t n);

private:
    os::Handle handle_ = os::kNoHandle;
    std::int64_t size_ = 0;
    std::int64_t position_ = 0;
    std::string buffer_;
};

}  // namespace orvik
