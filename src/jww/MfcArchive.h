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

#include <cstdint>
#include <string>
#include <string_view>

namespace orvik {

inline constexpr std::uint16_t kMfcNullTag = 0;
inline constexpr std::uint16_t kMfcNewClassTag = 0xFFFF;
inline constexpr std::uint16_t kMfcClassTag = 0x8000;
inline constexpr std::uint16_t kMfcBigObjectTag = 0x7FFF;
inline constexpr std::uint32_t kMfcBigClassTag = 0x80000000;

// Reading an archive held in memory. Every read checks the bytes left and
// throws ArchiveEnd at the end of the data; nothing is allocated for a
// length the data cannot hold.
class ArchiveReader {
public:
    struct End {};  // what is asked for goes past the end of the data

    explicit ArchiveReader(std::string_view data) : data_(data) {}

    std::int64_t Position() const { return static_cast<std::int64_t>(at_); }
    std::int64_t Remaining() const { return static_cast<std::int64_t>(data_.size() - at_); }

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    double F64();
    std::string_view Bytes(std::size_t n);
    std::uint32_t Count();
    // A CString as CP932; UTF-16 characters CP932 cannot hold become "?" and are counted.
    std::string String();
    std::size_t ReplacedCharacters() const { return replaced_; }

private:
    template <class T>
    T Load();

    std::string_view data_;
    std::size_t at_ = 0;
    std::size_t replaced_ = 0;
};

}  // namespace orvik
