#include "dxf/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "dxf/ConversionError.h"
#include "text/Messages.h"

namespace orvik {
namespace {

constexpr std::size_t kNameInTemporary = 64;  // bytes of the output's name kept in the temporary name
constexpr std::string_view kRandomPart = "XXXXXX";
// A temporary file younger than this is never taken for stale: its writer
// may not have locked it yet.
constexpr std::time_t kStaleAfterSeconds = 10;

// The temporary files of saves under way, for the signal handlers, which can
// reach nothing but static storage. A save that finds no free entry is simply
// not cleaned up on a signal; the next save of its output removes it.
struct PendingTemporary {
    std::atomic<bool> taken{false};
    std::atomic<bool> ready{false};
    char path[PATH_MAX]{};
};
std::array<PendingTemporary, 16> gPending;

int Register(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (std::size_t i = 0; i < gPending.size(); ++i) {
        bool expected = false;
        if (!gPending[i].taken.compare_exchange_strong(expected, true)) continue;
        std::memcpy(gPending[i].path, path.c_str(), path.size() + 1);
        gPending[i].ready = true;
        return static_cast<int>(i);
    }
    return -1;
}

void Unregister(int slot) {
    if (slot < 0) return;
    gPending[static_cast<std::size_t>(slot)].ready = false;
    gPending[static_cast<std::size_t>(slot)].taken = false;
}

extern "C" void RemovePendingAndRaise(int signal) {
    for (PendingTemporary& pending : gPending)
        if (pending.ready) ::unlink(pending.path);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The output's name cut to at most kNameInTemporary bytes, not inside a
// UTF-8 sequence.
std::string NamePart(std::string_view name) {
    if (name.size() <= kNameInTemporary) return std::string(name);
    std::size_t cut = kNameInTemporary;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    return std::string(name.substr(0, cut));
}

// Removes ".NAME.??????" files in the folder that no writer holds locked
// and that were not written to for a while: left by a killed save.
void RemoveStaleTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + kRandomPart.size() || !name.starts_with(prefix)) continue;
        const std::string path = folder + std::string(name);
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && now - info.st_mtime >= kStaleAfterSeconds &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

// 0 when the path holds nothing or a regular file; otherwise why it may not
// be replaced (an errno, or -1 for "not a regular file").
int ReplaceableProblem(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(info.st_mode)) return EISDIR;
    return S_ISREG(info.st_mode) ? 0 : -1;
}

std::string ReasonFor(int problem) {
    return problem < 0 ? std::string(kNotRegularFile) : SystemErrorText(problem);
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // not every file system can sync a folder; the file itself is synced already
    ::close(fd);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

}  // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {
    if (const int problem = ReplaceableProblem(path_)) throw ConversionError(CannotCreateFile(path_, ReasonFor(problem)));
    const std::string folder = FolderOf(path_);
    std::string prefix(1, '.');
    prefix += NamePart(std::string_view(path_).substr(folder.size()));
    prefix += '.';
    RemoveStaleTemporaries(folder, prefix);
    temp_ = folder + prefix + std::string(kRandomPart);
    fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
    if (fd_ < 0) throw ConversionError(CannotCreateFile(path_, SystemErrorText(errno)));
    slot_ = Register(temp_);
    ::flock(fd_, LOCK_EX | LOCK_NB);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
    Unregister(slot_);
}

void AtomicFile::Fail(int error) {
    ::close(fd_);
    fd_ = -1;
    throw ConversionError(CannotWriteFile(path_, SystemErrorText(error)));
}

void AtomicFile::Write(std::string_view bytes) {
    if (const int error = WriteAll(fd_, bytes)) Fail(error);
}

void AtomicFile::Commit() {
    if (::fchmod(fd_, 0666 & ~CurrentUmask()) != 0 || ::fsync(fd_) != 0) Fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) throw ConversionError(CannotWriteFile(path_, SystemErrorText(errno)));
    // Something other than a regular file may have appeared since the start.
    if (const int problem = ReplaceableProblem(path_)) throw ConversionError(CannotCreateFile(path_, ReasonFor(problem)));
    if (::rename(temp_.c_str(), path_.c_str()) != 0)
        throw ConversionError(CannotCreateFile(path_, SystemErrorText(errno)));
    temp_.clear();
    Unregister(slot_);
    slot_ = -1;
    SyncFolder(FolderOf(path_));
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat first {}, second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

void RemoveTemporaryFilesOnSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        action.sa_handler = RemovePendingAndRaise;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace orvik
