// CP932 ↔ UTF-8 with glibc's iconv (POSIX systems).
#include "text/Cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace orvik {
namespace {

// One iconv conversion; `replacement` stands for each input unit that cannot
// be converted, and `skip` tells how many input bytes that unit spans.
template <class Skip>
std::string Convert(const char* to, const char* from, std::string_view input, std::string_view replacement, Skip skip,
                    std::size_t* replaced = nullptr) {
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    std::string out;
    out.reserve(input.size() * 3 / 2 + 4);
    char buffer[4096];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t r = ::iconv(cd, &in, &inLeft, &dst, &dstLeft);
        const int err = errno;
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (r != static_cast<std::size_t>(-1) || err == E2BIG) continue;
        // EILSEQ (invalid or unmappable) or EINVAL (cut short at the end).
        out += replacement;
        if (replaced) ++*replaced;
        const std::size_t n = std::min(inLeft, skip(std::string_view(in, inLeft)));
        in += n;
        inLeft -= n;
    }
    ::iconv_close(cd);
    return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t{1}; });
}

std::string Utf8ToCp932(std::string_view utf8, std::size_t* replaced) {
    return Convert("CP932", "UTF-8", utf8, "?", Utf8SequenceLength, replaced);
}

}  // namespace orvik
