#include "input/FileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace orvik {

FileReader::FileReader(const std::string& path) {
    Failure failure;
    const os::Handle handle = os::OpenForReading(path, failure);
    if (handle == os::kNoHandle) {
        const int error = failure.systemError;
        if (error == ENOENT)
            check_ = {InputProblem::NotFound, ENOENT};
        else
            check_ = {error == EISDIR ? InputProblem::NotRegularFile : InputProblem::SystemError, error};
        return;
    }
    os::Status status;
    if (!os::StatusOf(handle, status, failure))
        check_ = {InputProblem::SystemError, failure.systemError};
    else if (status.kind == os::Kind::Directory)
        check_ = {InputProblem::NotRegularFile, EISDIR};
    else if (status.kind != os::Kind::Regular)
        check_ = {InputProblem::NotRegularFile, 0};
    if (check_.problem != InputProblem::None) {
        os::Close(handle);
        return;
    }
    if (status.size == 0) check_ = {InputProblem::Empty, 0};
    handle_ = handle;
    size_ = status.size;
}

FileReader::~FileReader() { os::Close(handle_); }

std::size_t FileReader::ReadFromFile(char* buffer, std::size_t n) {
    std::size_t got = 0;
    while (handle_ != os::kNoHandle && got < n) {
        Failure failure;
        const long r = os::ReadSome(handle_, buffer + got, n - got, failure);
        if (r <= 0) break;
        got += static_cast<std::size_t>(r);
    }
    return got;
}

std::string_view FileReader::Start(std::size_t n) {
    if (position_ == 0 && start_.size() < n) {
        const std::size_t had = start_.size();
        const auto more = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(n - had), size_ - static_cast<std::int64_t>(had)));
        start_.resize(had + more);
        start_.resize(had + ReadFromFile(start_.data() + had, more));
    }
    return std::string_view(start_).substr(0, n);
}

std::size_t FileReader::ReadInto(char* buffer, std::size_t n) {
    // Never more than the file can still deliver.
    const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(n), Remaining()));
    std::size_t got = 0;
    if (static_cast<std::size_t>(position_) < start_.size()) {
        got = std::min(wanted, start_.size() - static_cast<std::size_t>(position_));
        std::memcpy(buffer, start_.data() + position_, got);
    }
    got += ReadFromFile(buffer + got, wanted - got);
    position_ += static_cast<std::int64_t>(got);
    return got;
}

std::string_view FileReader::Read(std::size_t n) {
    buffer_.resize(static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(n), Remaining())));
    const std::size_t got = ReadInto(buffer_.data(), buffer_.size());
    return std::string_view(buffer_.data(), got);
}

}  // namespace orvik
