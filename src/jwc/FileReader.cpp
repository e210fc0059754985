#include "jwc/FileReader.h"

#include <algorithm>
#include <cerrno>

#include "os/System.h"

namespace orvik {

InputCheck CheckInputFile(const std::string& path) {
    int error = 0;
    const os::Handle handle = os::OpenForReading(path, error);
    if (handle == os::kNoHandle) {
        if (error == ENOENT) return {InputProblem::NotFound, ENOENT};
        return {error == EISDIR ? InputProblem::NotRegularFile : InputProblem::SystemError, error};
    }
    os::Status status;
    InputCheck check;
    if (!os::StatusOf(handle, status, error))
        check = {InputProblem::SystemError, error};
    else if (status.kind == os::Kind::Directory)
        check = {InputProblem::NotRegularFile, EISDIR};
    else if (status.kind != os::Kind::Regular)
        check = {InputProblem::NotRegularFile, 0};
    else if (status.size == 0)
        check = {InputProblem::Empty, 0};
    os::Close(handle);
    return check;
}

FileReader::FileReader(const std::string& path) {
    int error = 0;
    const os::Handle handle = os::OpenForReading(path, error);
    if (handle == os::kNoHandle) return;
    os::Status status;
    if (!os::StatusOf(handle, status, error) || status.kind != os::Kind::Regular) {
        os::Close(handle);
        return;
    }
    handle_ = handle;
    size_ = status.size;
}

FileReader::~FileReader() { os::Close(handle_); }

std::string_view FileReader::Read(std::size_t n) {
    // Never allocate more than the file can still deliver.
    const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(n), Remaining()));
    buffer_.resize(wanted);
    std::size_t got = 0;
    while (handle_ != os::kNoHandle && got < wanted) {
        int error = 0;
        const long r = os::ReadSome(handle_, buffer_.data() + got, wanted - got, error);
        if (r <= 0) break;
        got += static_cast<std::size_t>(r);
    }
    position_ += static_cast<std::int64_t>(got);
    return std::string_view(buffer_.data(), got);
}

}  // namespace orvik
