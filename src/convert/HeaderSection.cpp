#include "convert/HeaderSection.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "dxf/NumberFormat.h"
#include "dxf/PaperSizes.h"
#include "numeric/Extended.h"

namespace orvik {
namespace {

// The values of the header that depend on the drawing.
enum class V {
    ExtMinX,
    ExtMinY,
    ExtMaxX,
    ExtMaxY,  // mapped extents
    LimitsWidth,
    LimitsHeight,  // paper size x reference scale
    Scale,
    ScaleTimes2_5,
    ScaleTimes1_25,
    FileDate,
    HandleSeed,
    CodePage,
    Version,  // texts
    PaperLimitX,
    PaperLimitY,  // the paper space's limits, as the format writes them
};

enum class Kind { Text, Int, Real, ValueText };

struct HeaderGroup {
    int code;
    Kind kind;
    std::string_view text = {};
    int number = 0;
    V value = V::Scale;
};

constexpr HeaderGroup T(int code, std::string_view text) { return {code, Kind::Text, text}; }
constexpr HeaderGroup I(int code, int number) { return {code, Kind::Int, {}, number}; }
constexpr HeaderGroup R(int code, V value) { return {code, Kind::Real, {}, 0, value}; }
constexpr HeaderGroup S(int code, V value) { return {code, Kind::ValueText, {}, 0, value}; }

// The 162 header variables in order: each name (group 9), then its values.
constexpr HeaderGroup kHeader[] = {
    T(9, "$ACADVER"),
    S(1, V::Version),
    T(9, "$DWGCODEPAGE"),
    S(3, V::CodePage),
    T(9, "$INSBASE"),
    T(10, "0.0"),
    T(20, "0.0"),
    T(30, "0.0"),
    T(9, "$EXTMIN"),
    R(10, V::ExtMinX),
    R(20, V::ExtMinY),
    T(30, "0.0"),
    T(9, "$EXTMAX"),
    R(10, V::ExtMaxX),
    R(20, V::ExtMaxY),
    T(30, "0.0"),
    T(9, "$LIMMIN"),
    T(10, "0.0"),
    T(20, "0.0"),
    T(9, "$LIMMAX"),
    R(10, V::LimitsWidth),
    R(20, V::LimitsHeight),
    T(9, "$ORTHOMODE"),
    I(70, 0),
    T(9, "$REGENMODE"),
    I(70, 1),
    T(9, "$FILLMODE"),
    I(70, 1),
    T(9, "$QTEXTMODE"),
    I(70, 0),
    T(9, "$MIRRTEXT"),
    I(70, 1),
    T(9, "$DRAGMODE"),
    I(70, 2),
    T(9, "$LTSCALE"),
    R(40, V::Scale),
    T(9, "$OSMODE"),
    I(70, 2215),
    T(9, "$ATTMODE"),
    I(70, 1),
    T(9, "$TEXTSIZE"),
    R(40, V::ScaleTimes2_5),
    T(9, "$TRACEWID"),
    T(40, "0.05"),
    T(9, "$TEXTSTYLE"),
    T(7, "STANDARD"),
    T(9, "$CLAYER"),
    T(8, "0"),
    T(9, "$CELTYPE"),
    T(6, "BYLAYER"),
    T(9, "$CECOLOR"),
    I(62, 256),
    T(9, "$CELTSCALE"),
    T(40, "1.0"),
    T(9, "$DELOBJ"),
    I(70, 1),
    T(9, "$DISPSILH"),
    I(70, 0),
    T(9, "$DIMSCALE"),
    T(40, "1.0"),
    T(9, "$DIMASZ"),
    R(40, V::ScaleTimes2_5),
    T(9, "$DIMEXO"),
    T(40, "0.625"),
    T(9, "$DIMDLI"),
    T(40, "3.75"),
    T(9, "$DIMRND"),
    T(40, "0.0"),
    T(9, "$DIMDLE"),
    T(40, "0.0"),
    T(9, "$DIMEXE"),
    R(40, V::ScaleTimes1_25),
    T(9, "$DIMTP"),
    T(40, "0.0"),
    T(9, "$DIMTM"),
    T(40, "0.0"),
    T(9, "$DIMTXT"),
    R(40, V::ScaleTimes2_5),
    T(9, "$DIMCEN"),
    T(40, "2.5"),
    T(9, "$DIMTSZ"),
    T(40, "0.0"),
    T(9, "$DIMTOL"),
    I(70, 0),
    T(9, "$DIMLIM"),
    I(70, 0),
    T(9, "$DIMTIH"),
    I(70, 0),
    T(9, "$DIMTOH"),
    I(70, 0),
    T(9, "$DIMSE1"),
    I(70, 0),
    T(9, "$DIMSE2"),
    I(70, 0),
    T(9, "$DIMTAD"),
    I(70, 1),
    T(9, "$DIMZIN"),
    I(70, 8),
    T(9, "$DIMBLK"),
    T(1, "DOT"),
    T(9, "$DIMASO"),
    I(70, 1),
    T(9, "$DIMSHO"),
    I(70, 1),
    T(9, "$DIMPOST"),
    T(1, ""),
    T(9, "$DIMAPOST"),
    T(1, ""),
    T(9, "$DIMALT"),
    I(70, 0),
    T(9, "$DIMALTD"),
    I(70, 3),
    T(9, "$DIMALTF"),
    T(40, "0.03937007874016"),
    T(9, "$DIMLFAC"),
    T(40, "1.0"),
    T(9, "$DIMTOFL"),
    I(70, 1),
    T(9, "$DIMTVP"),
    T(40, "0.0"),
    T(9, "$DIMTIX"),
    I(70, 0),
    T(9, "$DIMSOXD"),
    I(70, 0),
    T(9, "$DIMSAH"),
    I(70, 0),
    T(9, "$DIMBLK1"),
    T(1, ""),
    T(9, "$DIMBLK2"),
    T(1, ""),
    T(9, "$DIMSTYLE"),
    T(2, "STANDARD"),
    T(9, "$DIMCLRD"),
    I(70, 0),
    T(9, "$DIMCLRE"),
    I(70, 0),
    T(9, "$DIMCLRT"),
    I(70, 0),
    T(9, "$DIMTFAC"),
    T(40, "1.0"),
    T(9, "$DIMGAP"),
    T(40, "0.625"),
    T(9, "$DIMJUST"),
    I(70, 0),
    T(9, "$DIMSD1"),
    I(70, 0),
    T(9, "$DIMSD2"),
    I(70, 0),
    T(9, "$DIMTOLJ"),
    I(70, 0),
    T(9, "$DIMTZIN"),
    I(70, 8),
    T(9, "$DIMALTZ"),
    I(70, 0),
    T(9, "$DIMALTTZ"),
    I(70, 0),
    T(9, "$DIMFIT"),
    I(70, 3),
    T(9, "$DIMUPT"),
    I(70, 0),
    T(9, "$DIMUNIT"),
    I(70, 2),
    T(9, "$DIMDEC"),
    I(70, 2),
    T(9, "$DIMTDEC"),
    I(70, 2),
    T(9, "$DIMALTU"),
    I(70, 2),
    T(9, "$DIMALTTD"),
    I(70, 3),
    T(9, "$DIMTXSTY"),
    T(7, "STANDARD"),
    T(9, "$DIMAUNIT"),
    I(70, 0),
    T(9, "$LUNITS"),
    I(70, 2),
    T(9, "$LUPREC"),
    I(70, 4),
    T(9, "$SKETCHINC"),
    T(40, "0.1"),
    T(9, "$FILLETRAD"),
    T(40, "0.0"),
    T(9, "$AUNITS"),
    I(70, 0),
    T(9, "$AUPREC"),
    I(70, 0),
    T(9, "$MENU"),
    T(1, ""),
    T(9, "$ELEVATION"),
    T(40, "0.0"),
    T(9, "$PELEVATION"),
    T(40, "0.0"),
    T(9, "$THICKNESS"),
    T(40, "0.0"),
    T(9, "$LIMCHECK"),
    I(70, 0),
    T(9, "$BLIPMODE"),
    I(70, 0),
    T(9, "$CHAMFERA"),
    T(40, "0.0"),
    T(9, "$CHAMFERB"),
    T(40, "0.0"),
    T(9, "$CHAMFERC"),
    T(40, "0.0"),
    T(9, "$CHAMFERD"),
    T(40, "0.0"),
    T(9, "$SKPOLY"),
    I(70, 0),
    T(9, "$TDCREATE"),
    S(40, V::FileDate),
    T(9, "$TDUPDATE"),
    S(40, V::FileDate),
    T(9, "$TDINDWG"),
    T(40, "0.0012758102"),
    T(9, "$TDUSRTIMER"),
    T(40, "0.0012758102"),
    T(9, "$USRTIMER"),
    I(70, 1),
    T(9, "$ANGBASE"),
    T(50, "0.0"),
    T(9, "$ANGDIR"),
    I(70, 0),
    T(9, "$PDMODE"),
    I(70, 0),
    T(9, "$PDSIZE"),
    T(40, "0.0"),
    T(9, "$PLINEWID"),
    T(40, "0.0"),
    T(9, "$COORDS"),
    I(70, 2),
    T(9, "$SPLFRAME"),
    I(70, 0),
    T(9, "$SPLINETYPE"),
    I(70, 6),
    T(9, "$SPLINESEGS"),
    I(70, 8),
    T(9, "$ATTDIA"),
    I(70, 0),
    T(9, "$ATTREQ"),
    I(70, 1),
    T(9, "$HANDLING"),
    I(70, 10241),
    T(9, "$HANDSEED"),
    S(5, V::HandleSeed),
    T(9, "$SURFTAB1"),
    I(70, 6),
    T(9, "$SURFTAB2"),
    I(70, 6),
    T(9, "$SURFTYPE"),
    I(70, 6),
    T(9, "$SURFU"),
    I(70, 6),
    T(9, "$SURFV"),
    I(70, 6),
    T(9, "$UCSNAME"),
    T(2, ""),
    T(9, "$UCSORG"),
    T(10, "0.0"),
    T(20, "0.0"),
    T(30, "0.0"),
    T(9, "$UCSXDIR"),
    T(10, "1.0"),
    T(20, "0.0"),
    T(30, "0.0"),
    T(9, "$UCSYDIR"),
    T(10, "0.0"),
    T(20, "1.0"),
    T(30, "0.0"),
    T(9, "$PUCSNAME"),
    T(2, ""),
    T(9, "$PUCSORG"),
    T(10, "0.0"),
    T(20, "0.0"),
    T(30, "0.0"),
    T(9, "$PUCSXDIR"),
    T(10, "1.0"),
    T(20, "0.0"),
    T(30, "0.0"),
    T(9, "$PUCSYDIR"),
    T(10, "0.0"),
    T(20, "1.0"),
    T(30, "0.0"),
    T(9, "$USERI1"),
    I(70, 0),
    T(9, "$USERI2"),
    I(70, 0),
    T(9, "$USERI3"),
    I(70, 0),
    T(9, "$USERI4"),
    I(70, 0),
    T(9, "$USERI5"),
    I(70, 0),
    T(9, "$USERR1"),
    T(40, "0.0"),
    T(9, "$USERR2"),
    T(40, "0.0"),
    T(9, "$USERR3"),
    T(40, "0.0"),
    T(9, "$USERR4"),
    T(40, "0.0"),
    T(9, "$USERR5"),
    T(40, "0.0"),
    T(9, "$WORLDVIEW"),
    I(70, 1),
    T(9, "$SHADEDGE"),
    I(70, 3),
    T(9, "$SHADEDIF"),
    I(70, 70),
    T(9, "$TILEMODE"),
    I(70, 1),
    T(9, "$MAXACTVP"),
    I(70, 16),
    T(9, "$PINSBASE"),
    T(10, "0.0"),
    T(20, "0.0"),
    T(30, "0.0"),
    T(9, "$PLIMCHECK"),
    I(70, 0),
    T(9, "$PEXTMIN"),
    T(10, "1.000000000000000E+20"),
    T(20, "1.000000000000000E+20"),
    T(30, "1.000000000000000E+20"),
    T(9, "$PEXTMAX"),
    T(10, "-1.000000000000000E+20"),
    T(20, "-1.000000000000000E+20"),
    T(30, "-1.000000000000000E+20"),
    T(9, "$PLIMMIN"),
    T(10, "0.0"),
    T(20, "0.0"),
    T(9, "$PLIMMAX"),
    S(10, V::PaperLimitX),
    S(20, V::PaperLimitY),
    T(9, "$UNITMODE"),
    I(70, 0),
    T(9, "$VISRETAIN"),
    I(70, 0),
    T(9, "$PLINEGEN"),
    I(70, 0),
    T(9, "$PSLTSCALE"),
    I(70, 1),
    T(9, "$TREEDEPTH"),
    I(70, 3020),
    T(9, "$PICKSTYLE"),
    I(70, 1),
    T(9, "$CMLSTYLE"),
    T(2, "STANDARD"),
    T(9, "$CMLJUST"),
    I(70, 0),
    T(9, "$CMLSCALE"),
    T(40, "1.0"),
    T(9, "$SAVEIMAGES"),
    I(70, 1),
};

// The variables that came after AutoCAD R12, left out of an R12 file; so is
// $HANDSEED, since an R12 file is written without handles ($HANDLING 0).
constexpr std::string_view kNotInR12[] = {
    "$CELTSCALE", "$DELOBJ",   "$DISPSILH", "$DIMJUST",  "$DIMSD1",     "$DIMSD2",   "$DIMTOLJ",  "$DIMTZIN",
    "$DIMALTZ",   "$DIMALTTZ", "$DIMFIT",   "$DIMUPT",   "$DIMUNIT",    "$DIMDEC",   "$DIMTDEC",  "$DIMALTU",
    "$DIMALTTD",  "$DIMTXSTY", "$DIMAUNIT", "$CHAMFERC", "$CHAMFERD",   "$HANDSEED", "$PINSBASE", "$TREEDEPTH",
    "$PICKSTYLE", "$CMLSTYLE", "$CMLJUST",  "$CMLSCALE", "$SAVEIMAGES",
};

bool IsNotInR12(std::string_view name) {
    return std::find(std::begin(kNotInR12), std::end(kNotInR12), name) != std::end(kNotInR12);
}

}  // namespace

DrawingLimits LimitsFor(std::int32_t paperSize, Extended baseScale) {
    const PaperSheet* sheet = FindPaperSheet(paperSize);
    if (!sheet) sheet = FindPaperSheet(0);  // unknown codes take A0
    return {sheet->width * baseScale, sheet->height * baseScale};
}

std::array<std::string, 2> PaperLimitsFor(std::int32_t paperSize, OutputFormat format) {
    if (!DescribesPaperSpace(format)) return {"12.0", "9.0"};  // AutoCAD R13J's 12 x 9 units
    const DrawingLimits sheet = LimitsFor(paperSize, 1);
    return {FormatReal(sheet.width), FormatReal(sheet.height)};
}

void WriteHeaderSection(DxfWriter& w, const HeaderInputs& in) {
    const auto key = static_cast<float>(in.result.referenceScale);
    const Extended scale = in.result.referenceScale;
    const DrawingLimits limits = LimitsFor(in.paperSize, scale);
    const std::array<std::string, 2> paper = PaperLimitsFor(in.paperSize, in.format);
    auto real = [&](V value) -> Extended {
        switch (value) {
            case V::ExtMinX: return in.scales.MapX(key, in.paperFactor, in.result.extents.minX);
            case V::ExtMinY: return in.scales.MapY(key, in.paperFactor, in.result.extents.minY);
            case V::ExtMaxX: return in.scales.MapX(key, in.paperFactor, in.result.extents.maxX);
            case V::ExtMaxY: return in.scales.MapY(key, in.paperFactor, in.result.extents.maxY);
            case V::LimitsWidth: return limits.width;
            case V::LimitsHeight: return limits.height;
            case V::Scale: return scale;
            case V::ScaleTimes2_5: return scale * 2.5;
            case V::ScaleTimes1_25: return scale * 1.25;
            case V::FileDate:
            case V::HandleSeed:
            case V::CodePage:
            case V::Version:
            case V::PaperLimitX:
            case V::PaperLimitY: break;
        }
        return 0;
    };
    auto text = [&](V value) -> std::string_view {
        if (value == V::FileDate) return in.result.fileDate;
        if (value == V::HandleSeed) return in.result.handleSeed;
        if (value == V::Version) return DxfVersionOf(in.format);
        if (value == V::PaperLimitX) return paper[0];
        if (value == V::PaperLimitY) return paper[1];
        return CodePageOf(in.format);
    };

    w.WriteGroup(0, "SECTION");
    w.WriteGroup(2, "HEADER");
    const bool r12 = IsR12(in.format);
    std::string_view variable;
    for (const HeaderGroup& g : kHeader) {
        if (g.code == 9) variable = g.text;
        if (r12 && IsNotInR12(variable)) continue;
        if (r12 && variable == "$HANDLING" && g.code == 70) {
            w.WriteInt(70, 0);  // no handles
            continue;
        }
        switch (g.kind) {
            case Kind::Text: w.WriteGroup(g.code, g.text); break;
            case Kind::Int: w.WriteInt(g.code, g.number); break;
            case Kind::Real: w.WriteReal(g.code, real(g.value)); break;
            case Kind::ValueText: w.WriteGroup(g.code, text(g.value)); break;
        }
    }
    w.WriteGroup(0, "ENDSEC");
}

}  // namespace orvik
