// The operating-system services the converter needs, behind one small
// interface with a POSIX and a Windows implementation: reading a file,
// file kinds and times, the pieces of an atomic save (an exclusive new file,
// a lock, early disk writes, a sync, a replacing rename that survives a
// crash, a folder sync), the local time, terminals, the processor count, and
// cleanup on termination. Paths are UTF-8 (wide-character paths on Windows).
// Errors are errno values (EACCES, ENOSPC, ...), Windows errors mapped onto
// them, so that every front end words them the same way.
#pragma once

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "failure/Failure.h"

namespace orvik::os {

// A path as the core holds it (UTF-8) as the standard library's path, and
// back: through char8_t, which Windows reads as UTF-8 (a plain string would
// be read in the ANSI code page, losing every name outside it); POSIX
// systems keep the bytes as they are.
inline std::filesystem::path FsPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string Utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Creates the folder and those above it that are missing: 0, or the error
// (an errno value, or the system's code on Windows) when one cannot be made.
inline int CreateFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(FsPath(folder), error);
    return error.value();
}
// The folder that holds the path's last name ("" for a bare name).
inline std::string ParentFolder(const std::string& path) { return Utf8Path(FsPath(path).parent_path()); }
// Whether the path names a folder, or anything at all (following links).
inline bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(FsPath(path), error);
}
inline bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(FsPath(path), error);
}
// The size of the file in bytes, or -1 when it cannot be read.
inline std::int64_t FileSize(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(FsPath(path), error);
    return error ? -1 : static_cast<std::int64_t>(size);
}

// The processors the program may run on, at least 1 (and at most 256).
// WebAssembly built without threads has one.
inline int ProcessorCount() {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    return 1;
#else
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 256u));
#endif
}

using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

enum class Kind { Missing, Regular, Directory, Other };

struct Status {
    Kind kind = Kind::Missing;
    std::int64_t size = 0;
    std::time_t modified = 0;
};

// Opens a file for reading without blocking on a FIFO; kNoHandle and the
// failure (Unreadable; the system's ENOENT when nothing is there, EISDIR
// for a folder) when it cannot be opened.
Handle OpenForReading(const std::string& path, Failure& failure);
// What an open file is; false and the failure (Unreadable) when it cannot be told.
bool StatusOf(Handle handle, Status& status, Failure& failure);
// Up to n bytes; 0 at the end of the file; -1 and the failure (Unreadable).
long ReadSome(Handle handle, char* buffer, std::size_t n, Failure& failure);
void Close(Handle handle);
// Closes a file written and reports what the close said (WriteFailed, or none).
Failure CloseChecked(Handle handle);

// The path itself, not following a last symbolic link (a link is Other);
// Missing and the failure (Unreadable; ENOENT when nothing is there) when it cannot be told.
Kind KindOfPath(const std::string& path, Failure& failure);
// The modification time of the file the path names, if it can be read.
bool ModificationTime(const std::string& path, std::time_t& time);

// What tells one file from every other on the machine, whatever its names:
// the device and inode (Windows: volume serial and file index).
struct FileId {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    friend bool operator==(const FileId&, const FileId&) = default;
};
// The identity of the existing file the path names (following symbolic links).
bool IdentityOf(const std::string& path, FileId& id);
std::tm LocalTime(std::time_t time);

// Writes everything, retrying interrupted and short writes: none or WriteFailed.
Failure WriteAll(Handle handle, std::string_view bytes);
Handle StandardOutput();
Handle StandardError();
bool IsTerminal(Handle handle);

// Creates a new file from `path`, whose last six characters ("XXXXXX") are
// replaced to make the name unique, with the permissions every new file gets
// (POSIX: 0666 less the umask, which is never changed); kNoHandle and the
// failure (WriteFailed) when it cannot be made.
Handle CreateUnique(std::string& path, Failure& failure);
// Replaces the last six characters of `path` by letters and digits drawn
// from `seed`, which it advances: one candidate name for CreateUnique.
inline void NextUniqueName(std::string& path, std::uint64_t& seed) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (std::size_t i = path.size() - 6; i < path.size(); ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        path[i] = kLetters[(seed >> 33) % (sizeof kLetters - 1)];
    }
}
// An exclusive lock, without waiting: false when another holds it.
bool TryLock(Handle handle);
// Starts writing the file's bytes [offset, offset + length) to the disk
// without waiting, so that a later MakeDurable has less left to wait for.
// Only a hint: where the system has no such call it does nothing.
void StartWriteback(Handle handle, std::int64_t offset, std::int64_t length);
// Makes the file's bytes durable: none or WriteFailed.
Failure MakeDurable(Handle handle);
// Puts `from` in the place of `to`, durably: none or WriteFailed. With
// `replace` false an existing `to` is kept (Exists), decided at the moment
// of the rename, so a file that appeared meanwhile is never lost.
Failure MoveIntoPlace(const std::string& from, const std::string& to, bool replace);
// Makes a rename in the folder durable, where the system can.
void SyncFolder(const std::string& folder);
void RemoveFile(const std::string& path);
// The names in the folder ("." for the current one), without "." and "..".
std::vector<std::string> FolderNames(const std::string& folder);
// Whether the file was last written `seconds` ago or earlier, and is not locked by a writer.
bool IsAbandoned(const std::string& path, std::time_t seconds);

// Calls `cleanup` when the process is asked to end (Ctrl+C, termination,
// a closed terminal or console), then ends it as the request would have.
// `cleanup` may only call RemoveFileNow.
void OnTermination(void (*cleanup)());
// Removes a file from within the cleanup: async-signal-safe.
void RemoveFileNow(const char* path);

// The longest path the cleanup list keeps.
inline constexpr std::size_t kMaxPath = 4096;

}  // namespace orvik::os
