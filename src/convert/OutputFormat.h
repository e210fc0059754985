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
    Dos932,  // AutoCAD R13 (AC1012), CP932 labelled "dos932", as AutoCAD R13J writes it (the default)
    Ansi932,  // the same bytes labelled "ANSI_932", the Windows code page name GDAL knows
    Utf8,  // labelled AutoCAD 2007 (AC1021), whose files are UTF-8; code page "ANSI_932" as a Japanese AutoCAD writes it
};

// The $ACADVER value of the format.
constexpr std::string_view DxfVersionOf(OutputFormat format) {
    return format == OutputFormat::Utf8 ? "AC1021" : "AC1012";
}

// The $DWGCODEPAGE value of the format.
constexpr std::string_view CodePageOf(OutputFormat format) {
    switch (format) {
        case OutputFormat::Ansi932: return "ANSI_932";
        case OutputFormat::Utf8: return "ANSI_932";
        case OutputFormat::Dos932: break;
    }
    return "dos932";
}

// The text styles the texts name. AutoCAD draws them with the fonts of the
// STYLE records; LibreCAD ignores those and takes a text's style name, up to a
// '#', for the name of one of its own fonts. The UTF-8 format therefore names
// both styles after LibreCAD's Japanese font kst32b, so that the reader that
// takes that format draws Japanese where it would draw empty boxes.
struct TextStyleNames {
    std::string_view horizontal;  // empty: the texts name no style and take STANDARD
    std::string_view vertical;
};

constexpr TextStyleNames TextStyleNamesOf(OutputFormat format) {
    if (format == OutputFormat::Utf8) return {"KST32B", "KST32B#TATEGAKI"};
    return {"", "TATEGAKI"};
}

// Whether a layer that is off is also written frozen. LibreCAD ignores the
// off state (a negative colour) and honours only freezing; the faithful
// formats keep the layer merely off, as AutoCAD R13J writes it.
constexpr bool FreezesLayersThatAreOff(OutputFormat format) { return format == OutputFormat::Utf8; }

// Whether entities may carry a true colour (group 420, from AutoCAD 2004 on).
constexpr bool HasTrueColors(OutputFormat format) { return format == OutputFormat::Utf8; }

// Whether entities may carry a lineweight (group 370, from AutoCAD 2000 on).
constexpr bool HasLineweights(OutputFormat format) { return format == OutputFormat::Utf8; }

// Whether the OBJECTS section names each object's owner (group 330 after its
// reactors), as readers of files from AutoCAD 2000 on expect; the faithful
// format keeps AutoCAD R13J's objects, which name none.
constexpr bool WritesObjectOwners(OutputFormat format) { return format != OutputFormat::Dos932; }

// Whether $PLIMMIN/$PLIMMAX give the drawing's paper (readers that print,
// such as LibreCAD's dxf2pdf, take the page from them).
constexpr bool DescribesPaperSpace(OutputFormat format) { return format != OutputFormat::Dos932; }

constexpr TextEncoding TextEncodingOf(OutputFormat format) {
    return format == OutputFormat::Utf8 ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

}  // namespace orvik
