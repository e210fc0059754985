#include "dxf/DxfText.h"

#include <array>
#include <cctype>

#include "text/Cp932.h"

namespace orvik {
namespace {

// Windows-1252's bytes 0x80..0x9F as Unicode (0: unassigned); the rest is Latin-1.
constexpr std::array<char32_t, 32> k1252High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The 4 hex digits at `at` as a number, or -1.
long Hex4(std::string_view s, std::size_t at) {
    if (at + 4 > s.size()) return -1;
    long v = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
        const int d = HexDigit(s[i]);
        if (d < 0) return -1;
        v = v * 16 + d;
    }
    return v;
}

bool IsCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

bool StartsAt(std::string_view s, std::size_t at, std::string_view what) { return s.substr(at, what.size()) == what; }

// Plain ASCII without escapes, the same in every encoding (most names and
// numbers' texts): taken as it is.
bool Plain(std::string_view value, std::string_view specials) {
    for (const char c : value)
        if (static_cast<unsigned char>(c) >= 0x80 || specials.find(c) != std::string_view::npos) return false;
    return true;
}

}  // namespace

DxfEncoding DxfEncodingOf(std::string_view version, std::string_view codePage) {
    // AC1021 (AutoCAD 2007) and later: UTF-8.
    if (version.size() == 6 && version.substr(0, 2) == "AC" && version.substr(2) >= "1021") return DxfEncoding::Utf8;
    std::string page;
    for (const char c : codePage) page += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (page.empty() || page == "ANSI_932" || page == "DOS932") return DxfEncoding::Cp932;
    if (page == "ANSI_1252") return DxfEncoding::Windows1252;
    return DxfEncoding::Unsupported;
}

std::string DxfTextDecoder::Utf8Of(std::string_view v) {
    std::string out;
    out.reserve(v.size());
    for (std::size_t i = 0; i < v.size();) {
        const auto b = static_cast<unsigned char>(v[i]);
        if (b == '\\' && StartsAt(v, i, "\\U+")) {
            if (const long c = Hex4(v, i + 3); c >= 0) {
                AppendUtf8(out, static_cast<char32_t>(c));
                i += 7;
                continue;
            }
        }
        if (b == '\\' && StartsAt(v, i, "\\M+1")) {
            if (const long c = Hex4(v, i + 4); c >= 0) {
                const char pair[2] = {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
                out += Cp932ToUtf8(std::string_view(pair, 2));
                i += 8;
                continue;
            }
        }
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        switch (encoding_) {
            case DxfEncoding::Utf8: out += static_cast<char>(b), ++i; break;
            case DxfEncoding::Cp932: {
                const std::size_t n = IsCp932Lead(b) && i + 1 < v.size() ? 2 : 1;
                out += Cp932ToUtf8(v.substr(i, n));
                i += n;
                break;
            }
            case DxfEncoding::Windows1252: {
                const char32_t c = b < 0xA0 ? k1252High[b - 0x80] : b;
                AppendUtf8(out, c ? c : U'?');
                replaced_ += c ? 0 : 1;
                ++i;
                break;
            }
            case DxfEncoding::Unsupported: out += '?', ++replaced_, ++i; break;
        }
    }
    return out;
}

std::string DxfTextDecoder::Cp932Of(const std::string& utf8) {
    if (Plain(utf8, {})) return utf8;
    std::size_t replaced = 0;
    std::string text = Utf8ToCp932(utf8, &replaced);
    replaced_ += static_cast<std::int64_t>(replaced);
    return text;
}

std::string DxfTextDecoder::Name(std::string_view value) {
    return Plain(value, "\\") ? std::string(value) : Cp932Of(Utf8Of(value));
}

std::string DxfTextDecoder::Text(std::string_view value) {
    if (Plain(value, "\\%")) return std::string(value);
    const std::string utf8 = Utf8Of(value);
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '%' || !StartsAt(utf8, i, "%%") || i + 2 >= utf8.size()) {
            out += utf8[i];
            continue;
        }
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(utf8[i + 2])));
        if (c == 'c')
            out += "\xCF\x86";  // φ: JW_CAD's users write diameters so
        else if (c == 'd')
            out += "\xC2\xB0";  // °
        else if (c == 'p')
            out += "\xC2\xB1";  // ±
        else if (c == '%')
            out += '%';
        else if (c != 'u' && c != 'o' && c != 'k') {
            out += utf8[i];
            continue;
        }
        i += 2;
    }
    return Cp932Of(out);
}

std::vector<std::string> DxfTextDecoder::MtextLines(std::string_view value) {
    const std::string utf8 = Utf8Of(value);
    std::vector<std::string> lines(1);
    const auto skipTo = [&](std::size_t& i, char end) {
        const std::size_t at = utf8.find(end, i);
        i = at == std::string::npos ? utf8.size() : at;
    };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '{' || c == '}') continue;
        if (c == '\n') {
            lines.emplace_back();
            continue;
        }
        if (c != '\\' || i + 1 >= utf8.size()) {
            lines.back() += c;
            continue;
        }
        const char code = utf8[++i];
        switch (code) {
            case 'P':
            case 'X': lines.emplace_back(); break;
            case '~': lines.back() += ' '; break;
            case '\\':
            case '{':
            case '}': lines.back() += code; break;
            case 'S': {  // stacked: "1^2;" or "1/2;" or "1#2;" as "1/2"
                const std::size_t start = i + 1;
                skipTo(i, ';');
                std::string stacked = utf8.substr(start, i - start);
                for (char& s : stacked)
                    if (s == '^' || s == '#') s = '/';
                lines.back() += stacked;
                break;
            }
            case 'A':
            case 'C':
            case 'c':
            case 'F':
            case 'f':
            case 'H':
            case 'Q':
            case 'T':
            case 'W':
            case 'p': skipTo(i, ';'); break;
            default: break;  // \L \l \O \o \K \k \N and unknown ones: no text of their own
        }
    }
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const std::string& line : lines) out.push_back(Cp932Of(line));
    return out;
}

}  // namespace orvik
