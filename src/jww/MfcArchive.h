// MFC's archive format (CArchive), as JW_CAD writes its JWW files.
//
// Numbers are little-endian. A count (CObList::Serialize) is a 16-bit word,
// or 0xFFFF and a 32-bit count. A string (CString) has a length byte; 0xFF
// and a 16-bit length; 0xFFFF and a 32-bit length. FF FE FF marks UTF-16LE
// text, followed by the same length scheme counting characters. An object
// pointer starts with a 16-bit tag: 0 null; 0xFFFF a new class (schema
// word, name length word, ASCII name) whose object follows; 0x8000 | n an
// object of the class with index n; 0x7FFF a 32-bit tag (0x80000000 | n a
// class, else an object); any other n the object already read with index n.
// Classes and objects share one running index from 1 across the archive.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvik {

inline constexpr std::uint16_t kMfcNullTag = 0;
inline constexpr std::uint16_t kMfcNewClassTag = 0xFFFF;
inline constexpr std::uint16_t kMfcClassTag = 0x8000;
inline constexpr std::uint16_t kMfcBigObjectTag = 0x7FFF;
inline constexpr std::uint32_t kMfcBigClassTag = 0x80000000;

// A string of the archive kept as its bytes (from its length on): the
// `index`-th string read.
struct ArchiveStringBytes {
    std::uint32_t index = 0;
    std::string bytes;
};

// Where an archive's bytes come from when they are not all in memory: puts
// up to `n` further bytes into `buffer` and returns how many (0 at the end).
using ArchiveSource = std::function<std::size_t(char* buffer, std::size_t n)>;

// Reading an archive, held in memory or read piece by piece from a source
// (a file is never held whole). Every read checks the bytes left and throws
// End at the end of the data; nothing is allocated for a length the data
// cannot hold. The views Bytes() returns last until the next read.
class ArchiveReader {
public:
    struct End {};  // what is asked for goes past the end of the data

    explicit ArchiveReader(std::string_view data) : data_(data), size_(data.size()) {}
    // `size` bytes from `source`, kChunk at a time.
    ArchiveReader(std::int64_t size, ArchiveSource source)
        : size_(static_cast<std::size_t>(std::max<std::int64_t>(size, 0))), source_(std::move(source)) {}

    static constexpr std::size_t kChunk = 1 << 20;

    std::int64_t Position() const { return static_cast<std::int64_t>(base_ + at_); }
    std::int64_t Remaining() const { return static_cast<std::int64_t>(size_ - base_ - at_); }

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    double F64();
    std::string_view Bytes(std::size_t n);
    std::uint32_t Count();
    // A CString as CP932; UTF-16 characters CP932 cannot hold become "?" and are counted.
    std::string String();
    std::size_t ReplacedCharacters() const { return replaced_; }

    // With KeepStrings on, every string read is numbered from 0 and those
    // whose bytes ArchiveString would not give back (another encoding than
    // the first string's, characters CP932 cannot hold, a longer length
    // form) are kept as the archive holds them, for writing the file back.
    void KeepStrings() { keepStrings_ = true; }
    bool FirstStringWide() const { return firstWide_; }
    std::vector<ArchiveStringBytes> TakeKeptStrings() { return std::move(kept_); }

private:
    template <class T>
    T Load();
    // Makes at least `n` bytes available from at_ on, or throws End.
    void Refill(std::size_t n);

    std::string_view data_;  // the bytes at hand: all of them, or the buffer's
    std::size_t at_ = 0;  // in data_
    std::size_t base_ = 0;  // the position of data_'s first byte
    std::size_t size_;  // of the whole archive
    ArchiveSource source_;
    std::string buffer_;
    std::size_t replaced_ = 0;
    bool keepStrings_ = false;
    bool firstWide_ = false;
    std::uint32_t stringsRead_ = 0;
    std::vector<ArchiveStringBytes> kept_;
};

// A CString as the archive holds it: the shortest length form, the UTF-16
// mark and UTF-16LE characters when `utf16`, else the CP932 bytes.
std::string ArchiveString(std::string_view cp932, bool utf16);

// Writing an archive: numbers little-endian, counts and strings in the
// shortest form MFC writes, appended to `out`.
class ArchiveWriter {
public:
    explicit ArchiveWriter(std::string& out) : out_(out) {}
    void U8(std::uint8_t v) { Little(v, 1); }
    void U16(std::uint16_t v) { Little(v, 2); }
    void U32(std::uint32_t v) { Little(v, 4); }
    void F64(double v);
    void Bytes(std::string_view bytes) { out_ += bytes; }
    void Count(std::uint32_t n);
    void String(std::string_view cp932, bool utf16) { out_ += ArchiveString(cp932, utf16); }

private:
    // The low `n` bytes of `v`, little-endian (the machine's own order).
    void Little(std::uint64_t v, int n) {
        char bytes[8];
        std::memcpy(bytes, &v, sizeof bytes);
        out_.append(bytes, static_cast<std::size_t>(n));
    }
    std::string& out_;
};

}  // namespace orvik
