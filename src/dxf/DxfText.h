// The texts of a DXF file as CP932: the file's code page, DXF's escapes
// for characters outside it, and MTEXT's formatting.
//
// A file of AutoCAD 2007 and later (AC1021 on) is UTF-8 whatever it
// declares; an older one is in the code page $DWGCODEPAGE names: ANSI_932
// (or DOS932) is CP932 itself, ANSI_1252 Windows' Western European page; a
// file that names none is taken as CP932, as Japanese offices write them.
// Other pages keep their ASCII, and each other byte becomes "?" (counted).
// "\U+XXXX" is a Unicode character, "\M+1XXXX" a CP932 one, in any file.
// Characters CP932 cannot hold become "?" and are counted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvik {

enum class DxfEncoding { Cp932, Utf8, Windows1252, Unsupported };

// The encoding of a file of `version` ($ACADVER, "AC1015") declaring
// `codePage` ($DWGCODEPAGE, "ANSI_932"; empty when it declares none).
DxfEncoding DxfEncodingOf(std::string_view version, std::string_view codePage);

class DxfTextDecoder {
public:
    explicit DxfTextDecoder(DxfEncoding encoding) : encoding_(encoding) {}
    // A name or a single-line text as CP932, with "%%c", "%%d", "%%p"
    // (diameter, degree, plus-minus) and "%%%" as their characters, and
    // "%%u", "%%o" (underline, overline) left out.
    std::string Text(std::string_view value);
    // A name (layer, block, style) as CP932, escapes decoded, nothing else.
    std::string Name(std::string_view value);
    // An MTEXT's text as its lines (split at "\P" and line ends), its
    // formatting ("\H2;", "{\fArial|b1;...}", "\S1^2;", ...) left out.
    std::vector<std::string> MtextLines(std::string_view value);
    // Characters written "?" so far.
    std::int64_t Replaced() const { return replaced_; }

private:
    // The value in the file's encoding as UTF-8, "\U+" and "\M+" decoded.
    std::string Utf8Of(std::string_view value);
    std::string Cp932Of(const std::string& utf8);

    DxfEncoding encoding_;
    std::int64_t replaced_ = 0;
};

}  // namespace orvik
