// Prints text/Cp932Data.cpp: CP932 as glibc's iconv converts it, as tables,
// for builds without iconv (WebAssembly). Run on Linux:
//   orvik-make-cp932-tables > src/text/Cp932Data.cpp
// The text tests compare the tables with iconv over every input.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr bool IsLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// One conversion of `in`: the UTF-16 unit or CP932 code it gives, -1 when it
// fails, -2 when it gives nothing (iconv drops the tag characters).
long Convert(iconv_t cd, const char* bytes, std::size_t size, bool toUtf16) {
    char out[8];
    char* in = const_cast<char*>(bytes);
    char* at = out;
    std::size_t inLeft = size, outLeft = sizeof out;
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (::iconv(cd, &in, &inLeft, &at, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) return -1;
    const auto* u = reinterpret_cast<const unsigned char*>(out);
    const std::size_t n = sizeof out - outLeft;
    if (n == 0) return -2;
    if (toUtf16) return n == 2 ? long{u[0]} | long{u[1]} << 8 : -1;
    return n == 1 ? long{u[0]} : n == 2 ? long{u[0]} << 8 | u[1] : -1;
}

}  // namespace

int main() {
    iconv_t decode = ::iconv_open("UTF-16LE", "CP932");
    iconv_t encode = ::iconv_open("CP932", "UTF-32LE");
    if (decode == reinterpret_cast<iconv_t>(-1) || encode == reinterpret_cast<iconv_t>(-1)) return 1;

    std::vector<long> single(256, -1);
    std::vector<std::vector<long>> pairs;
    std::map<std::uint32_t, long> decoded;  // the first code that decodes to each character
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        if (IsLead(b)) continue;
        single[b] = Convert(decode, &byte, 1, true);
        if (single[b] >= 0) decoded.emplace(single[b], b);
    }
    for (int lead = 0; lead < 256; ++lead) {
        if (!IsLead(lead)) continue;
        pairs.emplace_back();
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
            const long unit = Convert(decode, bytes, 2, true);
            pairs.back().push_back(unit);
            if (unit >= 0) decoded.emplace(unit, lead << 8 | trail);
        }
    }
    // Where iconv's encoder differs from the first code that decodes to a
    // character: another of its codes, or a character no code decodes to.
    std::vector<std::pair<std::uint32_t, long>> exceptions;
    for (std::uint32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const char utf32[] = {static_cast<char>(c), static_cast<char>(c >> 8), static_cast<char>(c >> 16), 0};
        const long code = Convert(encode, utf32, 4, false);
        const auto found = decoded.find(c);
        const long first = found == decoded.end() ? -1 : found->second;
        if (code != first) exceptions.emplace_back(c, code);
    }

    std::printf(
        "// CP932 as glibc's iconv converts it (made by tools/MakeCp932Tables.cpp;\n"
        "// the text tests compare these tables with iconv over every input).\n"
        "#include \"text/Cp932Data.h\"\n\nnamespace orvik::cp932_data {\n\n// clang-format off\n"
        "const std::uint16_t kSingleByte[256] = {");
    for (int b = 0; b < 256; ++b)
        std::printf("%s0x%04lX,", b % 12 == 0 ? "\n    " : " ", single[b] < 0 ? 0xFFFFL : single[b]);
    std::printf("\n};\n\nconst std::uint16_t kDoubleByte[kLeadBytes][kTrailBytes] = {\n");
    for (const auto& row : pairs) {
        std::printf("    {");
        for (std::size_t t = 0; t < row.size(); ++t)
            std::printf("%s0x%04lX,", t % 12 == 0 ? "\n        " : " ", row[t] < 0 ? 0xFFFFL : row[t]);
        std::printf("\n    },\n");
    }
    std::printf("};\n\nconst EncodeException kEncodeExceptions[] = {");
    for (std::size_t i = 0; i < exceptions.size(); ++i)
        std::printf("%s{0x%04X, 0x%04lX},", i % 6 == 0 ? "\n    " : " ", exceptions[i].first,
                    exceptions[i].second == -2 ? 0xFFFEL
                    : exceptions[i].second < 0 ? 0xFFFFL
                                               : exceptions[i].second);
    std::printf(
        "\n};\n// clang-format on\n\nconst std::size_t kEncodeExceptionCount = %zu;\n\n}  // namespace orvik::cp932_data\n",
        exceptions.size());
    return 0;
}
