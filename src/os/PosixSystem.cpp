// The operating-system services on POSIX systems (Linux).
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "os/System.h"

namespace orvik::os {
namespace {

Kind KindOf(mode_t mode) {
    if (S_ISREG(mode)) return Kind::Regular;
    if (S_ISDIR(mode)) return Kind::Directory;
    return Kind::Other;
}

void (*gCleanup)() = nullptr;

extern "C" void CleanUpAndRaise(int signal) {
    if (gCleanup) gCleanup();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

Handle OpenForReading(const std::string& path, Failure& failure) {
    // O_NONBLOCK keeps a FIFO from blocking the open; callers refuse it by its kind.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) failure = SystemFailure(Reason::Unreadable, errno);
    return fd < 0 ? kNoHandle : fd;
}

bool StatusOf(Handle handle, Status& status, Failure& failure) {
    struct stat info {};
    if (::fstat(static_cast<int>(handle), &info) != 0) {
        failure = SystemFailure(Reason::Unreadable, errno);
        return false;
    }
    status = {KindOf(info.st_mode), info.st_size, info.st_mtime};
    return true;
}

long ReadSome(Handle handle, char* buffer, std::size_t n, Failure& failure) {
    while (true) {
        const ssize_t r = ::read(static_cast<int>(handle), buffer, n);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) failure = SystemFailure(Reason::Unreadable, errno);
        return static_cast<long>(r);
    }
}

void Close(Handle handle) {
    if (handle != kNoHandle) ::close(static_cast<int>(handle));
}

Failure CloseChecked(Handle handle) {
    return ::close(static_cast<int>(handle)) == 0 ? Failure{} : SystemFailure(Reason::WriteFailed, errno);
}

Kind KindOfPath(const std::string& path, Failure& failure) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        failure = SystemFailure(Reason::Unreadable, errno);
        return Kind::Missing;
    }
    return KindOf(info.st_mode);
}

bool ModificationTime(const std::string& path, std::time_t& time) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    time = info.st_mtime;
    return true;
}

bool IdentityOf(const std::string& path, FileId& id) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    id = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    return true;
}

std::tm LocalTime(std::time_t time) {
    std::tm local{};
    ::localtime_r(&time, &local);
    return local;
}

Failure WriteAll(Handle handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(static_cast<int>(handle), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return SystemFailure(Reason::WriteFailed, n < 0 ? errno : EIO);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

Handle StandardOutput() { return STDOUT_FILENO; }
Handle StandardError() { return STDERR_FILENO; }

bool IsTerminal(Handle handle) { return ::isatty(static_cast<int>(handle)) == 1; }

Handle CreateUnique(std::string& path, Failure& failure) {
    // mkstemp would give 0600 and a chmod would need the umask, which can only
    // be read by changing it: a race with saves on other threads. The kernel
    // masks 0666 itself.
    std::uint64_t seed = static_cast<std::uint64_t>(std::time(nullptr)) ^
                         (static_cast<std::uint64_t>(::getpid()) << 32) ^ reinterpret_cast<std::uintptr_t>(&path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        NextUniqueName(path, seed);
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) {
            failure = SystemFailure(Reason::WriteFailed, errno);
            return kNoHandle;
        }
    }
    failure = SystemFailure(Reason::WriteFailed, EEXIST);
    return kNoHandle;
}

bool TryLock(Handle handle) { return ::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB) == 0; }

void StartWriteback(Handle handle, std::int64_t offset, std::int64_t length) {
#ifdef __linux__
    ::sync_file_range(static_cast<int>(handle), offset, length, SYNC_FILE_RANGE_WRITE);
#else
    (void)handle, (void)offset, (void)length;
#endif
}

Failure MakeDurable(Handle handle) {
    return ::fsync(static_cast<int>(handle)) == 0 ? Failure{} : SystemFailure(Reason::WriteFailed, errno);
}

namespace {

// 0 or the errno of the rename.
int Rename(const std::string& from, const std::string& to, bool replace) {
    if (replace) return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
#ifdef __EMSCRIPTEN__
    // WebAssembly's file systems have neither the exclusive rename nor hard
    // links; the program is the only writer in its own (the page's), and
    // under Node the look and the rename follow each other at once.
    struct stat existing;
    if (::lstat(to.c_str(), &existing) == 0) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
#else
#ifdef __linux__
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
#endif
    // A file system without the exclusive rename: a new link fails on an existing name too.
    if (::link(from.c_str(), to.c_str()) != 0) return errno;
    ::unlink(from.c_str());
    return 0;
#endif
}

}  // namespace

Failure MoveIntoPlace(const std::string& from, const std::string& to, bool replace) {
    const int error = Rename(from, to, replace);
    if (error == 0) return {};
    return SystemFailure(error == EEXIST ? Reason::Exists : Reason::WriteFailed, error);
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // not every file system can sync a folder; the file itself is synced already
    ::close(fd);
}

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

bool IsAbandoned(const std::string& path, std::time_t seconds) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    const bool abandoned = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                           std::time(nullptr) - info.st_mtime >= seconds && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return abandoned;
}

void OnTermination(void (*cleanup)()) {
    gCleanup = cleanup;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        action.sa_handler = CleanUpAndRaise;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

void RemoveFileNow(const char* path) { ::unlink(path); }

}  // namespace orvik::os
