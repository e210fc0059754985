#include "convert/FixedSections.h"

#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/FixedGroups.h"
#include "convert/LayoutObjects.h"
#include "convert/LinetypeSets.h"
#include "dxf/Groups.h"
#include "dxf/NumberFormat.h"
#include "numeric/Extended.h"

namespace orvik {
namespace {

constexpr Group kTableEnd[] = {T(0, "ENDTAB")};

// VPORT "*ACTIVE": its view centre and height depend on the limits.
constexpr Group kVportHead[] = {
    T(0, "TABLE"),
    T(2, "VPORT"),
    T(5, "8"),
    T(330, "0"),
    T(100, "AcDbSymbolTable"),
    I(70, 2),
    T(0, "VPORT"),
    T(5, "33"),
    T(330, "8"),
    T(100, "AcDbSymbolTableRecord"),
    T(100, "AcDbViewportTableRecord"),
    T(2, "*ACTIVE"),
    I(70, 0),
    T(10, "0.0"),
    T(20, "0.0"),
    T(11, "1.0"),
    T(21, "1.0"),
};
constexpr Group kVportMiddle[] = {
    T(13, "0.0"), T(23, "0.0"), T(14, "10.0"), T(24, "10.0"), T(15, "10.0"), T(25, "10.0"),
    T(16, "0.0"), T(26, "0.0"), T(36, "1.0"),  T(17, "0.0"),  T(27, "0.0"),  T(37, "0.0"),
};
constexpr Group kVportTail[] = {
    T(41, "1.62"), T(42, "50.0"), T(43, "0.0"), T(44, "0.0"), T(50, "0.0"), T(51, "0.0"), I(71, 0),       I(72, 100),
    I(73, 1),      I(74, 3),      I(75, 0),     I(76, 0),     I(77, 0),     I(78, 0),     T(0, "ENDTAB"),
};

// The line-type table with its three fixed records; the selected set follows.
constexpr Group kLtypeHead[] = {
    T(0, "TABLE"),
    T(2, "LTYPE"),
    T(5, "5"),
    T(330, "0"),
    T(100, "AcDbSymbolTable"),
    I(70, 9),
    T(0, "LTYPE"),
    T(5, "14"),
    T(330, "5"),
    T(100, "AcDbSymbolTableRecord"),
    T(100, "AcDbLinetypeTableRecord"),
    T(2, "BYBLOCK"),
    I(70, 0),
    T(3, ""),
    I(72, 65),
    I(73, 0),
    T(40, "0.0"),
    T(0, "LTYPE"),
    T(5, "15"),
    T(330, "5"),
    T(100, "AcDbSymbolTableRecord"),
    T(100, "AcDbLinetypeTableRecord"),
    T(2, "BYLAYER"),
    I(70, 0),
    T(3, ""),
    I(72, 65),
    I(73, 0),
    T(40, "0.0"),
    T(0, "LTYPE"),
    T(5, "16"),
    T(330, "5"),
    T(100, "AcDbSymbolTableRecord"),
    T(100, "AcDbLinetypeTableRecord"),
    T(2, "CONTINUOUS"),
    I(70, 0),
    T(3, "Solid line"),
    I(72, 65),
    I(73, 0),
    T(40, "0.0"),
};

constexpr Group kLayerHead[] = {
    T(0, "TABLE"),
    T(2, "LAYER"),
    T(5, "2"),
    T(330, "0"),
    T(100, "AcDbSymbolTable"),
    I(70, 1),
    T(0, "LAYER"),
    T(5, "10"),
    T(330, "2"),
    T(100, "AcDbSymbolTableRecord"),
    T(100, "AcDbLayerTableRecord"),
    T(2, "0"),
    I(70, 0),
    I(62, 7),
    T(6, "CONTINUOUS"),
};
constexpr Group kLayerRecordStart[] = {T(0, "LAYER")};
constexpr Group kLayerRecordOwner[] = {T(330, "2"), T(100, "AcDbSymbolTableRecord"), T(100, "AcDbLayerTableRecord")};

constexpr Group kStyleTableStart[] = {T(0, "TABLE"), T(2, "STYLE"), T(5, "3"), T(330, "0"), T(100, "AcDbSymbolTable")};
constexpr Group kStandardStyle[] = {
    T(0, "STYLE"),
    T(5, "11"),
    T(330, "3"),
    T(100, "AcDbSymbolTableRecord"),
    T(100, "AcDbTextStyleTableRecord"),
    T(2, "STANDARD"),
    I(70, 0),
    T(40, "0.0"),
    T(41, "1.0"),
    T(50, "0.0"),
    I(71, 0),
    T(42, "2.5"),
    T(3, "txt.shx"),
    T(4, "extfont.shx"),
};
// A further horizontal style takes the handle just below the running
// handles, which no other record uses, so that every other handle stays
// what it is.
constexpr std::int64_t kHorizontalStyleHandle = DxfWriter::kFirstHandleSeed;
constexpr Group kStyleRecordStart[] = {T(0, "STYLE")};
constexpr Group kStyleRecordOwner[] = {T(330, "3"), T(100, "AcDbSymbolTableRecord"),
                                       T(100, "AcDbTextStyleTableRecord")};
// Flags 70: 4 = vertical.
constexpr Group kStyleRecordFonts[] = {
    T(40, "0.0"), T(41, "1.0"), T(50, "0.0"), I(71, 0), T(42, "2.5"), T(3, "txt.shx"), T(4, "extfont.shx"),
};

constexpr Group kOtherTables[] = {
    // VIEW and UCS: empty.
    T(0, "TABLE"),
    T(2, "VIEW"),
    T(5, "6"),
    T(330, "0"),
    T(100, "AcDbSymbolTable"),
    I(70, 0),
    T(0, "ENDTAB"),
    T(0, "TABLE"),
    T(2, "UCS"),
    T(5, "7"),
    T(330, "0"),
    T(100, "AcDbSymbolTable"),
    I(70, 0),
    T(0, "ENDTAB"),
    // APPID: ACAD.
    T(0, "TABLE"),
    T(2, "APPID"),
    T(5, "9"),
    T(330, "0"),
    T(100, "AcDbSymbolTable"),
    I(70, 1),
    T(0, "APPID"),
    T(5, "12"),
    T(330, "9"),
    T(100, "AcDbSymbolTableRecord"),
    T(100, "AcDbRegAppTableRecord"),
    T(2, "ACAD"),
    I(70, 0),
    T(0, "ENDTAB"),
    // DIMSTYLE: STANDARD (its handle goes in group 105).
    T(0, "TABLE"),
    T(2, "DIMSTYLE"),
    T(5, "A"),
    T(330, "0"),
    T(100, "AcDbSymbolTable"),
    I(70, 1),
    T(0, "DIMSTYLE"),
    T(105, "27"),
    T(330, "A"),
    T(100, "AcDbSymbolTableRecord"),
    T(100, "AcDbDimStyleTableRecord"),
    T(2, "STANDARD"),
    I(70, 0),
    T(3, ""),
    T(4, ""),
    T(5, "DOT"),
    T(6, ""),
    T(7, ""),
    T(40, "1.0"),
    T(41, "2.5"),
    T(42, "0.625"),
    T(43, "3.75"),
    T(44, "1.25"),
    T(45, "0.0"),
    T(46, "0.0"),
    T(47, "0.0"),
    T(48, "0.0"),
    T(140, "2.5"),
    T(141, "2.5"),
    T(142, "0.0"),
    T(143, "0.03937007874016"),
    T(144, "1.0"),
    T(145, "0.0"),
    T(146, "1.0"),
    T(147, "0.625"),
    I(71, 0),
    I(72, 0),
    I(73, 0),
    I(74, 0),
    I(75, 0),
    I(76, 0),
    I(77, 1),
    I(78, 8),
    I(170, 0),
    I(171, 3),
    I(172, 1),
    I(173, 0),
    I(174, 0),
    I(175, 0),
};
// The dimension style's variables from AutoCAD R13 on.
constexpr Group kDimstyleLater[] = {
    I(176, 0), I(177, 0), I(178, 0), I(270, 2), I(271, 2), I(272, 2), I(273, 2), I(274, 3), T(340, "11"), I(275, 0),
    I(280, 0), I(281, 0), I(282, 0), I(283, 0), I(284, 8), I(285, 0), I(286, 0), I(287, 3), I(288, 0),
};
constexpr Group kDimstyleEnd[] = {T(0, "ENDTAB")};

constexpr Group kBlockRecordTable[] = {
    // BLOCK_RECORD: model and paper space.
    T(0, "TABLE"),
    T(2, "BLOCK_RECORD"),
    T(5, "1"),
    T(330, "0"),
    T(100, "AcDbSymbolTable"),
    I(70, 1),
    T(0, "BLOCK_RECORD"),
    T(5, "1F"),
    T(102, "{ACAD_XDICTIONARY"),
    T(360, "36"),
    T(102, "}"),
    T(330, "1"),
    T(100, "AcDbSymbolTableRecord"),
    T(100, "AcDbBlockTableRecord"),
    T(2, "*MODEL_SPACE"),
};
constexpr Group kPaperSpaceRecord[] = {
    T(0, "BLOCK_RECORD"), T(5, "1B"),  T(102, "{ACAD_XDICTIONARY"),     T(360, "34"),
    T(102, "}"),          T(330, "1"), T(100, "AcDbSymbolTableRecord"), T(100, "AcDbBlockTableRecord"),
    T(2, "*PAPER_SPACE"),
};
// A block's own record follows the two spaces'.
constexpr Group kBlockRecordStart[] = {T(0, "BLOCK_RECORD")};
constexpr Group kBlockRecordOwner[] = {T(330, "1"), T(100, "AcDbSymbolTableRecord"), T(100, "AcDbBlockTableRecord")};
constexpr Group kTablesEnd[] = {T(0, "ENDTAB"), T(0, "ENDSEC")};

constexpr Group kSectionStart[] = {T(0, "SECTION"), T(2, "BLOCKS")};
constexpr Group kSpaceBlocks[] = {
    T(0, "SECTION"),
    T(2, "BLOCKS"),
    T(0, "BLOCK"),
    T(5, "20"),
    T(330, "1F"),
    T(100, "AcDbEntity"),
    T(8, "0"),
    T(100, "AcDbBlockBegin"),
    T(2, "*MODEL_SPACE"),
    I(70, 0),
    T(10, "0.0"),
    T(20, "0.0"),
    T(30, "0.0"),
    T(3, "*MODEL_SPACE"),
    T(1, ""),
    T(0, "ENDBLK"),
    T(5, "21"),
    T(330, "1F"),
    T(100, "AcDbEntity"),
    T(8, "0"),
    T(100, "AcDbBlockEnd"),
    T(0, "BLOCK"),
    T(5, "1C"),
    T(330, "1B"),
    T(100, "AcDbEntity"),
    I(67, 1),
    T(8, "0"),
    T(100, "AcDbBlockBegin"),
    T(2, "*PAPER_SPACE"),
    I(70, 0),
    T(10, "0.0"),
    T(20, "0.0"),
    T(30, "0.0"),
    T(3, "*PAPER_SPACE"),
    T(1, ""),
    T(0, "ENDBLK"),
    T(5, "1D"),
    T(330, "1B"),
    T(100, "AcDbEntity"),
    I(67, 1),
    T(8, "0"),
    T(100, "AcDbBlockEnd"),
};
// A block of the drawing: BLOCK, its entities, ENDBLK, each owned by its record.
constexpr Group kBlockBegin[] = {T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbBlockBegin")};
constexpr Group kBlockBase[] = {I(70, 0), T(10, "0.0"), T(20, "0.0"), T(30, "0.0")};
constexpr Group kBlockEnd[] = {T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbBlockEnd")};
constexpr Group kSectionEnd[] = {T(0, "ENDSEC")};

// The drawing's own line types, after the selected set, with running
// handles; described by the name the drawing gives them.
void WriteOwnLinetypes(DxfWriter& w, const TablesInputs& in) {
    for (const DefinedLinetype& type : in.drawing.extraLinetypes) {
        Extended length = 0;
        std::vector<std::string> elements;
        for (double v : type.pattern) {
            length += Abs(static_cast<Extended>(v));
            elements.push_back(FormatReal(v));
        }
        const std::vector<std::string_view> views(elements.begin(), elements.end());
        w.WriteLtypeRecord(w.NextHandle(), in.tables.LinetypeNameOf(type.number), type.name, FormatReal(length), views);
    }
}

void WriteLayerTable(DxfWriter& w, const TablesInputs& in) {
    const LayerTables& tables = in.tables;
    const bool freezeOff = FreezesLayersThatAreOff(in.format);
    Write(w, kLayerHead);
    for (int n = 0; n < kLayerCount; ++n) {
        const DxfLayer& layer = tables.layers[n];
        if (!layer.used) continue;
        Write(w, kLayerRecordStart);
        w.WriteHandle(5, w.NextHandle());
        Write(w, kLayerRecordOwner);
        w.WriteGroup(group::kName, layer.name);
        // A negative colour switches the layer off; flag 1 freezes it.
        const bool shown = layer.visible != 0 && in.drawing.layerGroups[n / kLayersPerGroup].visible != 0;
        w.WriteInt(group::kLayer.flags, !shown && freezeOff ? 1 : 0);
        w.WriteColor(shown ? layer.color : -layer.color);
        if (const std::string& linetype = tables.LinetypeNameOf(layer.lineType); !linetype.empty())
            w.WriteLinetype(linetype);
    }
    if (in.defpointsUsed) {
        Write(w, kLayerRecordStart);
        w.WriteHandle(5, w.NextHandle());
        Write(w, kLayerRecordOwner);
        w.WriteGroup(group::kName, "DEFPOINTS");
        w.WriteInt(group::kLayer.flags, freezeOff ? 1 : 0);
        w.WriteColor(-tables.layers[kDefpointsLayer].color);  // never plotted: always off
        w.WriteLinetype(tables.LinetypeNameOf(kAuxiliaryLineType));
    }
    Write(w, kTableEnd);
}

void WriteStyleRecord(DxfWriter& w, std::string_view name, int flags) {
    Write(w, kStyleRecordOwner);
    w.WriteGroup(group::kName, name);
    w.WriteInt(group::kStyle.flags, flags);
    Write(w, kStyleRecordFonts);
}

void WriteStyleTable(DxfWriter& w, const TablesInputs& in) {
    const TextStyleNames names = TextStyleNamesOf(in.format);
    // The formats for readers write vertical texts upright, a character at a time.
    const bool vertical = !IsForReaders(in.format) && HasVerticalText(in.drawing);
    const std::vector<FontStyle>& fonts = in.fontStyles.Styles();
    Write(w, kStyleTableStart);
    // The faithful formats count STANDARD only, as AutoCAD R13J does whatever
    // follows; readers take the records as they come.
    w.WriteInt(70, names.horizontal.empty() ? 1 : 2 + vertical + static_cast<std::int64_t>(fonts.size()));
    Write(w, kStandardStyle);
    if (!names.horizontal.empty()) {
        Write(w, kStyleRecordStart);
        w.WriteHandle(5, kHorizontalStyleHandle);
        WriteStyleRecord(w, names.horizontal, 0);
    }
    if (vertical) {
        Write(w, kStyleRecordStart);
        w.WriteHandle(5, w.NextHandle());
        WriteStyleRecord(w, names.vertical, 4);
    }
    for (const FontStyle& font : fonts) {
        Write(w, kStyleRecordStart);
        w.WriteHandle(5, w.NextHandle());
        WriteStyleRecord(w, font.name, 0);
        // The TrueType font AutoCAD draws the style with.
        w.WriteGroup(1001, "ACAD");
        w.WriteGroup(1000, font.family);
        w.WriteInt(1071, font.FontFlags(), 0);
    }
    Write(w, kTableEnd);
}

}  // namespace

bool HasVerticalText(const Drawing& drawing) {
    bool vertical = false;
    ForEachElementSet(drawing, [&](const auto& set) {
        for (const DrawingText& m : set.texts)
            if (m.vertical) {
                vertical = true;
                return;
            }
    });
    return vertical;
}

std::int32_t WriteTablesSection(DxfWriter& w, const TablesInputs& in) {
    w.WriteGroup(0, "SECTION");
    w.WriteGroup(2, "TABLES");

    Write(w, kVportHead);
    w.WriteReal(12, in.limits.width / 2);
    w.WriteReal(22, in.limits.height / 2);
    Write(w, kVportMiddle);
    w.WriteReal(40, in.limits.width * ExtendedOf("0.7"));
    Write(w, kVportTail);

    Write(w, kLtypeHead);
    for (const LinetypeDef& def : LinetypeSet(in.jwLineTypes)) {
        w.WriteLtypeRecord(def.handle, def.name, def.description, def.patternLength, def.elements);
    }
    WriteOwnLinetypes(w, in);
    Write(w, kTableEnd);

    WriteLayerTable(w, in);

    WriteStyleTable(w, in);

    Write(w, kOtherTables);
    if (!IsR12(in.format)) Write(w, kDimstyleLater);
    Write(w, kDimstyleEnd);
    // Block records came with AutoCAD R13; an R12 file's table ends here.
    if (IsR12(in.format)) {
        w.WriteGroup(0, "ENDSEC");
        return 0;
    }
    Write(w, kBlockRecordTable);
    if (WritesLayouts(in.format)) w.WriteGroup(340, kModelLayoutHandle);
    Write(w, kPaperSpaceRecord);
    if (WritesLayouts(in.format)) w.WriteGroup(340, kPaperLayoutHandle);
    const std::int32_t firstRecord = w.LastHandle() + 1;
    for (const std::string& name : in.blockNames) {
        Write(w, kBlockRecordStart);
        w.WriteHandle(5, w.NextHandle());
        Write(w, kBlockRecordOwner);
        w.WriteGroup(2, name);
    }
    Write(w, kTablesEnd);
    return firstRecord;
}

void WriteBlocksSection(DxfWriter& w, OutputFormat format, std::span<const std::string> blockNames,
                        std::int32_t firstRecord,
                        const std::function<void(std::size_t block, std::int32_t record)>& writeEntities) {
    if (IsR12(format))
        Write(w, kSectionStart);  // R12 has no blocks of the two spaces
    else
        Write(w, kSpaceBlocks);
    for (std::size_t k = 0; k < blockNames.size(); ++k) {
        const std::int32_t record = firstRecord + static_cast<std::int32_t>(k);
        w.WriteGroup(0, "BLOCK");
        w.WriteHandle(5, w.NextHandle());
        w.WriteHandle(330, record);
        Write(w, kBlockBegin);
        w.WriteGroup(2, blockNames[k]);
        Write(w, kBlockBase);
        w.WriteGroup(3, blockNames[k]);
        w.WriteGroup(1, "");
        writeEntities(k, record);
        w.WriteGroup(0, "ENDBLK");
        w.WriteHandle(5, w.NextHandle());
        w.WriteHandle(330, record);
        Write(w, kBlockEnd);
    }
    Write(w, kSectionEnd);
}

void WriteEndOfFile(DxfWriter& w) { w.WriteGroup(0, "EOF"); }

}  // namespace orvik
