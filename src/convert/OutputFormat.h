// The forms of DXF file a conversion can write. They differ in the AutoCAD
// release they claim (which decides the records a reader expects), in how
// the Japanese text is stored and labelled (readers know the code page by
// different names, or read only UTF-8), and in whether they keep AutoCAD
// R13J's file exactly (the faithful format) or are written for the readers
// a drawing is sent to.
#pragma once

#include <cstdint>
#include <string_view>

#include "dxf/DxfWriter.h"

namespace orvik {

enum class OutputFormat : std::uint8_t {
    Dos932,  // AutoCAD R13 (AC1012), CP932 labelled "dos932", as AutoCAD R13J writes it (the default)
    Ansi932,  // the same records labelled "ANSI_932", the Windows code page name GDAL knows
    Utf8,  // the same records labelled AutoCAD 2007 (AC1021), whose files are UTF-8
    R12,  // AutoCAD R12 (AC1009): no handles, owners, classes or objects; R12's entities only
    R2000,  // AutoCAD 2000 (AC1015), CP932, with the layouts and dictionaries that release expects
    R2007,  // AutoCAD 2007 (AC1021), UTF-8, as R2000 with true colours
};

// The record sets of the AutoCAD releases the formats claim.
enum class DxfRelease : std::uint8_t { R12, R13, R2000, R2007 };

struct FormatTraits {
    DxfRelease release;
    std::string_view version;  // $ACADVER
    std::string_view codePage;  // $DWGCODEPAGE
    // Written for other programs rather than as AutoCAD R13J writes it:
    // layers that are off are frozen too, the text styles name a Japanese
    // font, the extents hold every text, the paper space is the sheet, the
    // objects name their owners, and a caret in a text is escaped.
    bool forReaders;
};

// The code page of the UTF-8 files: Windows' number for UTF-8. Readers from
// AutoCAD 2007 on read such a file as UTF-8 whatever it names; GDAL decodes
// by the name, and knows this one.
inline constexpr std::string_view kUtf8CodePage = "ANSI_65001";

constexpr FormatTraits TraitsOf(OutputFormat format) {
    switch (format) {
        case OutputFormat::Dos932: break;
        case OutputFormat::Ansi932: return {DxfRelease::R13, "AC1012", "ANSI_932", true};
        case OutputFormat::Utf8: return {DxfRelease::R13, "AC1021", kUtf8CodePage, true};
        case OutputFormat::R12: return {DxfRelease::R12, "AC1009", "ANSI_932", true};
        case OutputFormat::R2000: return {DxfRelease::R2000, "AC1015", "ANSI_932", true};
        case OutputFormat::R2007: return {DxfRelease::R2007, "AC1021", kUtf8CodePage, true};
    }
    return {DxfRelease::R13, "AC1012", "dos932", false};
}

constexpr std::string_view DxfVersionOf(OutputFormat format) { return TraitsOf(format).version; }
constexpr std::string_view CodePageOf(OutputFormat format) { return TraitsOf(format).codePage; }
constexpr bool IsForReaders(OutputFormat format) { return TraitsOf(format).forReaders; }
constexpr bool IsR12(OutputFormat format) { return TraitsOf(format).release == DxfRelease::R12; }

// The text styles the texts name. AutoCAD draws them with the fonts of the
// STYLE records; LibreCAD ignores those and takes a text's style name, up to a
// '#', for the name of one of its own fonts. The formats for readers
// therefore name both styles after LibreCAD's Japanese font kst32b, so that
// it draws Japanese where it would draw empty boxes.
struct TextStyleNames {
    std::string_view horizontal;  // empty: the texts name no style and take STANDARD
    std::string_view vertical;
};

constexpr TextStyleNames TextStyleNamesOf(OutputFormat format) {
    if (IsForReaders(format)) return {"KST32B", "KST32B#TATEGAKI"};
    return {"", "TATEGAKI"};
}

// Whether a layer that is off is also written frozen. LibreCAD and other
// viewers ignore the off state (a negative colour) and honour only freezing;
// the faithful format keeps the layer merely off, as AutoCAD R13J writes it.
constexpr bool FreezesLayersThatAreOff(OutputFormat format) { return IsForReaders(format); }

// Whether entities may carry a true colour (group 420, from AutoCAD 2004 on).
constexpr bool HasTrueColors(OutputFormat format) {
    return format == OutputFormat::Utf8 || TraitsOf(format).release == DxfRelease::R2007;
}

// Whether entities may carry a lineweight (group 370, from AutoCAD 2000 on).
constexpr bool HasLineweights(OutputFormat format) {
    return format == OutputFormat::Utf8 || TraitsOf(format).release >= DxfRelease::R2000;
}

// Whether the OBJECTS section names each object's owner (group 330 after its
// reactors), as readers of files from AutoCAD 2000 on expect; the faithful
// format keeps AutoCAD R13J's objects, which name none.
constexpr bool WritesObjectOwners(OutputFormat format) { return IsForReaders(format); }

// Whether the file holds the layouts of model and paper space (LAYOUT
// objects, each space's BLOCK_RECORD naming its layout), which AutoCAD
// expects in a file of release 2000 or later.
constexpr bool WritesLayouts(OutputFormat format) { return TraitsOf(format).release >= DxfRelease::R2000; }

// Whether curve runs are written as LWPOLYLINEs (one record holding every
// vertex, from AutoCAD R14 on) rather than POLYLINE, VERTEXes and SEQEND.
constexpr bool WritesLightPolylines(OutputFormat format) { return WritesLayouts(format); }

// Whether $PLIMMIN/$PLIMMAX give the drawing's paper (readers that print,
// such as LibreCAD's dxf2pdf, take the page from them).
constexpr bool DescribesPaperSpace(OutputFormat format) { return IsForReaders(format); }

constexpr TextEncoding TextEncodingOf(OutputFormat format) {
    return TraitsOf(format).version == "AC1021" ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

}  // namespace orvik
