// Reading a drawing file front to back, for both readers: the file is opened
// once, what is wrong with the path is known from the opening, and its first
// bytes can be looked at (to tell the formats apart) before the reader reads
// it from the start.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "os/System.h"

namespace orvik {

// Why a path cannot be read as a drawing, before its bytes are looked at.
enum class InputProblem {
    None,
    NotFound,  // nothing at the path
    NotRegularFile,  // a folder, device, FIFO or socket
    Empty,
    SystemError,  // the operating system refused: see the errno
};

struct InputCheck {
    InputProblem problem = InputProblem::None;
    int error = 0;  // the errno of a SystemError (EACCES, ELOOP ...), EISDIR for a folder
};

class FileReader {
public:
    // Opens a regular file for reading; anything else (a folder, a device, a
    // pipe) counts as not openable, and Check() says why.
    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // What opening found: None for a regular file with bytes in it.
    const InputCheck& Check() const { return check_; }
    bool IsOpen() const { return handle_ != os::kNoHandle; }
    std::int64_t Size() const { return size_; }
    std::int64_t Position() const { return position_; }
    std::int64_t Remaining() const { return size_ > position_ ? size_ - position_ : 0; }

    // The file's first n bytes (fewer in a shorter file), without moving the
    // read position: Read still begins with them.
    std::string_view Start(std::size_t n);

    // Reads up to n bytes; fewer only at the end of the file or on a read
    // error. The view stays valid until the next call.
    std::string_view Read(std::size_t n);
    // The same into `buffer`; returns how many bytes it holds.
    std::size_t ReadInto(char* buffer, std::size_t n);

private:
    std::size_t ReadFromFile(char* buffer, std::size_t n);

    os::Handle handle_ = os::kNoHandle;
    InputCheck check_;
    std::int64_t size_ = 0;
    std::int64_t position_ = 0;
    std::string start_;  // the first bytes, read ahead by Start
    std::string buffer_;
};

}  // namespace orvik
