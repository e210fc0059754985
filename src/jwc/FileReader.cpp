#include "jwc/FileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace orvik {

InputCheck CheckInputFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return {InputProblem::NotFound, ENOENT};
        return {errno == EISDIR ? InputProblem::NotRegularFile : InputProblem::SystemError, errno};
    }
    struct stat info {};
    InputCheck check;
    if (::fstat(fd, &info) != 0)
        check = {InputProblem::SystemError, errno};
    else if (S_ISDIR(info.st_mode))
        check = {InputProblem::NotRegularFile, EISDIR};
    else if (!S_ISREG(info.st_mode))
        check = {InputProblem::NotRegularFile, 0};
    else if (info.st_size == 0)
        check = {InputProblem::Empty, 0};
    ::close(fd);
    return check;
}

FileReader::FileReader(const std::string& path) {
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = info.st_size;
}

FileReader::~FileReader() {
    if (fd_ >= 0) ::close(fd_);
}

std::string_view FileReader::Read(std::size_t n) {
    // Never allocate more than the file can still deliver.
    const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(n), Remaining()));
    buffer_.resize(wanted);
    std::size_t got = 0;
    while (fd_ >= 0 && got < wanted) {
        const ssize_t r = ::read(fd_, buffer_.data() + got, wanted - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += static_cast<std::size_t>(r);
    }
    position_ += static_cast<std::int64_t>(got);
    return std::string_view(buffer_.data(), got);
}

}  // namespace orvik
