// The forms of DXF file a conversion can write. All carry the same records
// (layers, colours, line types, handles, geometry); they differ in how the
// Japanese text is stored and labelled, since readers know the code page by
// different names, or read only UTF-8.
#pragma once

#include <cstdint>
#include <string_view>

#include "dxf/DxfWriter.h"

namespace orvik {

enum class OutputFormat : std::uint8_t {
    Dos932,   // AutoCAD R13 (AC1012), CP932 labelled "dos932", as AutoCAD R13J writes it (the default)
    Ansi932,  // the same bytes labelled "ANSI_932", the name GDAL and LibreCAD know
    Utf8,     // labelled AutoCAD 2007 (AC1021), whose files are UTF-8; code page "ANSI_1252" as AutoCAD writes it
};

// The $ACADVER value of the format.
constexpr std::string_view DxfVersionOf(OutputFormat format) {
    return format == OutputFormat::Utf8 ? "AC1021" : "AC1012";
}

// The $DWGCODEPAGE value of the format.
constexpr std::string_view CodePageOf(OutputFormat format) {
    switch (format) {
        case OutputFormat::Ansi932: return "ANSI_932";
        case OutputFormat::Utf8: return "ANSI_1252";
        case OutputFormat::Dos932: break;
    }
    return "dos932";
}

constexpr TextEncoding TextEncodingOf(OutputFormat format) {
    return format == OutputFormat::Utf8 ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

}  // namespace orvik
