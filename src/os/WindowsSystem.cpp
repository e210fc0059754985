// The operating-system services on Windows: wide-character paths, Windows
// errors mapped onto errno values, and a replacing rename that survives a
// crash (MoveFileExW with write-through).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cerrno>
#include <ctime>

#include "os/System.h"

namespace orvik::os {
namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE: return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_INVALID_NAME: return EINVAL;
        case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
        case ERROR_WRITE_PROTECT: return EROFS;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return ENOMEM;
        case ERROR_DIRECTORY: return ENOTDIR;
        default: return EIO;
    }
}

HANDLE Native(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
Handle Ours(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? kNoHandle : reinterpret_cast<Handle>(handle); }

std::time_t TimeOf(const FILETIME& time) {
    // 100-nanosecond intervals since 1601-01-01 to seconds since 1970-01-01.
    const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::time_t>(ticks / 10000000ULL - 11644473600ULL);
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

void (*gCleanup)() = nullptr;

BOOL WINAPI OnConsoleControl(DWORD) {
    if (gCleanup) gCleanup();
    return FALSE;  // the default handler ends the process
}

}  // namespace

Handle OpenForReading(const std::string& path, Failure& failure) {
    // Folders open too (backup semantics), so that they are told apart by their kind.
    const HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) failure = SystemFailure(Reason::Unreadable, ErrnoOf(::GetLastError()));
    return Ours(h);
}

bool StatusOf(Handle handle, Status& status, Failure& failure) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(Native(handle), &info)) {
        failure = SystemFailure(Reason::Unreadable, ErrnoOf(::GetLastError()));
        return false;
    }
    const bool folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.kind = folder                                            ? Kind::Directory
                  : ::GetFileType(Native(handle)) == FILE_TYPE_DISK ? Kind::Regular
                                                                    : Kind::Other;
    status.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    status.modified = TimeOf(info.ftLastWriteTime);
    return true;
}

long ReadSome(Handle handle, char* buffer, std::size_t n, Failure& failure) {
    DWORD got = 0;
    const DWORD wanted = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
    if (!::ReadFile(Native(handle), buffer, wanted, &got, nullptr)) {
        failure = SystemFailure(Reason::Unreadable, ErrnoOf(::GetLastError()));
        return -1;
    }
    return static_cast<long>(got);
}

void Close(Handle handle) {
    if (handle != kNoHandle) ::CloseHandle(Native(handle));
}

Failure CloseChecked(Handle handle) {
    return ::CloseHandle(Native(handle)) ? Failure{} : SystemFailure(Reason::WriteFailed, ErrnoOf(::GetLastError()));
}

Kind KindOfPath(const std::string& path, Failure& failure) {
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        failure = SystemFailure(Reason::Unreadable, ErrnoOf(::GetLastError()));
        return Kind::Missing;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Kind::Other;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::Directory : Kind::Regular;
}

bool ModificationTime(const std::string& path, std::time_t& time) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return false;
    time = TimeOf(data.ftLastWriteTime);
    return true;
}

bool IdentityOf(const std::string& path, FileId& id) {
    const HANDLE h =
        ::CreateFileW(Wide(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(h, &info) != 0;
    ::CloseHandle(h);
    if (known)
        id = {info.dwVolumeSerialNumber, (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    return known;
}

std::tm LocalTime(std::time_t time) {
    std::tm local{};
    ::localtime_s(&local, &time);
    return local;
}

Failure WriteAll(Handle handle, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
        if (!::WriteFile(Native(handle), bytes.data(), chunk, &written, nullptr))
            return SystemFailure(Reason::WriteFailed, ErrnoOf(::GetLastError()));
        if (written == 0) return SystemFailure(Reason::WriteFailed, EIO);
        bytes.remove_prefix(written);
    }
    return {};
}

Handle StandardOutput() { return Ours(::GetStdHandle(STD_OUTPUT_HANDLE)); }
Handle StandardError() { return Ours(::GetStdHandle(STD_ERROR_HANDLE)); }

bool IsTerminal(Handle handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(Native(handle), &mode) != 0;
}

Handle CreateUnique(std::string& path, Failure& failure) {
    std::uint64_t seed = ::GetTickCount64() ^ (static_cast<std::uint64_t>(::GetCurrentProcessId()) << 32) ^
                         reinterpret_cast<std::uintptr_t>(&path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        NextUniqueName(path, seed);
        // Others may look at it (to see whether a writer still holds it), not write it.
        const HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return Ours(h);
        const DWORD e = ::GetLastError();
        if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) {
            failure = SystemFailure(Reason::WriteFailed, ErrnoOf(e));
            return kNoHandle;
        }
    }
    failure = SystemFailure(Reason::WriteFailed, EEXIST);
    return kNoHandle;
}

bool TryLock(Handle handle) {
    OVERLAPPED at{};
    return ::LockFileEx(Native(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                        &at) != 0;
}

void StartWriteback(Handle, std::int64_t, std::int64_t) {}  // FlushFileBuffers at the end does it all

Failure MakeDurable(Handle handle) {
    return ::FlushFileBuffers(Native(handle)) ? Failure{}
                                              : SystemFailure(Reason::WriteFailed, ErrnoOf(::GetLastError()));
}

Failure MoveIntoPlace(const std::string& from, const std::string& to, bool replace) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), flags)) return {};
    const int error = ErrnoOf(::GetLastError());
    return SystemFailure(error == EEXIST ? Reason::Exists : Reason::WriteFailed, error);
}

void SyncFolder(const std::string&) {}  // MoveFileExW's write-through covers the rename

void RemoveFile(const std::string& path) { ::DeleteFileW(Wide(path).c_str()); }

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE find = ::FindFirstFileW(Wide((folder.empty() ? std::string(".\\") : folder) + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const int n =
            ::WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(n), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), utf8.data(), n, nullptr, nullptr);
        names.push_back(std::move(utf8));
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return names;
}

bool IsAbandoned(const std::string& path, std::time_t seconds) {
    const HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    OVERLAPPED at{};
    const bool abandoned =
        ::GetFileInformationByHandle(h, &info) &&
        !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
        std::time(nullptr) - TimeOf(info.ftLastWriteTime) >= seconds &&
        ::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &at);
    ::CloseHandle(h);
    return abandoned;
}

void OnTermination(void (*cleanup)()) {
    gCleanup = cleanup;
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void RemoveFileNow(const char* path) { ::DeleteFileW(Wide(path).c_str()); }

}  // namespace orvik::os
