#include "text/Cp932Tables.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "text/Cp932.h"
#include "text/Cp932Data.h"

namespace orvik::cp932_tables {
namespace {

using namespace cp932_data;

// The character a whole UTF-8 sequence of `n` bytes stands for, or none when
// it is overlong, a surrogate or past U+10FFFF.
bool DecodeUtf8(std::string_view s, std::size_t n, char32_t& c) {
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    const auto lead = static_cast<unsigned char>(s[0]);
    if (n == 1) {
        c = lead;
        return lead < 0x80;
    }
    const std::size_t full = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 0;
    if (full != n) return false;
    c = lead & kLeadMask[n];
    for (std::size_t i = 1; i < n; ++i) c = c << 6 | (static_cast<unsigned char>(s[i]) & 0x3F);
    return c >= kSmallest[n] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// Every character's code, sorted by character: the first code that decodes
// to it, then the exceptions.
std::vector<std::pair<char32_t, std::uint16_t>> MakeEncoding() {
    std::vector<std::pair<char32_t, std::uint16_t>> codes;
    for (int b = 0; b < 256; ++b)
        if (kSingleByte[b] != kNone) codes.emplace_back(kSingleByte[b], static_cast<std::uint16_t>(b));
    for (int lead = 0; lead < kLeadBytes; ++lead)
        for (int trail = 0; trail < kTrailBytes; ++trail)
            if (kDoubleByte[lead][trail] != kNone)
                codes.emplace_back(kDoubleByte[lead][trail],
                                   static_cast<std::uint16_t>(LeadByte(lead) << 8 | (trail + kFirstTrail)));
    std::stable_sort(codes.begin(), codes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    codes.erase(
        std::unique(codes.begin(), codes.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
        codes.end());
    for (std::size_t i = 0; i < kEncodeExceptionCount; ++i) {
        const EncodeException& e = kEncodeExceptions[i];
        const auto at =
            std::lower_bound(codes.begin(), codes.end(), std::pair{char32_t{e.character}, std::uint16_t{0}});
        if (at != codes.end() && at->first == e.character)
            at->second = e.code;
        else
            codes.insert(at, {e.character, e.code});
    }
    return codes;
}

}  // namespace

std::string ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() * 3 / 2 + 4);
    for (std::size_t i = 0; i < cp932.size();) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        std::uint16_t c = kSingleByte[b];
        std::size_t n = 1;
        if (IsLeadByte(b) && i + 1 < cp932.size()) {
            const auto trail = static_cast<unsigned char>(cp932[i + 1]);
            if (trail >= kFirstTrail && trail < kFirstTrail + kTrailBytes) {
                c = kDoubleByte[LeadIndex(b)][trail - kFirstTrail];
                n = 2;
            }
        }
        if (c == kNone) {
            out += "\xEF\xBF\xBD";  // one per byte skipped
            ++i;
        } else {
            AppendUtf8(out, c);
            i += n;
        }
    }
    return out;
}

std::string FromUtf8(std::string_view utf8, std::size_t* replaced) {
    static const std::vector<std::pair<char32_t, std::uint16_t>> kEncoding = MakeEncoding();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8SequenceLength(utf8.substr(i));
        char32_t c = 0;
        std::uint16_t code = kNone;
        if (DecodeUtf8(utf8.substr(i), n, c)) {
            const auto at = std::lower_bound(kEncoding.begin(), kEncoding.end(), std::pair{c, std::uint16_t{0}});
            if (at != kEncoding.end() && at->first == c) code = at->second;
        }
        if (code == kNone) {
            out += '?';
            if (replaced) ++*replaced;
        } else if (code != kDropped) {
            if (code > 0xFF) out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        }
        i += n;
    }
    return out;
}

}  // namespace orvik::cp932_tables
