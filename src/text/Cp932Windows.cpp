// CP932 ↔ UTF-8 with the Windows code-page API (code page 932), character by
// character, so that a byte or character that cannot be converted is
// replaced as on the other systems.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "text/Cp932.h"

namespace orvik {
namespace {

constexpr UINT kCp932 = 932;

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

void AppendUtf8(std::string& out, const wchar_t* wide, int n) {
    char buffer[16];
    const int m = ::WideCharToMultiByte(CP_UTF8, 0, wide, n, buffer, sizeof buffer, nullptr, nullptr);
    out.append(buffer, static_cast<std::size_t>(m));
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() * 3 / 2 + 4);
    for (std::size_t i = 0; i < cp932.size();) {
        const std::size_t n = IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
        wchar_t wide[2];
        const int m =
            ::MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, cp932.data() + i, static_cast<int>(n), wide, 2);
        if (m > 0) {
            AppendUtf8(out, wide, m);
            i += n;
        } else {
            out += "\xEF\xBF\xBD";  // one per byte skipped
            ++i;
        }
    }
    return out;
}

std::string Utf8ToCp932(std::string_view utf8, std::size_t* replaced) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8SequenceLength(utf8.substr(i));
        wchar_t wide[2];
        const int m =
            ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data() + i, static_cast<int>(n), wide, 2);
        char bytes[8];
        BOOL lossy = FALSE;
        const int k =
            m > 0 ? ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide, m, bytes, sizeof bytes, nullptr, &lossy)
                  : 0;
        if (k > 0 && !lossy) {
            out.append(bytes, static_cast<std::size_t>(k));
        } else {
            out += '?';
            if (replaced) ++*replaced;
        }
        i += n;
    }
    return out;
}

}  // namespace orvik
