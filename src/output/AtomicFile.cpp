#include "output/AtomicFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "failure/Failure.h"
#include "os/System.h"
#include "text/Messages.h"

namespace orvik {
namespace {

constexpr std::size_t kNameInTemporary = 64;
#ifdef _WIN32
constexpr const char* kSeparators = "/\\";
#else
constexpr const char* kSeparators = "/";
#endif  // bytes of the output's name kept in the temporary name
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
    char path[os::kMaxPath]{};
};
std::array<PendingTemporary, 16> gPending;

int Register(const std::string& path) {
    if (path.size() >= os::kMaxPath) return -1;
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

void RemovePending() {
    for (PendingTemporary& pending : gPending)
        if (pending.ready) os::RemoveFileNow(pending.path);
}

// The output's name cut to at most kNameInTemporary bytes, not inside a
// UTF-8 sequence.
std::string NamePart(std::string_view name) {
    if (name.size() <= kNameInTemporary) return std::string(name);
    std::size_t cut = kNameInTemporary;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    return std::string(name.substr(0, cut));
}

// 0 when the path holds nothing or a regular file; otherwise why it may not
// be replaced (an errno, or -1 for "not a regular file").
int ReplaceableProblem(const std::string& path) {
    Failure failure;
    switch (os::KindOfPath(path, failure)) {
        case os::Kind::Missing: return failure.systemError == ENOENT ? 0 : failure.systemError;
        case os::Kind::Directory: return EISDIR;
        case os::Kind::Regular: return 0;
        case os::Kind::Other: break;
    }
    return -1;
}

std::string ReasonFor(int problem) { return problem < 0 ? std::string(kNotRegularFile) : SystemErrorText(problem); }

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of(kSeparators);
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// The temporary files' path up to the random part: "FOLDER/.NAME.".
std::string TemporaryPrefix(const std::string& output) {
    const std::string folder = FolderOf(output);
    return folder + '.' + NamePart(std::string_view(output).substr(folder.size())) + '.';
}

constexpr std::int64_t kWritebackStep = std::int64_t{8} << 20;

}  // namespace

// Removes ".NAME.??????" files in the folder that no writer holds locked
// and that were not written to for a while.
void RemoveStaleTemporaryFiles(const std::string& output) {
    const std::string folder = FolderOf(output);
    const std::string prefix = TemporaryPrefix(output).substr(folder.size());
    for (const std::string& name : os::FolderNames(folder)) {
        if (name.size() != prefix.size() + kRandomPart.size() || !name.starts_with(prefix)) continue;
        const std::string path = folder + name;
        if (os::IsAbandoned(path, kStaleAfterSeconds)) os::RemoveFile(path);
    }
}

void AtomicFile::CheckRules() const {
    os::FileId id;
    if (!os::IdentityOf(path_, id)) return;
    for (const os::FileId& input : rules_.protectedFiles)
        if (id == input) throw FailureError(Reason::OutputIsInput, CannotCreateFile(path_, kSameFileAsInput));
    if (!rules_.replaceExisting) throw FailureError(Reason::Exists, CannotCreateFile(path_, kAlreadyExists));
}

AtomicFile::AtomicFile(std::string path, SaveRules rules) : path_(std::move(path)), rules_(std::move(rules)) {
    CheckRules();
    if (const int problem = ReplaceableProblem(path_))
        throw FailureError(Reason::WriteFailed, CannotCreateFile(path_, ReasonFor(problem)));
    RemoveStaleTemporaryFiles(path_);
    temp_ = TemporaryPrefix(path_) + std::string(kRandomPart);
    Failure failure;
    handle_ = os::CreateUnique(temp_, failure);
    if (handle_ == os::kNoHandle) {
        temp_.clear();
        throw FailureError(Reason::WriteFailed, CannotCreateFile(path_, SystemErrorText(failure.systemError)));
    }
    slot_ = Register(temp_);
    os::TryLock(handle_);
}

AtomicFile::~AtomicFile() {
    os::Close(handle_);
    if (!temp_.empty()) os::RemoveFile(temp_);
    Unregister(slot_);
}

void AtomicFile::Fail(const Failure& failure) {
    os::Close(handle_);
    handle_ = os::kNoHandle;
    throw FailureError(Reason::WriteFailed, CannotWriteFile(path_, SystemErrorText(failure.systemError)));
}

void AtomicFile::Write(std::string_view bytes) {
    if (const Failure failure = os::WriteAll(handle_, bytes); failure.reason != Reason::None) Fail(failure);
    written_ += static_cast<std::int64_t>(bytes.size());
    // The disk writes start as the file grows, so the sync at the end waits
    // only for the last of them.
    if (written_ - writebackFrom_ >= kWritebackStep) {
        os::StartWriteback(handle_, writebackFrom_, written_ - writebackFrom_);
        writebackFrom_ = written_;
    }
}

void AtomicFile::Commit() {
    if (const Failure failure = os::MakeDurable(handle_); failure.reason != Reason::None) Fail(failure);
    const Failure closed = os::CloseChecked(handle_);
    handle_ = os::kNoHandle;
    if (closed.reason != Reason::None)
        throw FailureError(Reason::WriteFailed, CannotWriteFile(path_, SystemErrorText(closed.systemError)));
    // Something other than a regular file may have appeared since the start.
    CheckRules();
    if (const int problem = ReplaceableProblem(path_))
        throw FailureError(Reason::WriteFailed, CannotCreateFile(path_, ReasonFor(problem)));
    if (const Failure moved = os::MoveIntoPlace(temp_, path_, rules_.replaceExisting); moved.reason != Reason::None) {
        if (moved.reason == Reason::Exists) throw FailureError(Reason::Exists, CannotCreateFile(path_, kAlreadyExists));
        throw FailureError(Reason::WriteFailed, CannotCreateFile(path_, SystemErrorText(moved.systemError)));
    }
    temp_.clear();
    Unregister(slot_);
    slot_ = -1;
    os::SyncFolder(FolderOf(path_));
}

void SaveFile(const std::string& path, std::string_view bytes, const SaveRules& rules) {
    AtomicFile file(path, rules);
    file.Write(bytes);
    file.Commit();
}

void RemoveTemporaryFilesOnSignals() { os::OnTermination(RemovePending); }

}  // namespace orvik
