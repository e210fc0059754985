#include "text/Cp932.h"

namespace orvik {

std::size_t Utf8SequenceLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s.front());
    const std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    for (std::size_t i = 1; i < n; ++i)
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return i;
    return n;
}

std::string PrintableName(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x20 || byte == 0x7F) {
            out += '^';
            out += static_cast<char>(byte ^ 0x40);
        } else if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0 &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80) {
            static constexpr char kDigits[] = "0123456789abcdef";
            const auto code = static_cast<unsigned char>(utf8[++i]);
            out += "\\u00";
            out += kDigits[code >> 4];
            out += kDigits[code & 0xF];
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

}  // namespace orvik
