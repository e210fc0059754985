// The forms of DXF file a conversion can write. All are AutoCAD R13 files
// (AC1012) with the same records; they differ in how the Japanese text is
// labelled, since readers know the code page by different names.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvik {

enum class OutputFormat : std::uint8_t {
    Dos932,   // $DWGCODEPAGE "dos932", as AutoCAD R13J writes it (the default)
    Ansi932,  // the same bytes labelled "ANSI_932", the name GDAL and LibreCAD know
};

// The $DWGCODEPAGE value of the format.
constexpr std::string_view CodePageOf(OutputFormat format) {
    return format == OutputFormat::Ansi932 ? "ANSI_932" : "dos932";
}

}  // namespace orvik
