#include "jww/MfcArchive.h"

#include <bit>
#include <cstring>

#include "text/Cp932.h"

namespace orvik {
namespace {

std::uint64_t Little(std::string_view bytes) {
    std::uint64_t v = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[i]);
    return v;
}

}  // namespace

void ArchiveReader::Refill(std::size_t n) {
    if (!source_ || n > static_cast<std::size_t>(Remaining())) throw End{};
    const std::size_t kept = data_.size() - at_;
    const std::size_t capacity = std::max(kChunk, n);
    // The bytes not read yet go to the buffer's front (none at the start,
    // when there is no buffer to copy from).
    if (buffer_.size() < capacity) {
        std::string larger(capacity, '\0');
        if (kept > 0) std::memcpy(larger.data(), data_.data() + at_, kept);
        buffer_ = std::move(larger);
    } else if (kept > 0) {
        std::memmove(buffer_.data(), data_.data() + at_, kept);
    }
    base_ += at_;
    at_ = 0;
    std::size_t filled = kept;
    const std::size_t wanted = std::min(buffer_.size(), static_cast<std::size_t>(Remaining()));
    while (filled < wanted) {
        const std::size_t got = source_(buffer_.data() + filled, wanted - filled);
        if (got == 0) break;
        filled += got;
    }
    data_ = std::string_view(buffer_.data(), filled);
    if (filled < n) throw End{};  // the source ended early: the file got shorter
}

std::string_view ArchiveReader::Bytes(std::size_t n) {
    if (n > data_.size() - at_) Refill(n);
    const std::string_view bytes = data_.substr(at_, n);
    at_ += n;
    return bytes;
}

// The archive's little-endian numbers are the machine's own on every system ORVIK is built for.
static_assert(std::endian::native == std::endian::little);

template <class T>
T ArchiveReader::Load() {
    if (sizeof(T) > data_.size() - at_) Refill(sizeof(T));
    T v;
    std::memcpy(&v, data_.data() + at_, sizeof v);
    at_ += sizeof v;
    return v;
}

std::uint8_t ArchiveReader::U8() { return Load<std::uint8_t>(); }
std::uint16_t ArchiveReader::U16() { return Load<std::uint16_t>(); }
std::uint32_t ArchiveReader::U32() { return Load<std::uint32_t>(); }
double ArchiveReader::F64() { return Load<double>(); }

std::uint32_t ArchiveReader::Count() {
    const std::uint16_t count = U16();
    return count == 0xFFFF ? U32() : count;
}

std::string ArchiveReader::String() {
    std::string form;  // the length bytes as read, when strings are kept
    const auto keep = [&](std::uint64_t v, int n) {
        if (keepStrings_)
            for (int i = 0; i < n; ++i) form += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    // The length scheme, with the UTF-16 mark (FF FE FF) in front of it.
    const auto length = [&](bool& wide) -> std::uint32_t {
        const std::uint8_t byte = U8();
        keep(byte, 1);
        if (byte < 0xFF) return byte;
        const std::uint16_t word = U16();
        keep(word, 2);
        if (word == 0xFFFE && !wide) {
            wide = true;
            return std::uint32_t{0xFFFFFFFF};  // the length follows
        }
        if (word < 0xFFFF) return word;
        const std::uint32_t n = U32();
        keep(n, 4);
        return n;
    };
    bool wide = false;
    std::uint32_t n = length(wide);
    if (n == 0xFFFFFFFF && wide) n = length(wide);
    std::string text;
    std::string_view body;
    if (!wide) {
        body = Bytes(n);
        text = std::string(body);
    } else {
        if (n > static_cast<std::size_t>(Remaining()) / 2) throw End{};
        body = Bytes(std::size_t{n} * 2);
        std::u16string utf16(n, u'\0');
        for (std::uint32_t i = 0; i < n; ++i)
            utf16[i] = static_cast<char16_t>(Little(body.substr(std::size_t{i} * 2, 2)));
        text = Utf16ToCp932(utf16, replaced_);
    }
    if (keepStrings_) {
        if (stringsRead_ == 0) firstWide_ = wide;
        form += body;
        if (form != ArchiveString(text, firstWide_)) kept_.push_back({stringsRead_, std::move(form)});
        ++stringsRead_;
    }
    return text;
}

namespace {

void AppendLittle(std::string& out, std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void AppendLength(std::string& out, std::uint32_t n) {
    if (n < 0xFF) {
        AppendLittle(out, n, 1);
    } else if (n < 0xFFFE) {
        AppendLittle(out, 0xFF, 1);
        AppendLittle(out, n, 2);
    } else {
        AppendLittle(out, 0xFF, 1);
        AppendLittle(out, 0xFFFF, 2);
        AppendLittle(out, n, 4);
    }
}

}  // namespace

std::string ArchiveString(std::string_view cp932, bool utf16) {
    std::string out;
    if (!utf16) {
        AppendLength(out, static_cast<std::uint32_t>(cp932.size()));
        out += cp932;
        return out;
    }
    const std::u16string text = Cp932ToUtf16(cp932);
    out += "\xFF\xFE\xFF";
    AppendLength(out, static_cast<std::uint32_t>(text.size()));
    for (const char16_t c : text) AppendLittle(out, c, 2);
    return out;
}

void ArchiveWriter::F64(double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    Little(bits, 8);
}

void ArchiveWriter::Count(std::uint32_t n) {
    if (n < 0xFFFF) {
        U16(static_cast<std::uint16_t>(n));
    } else {
        U16(0xFFFF);
        U32(n);
    }
}

}  // namespace orvik
