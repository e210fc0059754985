#include "convert/LayerAssignment.h"

#include <algorithm>
#include <string>

#include "convert/LinetypeSets.h"
#include "text/Substitution.h"

namespace orvik {
namespace {

constexpr std::size_t kLayerNameLimit = 21;

// The index with the largest count among the first `n`, ties to the lowest.
template <class Counts>
int MostUsed(const Counts& counts, int first, int n) {
    int best = first;
    for (int i = first + 1; i < n; ++i)
        if (counts[i] > counts[best]) best = i;
    return best;
}

void Count(LayerUsage& usage, std::uint8_t lineType, std::uint8_t pen, std::uint8_t layer, bool auxiliaryOnDefpoints,
           int countedPens) {
    if (auxiliaryOnDefpoints && lineType == kAuxiliaryLineType) {
        if (pen < countedPens) ++usage.auxiliaryPenCount[pen];
        return;
    }
    if (pen < countedPens) ++usage.penCount[layer][pen];
    ++usage.lineTypeCount[layer][lineType < kLinetypeNumbers ? lineType : 1];
}

// The line types every file's LTYPE table holds besides the selected set.
constexpr std::string_view kFixedLinetypeNames[] = {"BYBLOCK", "BYLAYER"};

// The records every file's LAYER table may hold besides the drawing's own.
constexpr std::string_view kFixedLayerNames[] = {"0", "DEFPOINTS"};

// "G_L_": group and layer in the group as single upper-case hex digits.
std::string NumberPrefix(int layer) {
    constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[layer / kLayersPerGroup], '_', kHex[layer % kLayersPerGroup], '_'};
}

}  // namespace

// DXF compares symbol names without regard to case: two names that differ
// only in ASCII letter case name one layer or block. Only single-byte characters are
// folded; the second byte of a double-byte character (ア is 83 41) stays.
bool SameDxfName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && DxfNameKey(a) == DxfNameKey(b);
}

std::string DxfNameKey(std::string_view name) {
    std::string key(name);
    for (std::size_t i = 0; i < key.size(); ++i) {
        const auto c = static_cast<unsigned char>(key[i]);
        if (IsLeadByte(c) && i + 1 < key.size())
            ++i;
        else if (c >= 'a' && c <= 'z')
            key[i] = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

std::string CutToCharacters(std::string_view text, std::size_t limit) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t n = IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
        if (at + n > limit) break;
        at += n;
    }
    return std::string(text.substr(0, at));
}

LayerUsage CountLayerUsage(const Drawing& drawing, bool auxiliaryOnDefpoints) {
    LayerUsage usage;
    const int counted = drawing.pens.count;
    ForEachElementSet(drawing, [&](const auto& set) {
        for (const DrawingLine& line : set.lines)
            Count(usage, line.lineType, line.pen, line.layer, auxiliaryOnDefpoints, counted);
        for (const DrawingArc& arc : set.arcs)
            Count(usage, arc.lineType, arc.pen, arc.layer, auxiliaryOnDefpoints, counted);
        for (const DrawingPoint& point : set.points)
            if (point.pen < counted) ++usage.penCount[point.layer][point.pen];
        for (const DrawingSolid& solid : set.solids)
            if (solid.pen < counted) ++usage.penCount[solid.layer][solid.pen];
        for (const BlockInsert& insert : set.inserts)
            if (insert.pen < counted) ++usage.penCount[insert.layer][insert.pen];
    });
    return usage;
}

int AssignLayers(const Drawing& drawing, const LayerUsage& usage, const ConversionSettings& settings,
                 LayerTables& tables) {
    int used = 0;
    for (int i = 0; i < kLayerCount; ++i) {
        DxfLayer& layer = tables.layers[i];
        if (!layer.used) continue;
        ++used;
        std::string name = CutToCharacters(LayerNameForDxf(drawing.layers[i].name), kLayerNameLimit);
        if (!settings.plainLayerNames) {
            name = CutToCharacters(NumberPrefix(i) + name, kLayerNameLimit);
        } else {
            if (name.empty()) name = NumberPrefix(i);
            // The first layer with a name keeps it; later ones, and one named
            // like a fixed record, get the prefix.
            auto clashes = [&](std::string_view other) { return SameDxfName(other, name); };
            if (std::any_of(std::begin(kFixedLayerNames), std::end(kFixedLayerNames), clashes))
                name = CutToCharacters(NumberPrefix(i) + name, kLayerNameLimit);
            for (int k = 0; k < i; ++k)
                if (tables.layers[k].used && clashes(tables.layers[k].name))
                    name = CutToCharacters(NumberPrefix(i) + name, kLayerNameLimit);
        }
        layer.name = name;
        layer.color = static_cast<std::uint8_t>(tables.ColorOfPen(MostUsed(usage.penCount[i], 0, tables.penCount)));
        std::array<std::int32_t, kLinetypeNumbers> lineTypes{};
        for (int n = 0; n < kLinetypeNumbers; ++n)
            lineTypes[static_cast<std::size_t>(tables.EffectiveLinetype(n))] +=
                usage.lineTypeCount[i][static_cast<std::size_t>(n)];
        layer.lineType = static_cast<std::uint8_t>(MostUsed(lineTypes, 1, kLinetypeNumbers));
    }
    // DEFPOINTS takes the colour its auxiliary lines mostly use; its line
    // type is always the auxiliary one.
    tables.layers[kDefpointsLayer].color =
        settings.auxiliaryOnDefpoints
            ? static_cast<std::uint8_t>(tables.ColorOfPen(MostUsed(usage.auxiliaryPenCount, 0, tables.penCount)))
            : static_cast<std::uint8_t>(kPenDefaultColor);
    return used;
}

void FillLinetypeNames(bool jwLineTypes, std::span<const DefinedLinetype> own, LayerTables& tables) {
    tables.linetypeNames = {};
    tables.linetypeNames[1] = kContinuous;
    for (const LinetypeDef& def : LinetypeSet(jwLineTypes)) tables.linetypeNames[def.number] = def.name;
    // The drawing's own: fit as layer names (spaces as underscores), cut to
    // a symbol name's length, distinct from every other line type.
    auto taken = [&](std::string_view name) {
        const auto same = [&](std::string_view other) { return SameDxfName(other, name); };
        return std::any_of(std::begin(kFixedLinetypeNames), std::end(kFixedLinetypeNames), same) ||
               std::any_of(tables.linetypeNames.begin(), tables.linetypeNames.end(), same);
    };
    for (const DefinedLinetype& type : own) {
        if (type.number >= kLinetypeNumbers) continue;
        const std::string number = std::to_string(type.number);
        std::string name = CutToCharacters(LayerNameForDxf(ReplaceAll(type.name, " ", "_")), kSymbolNameLimit);
        if (name.empty()) name = "LINETYPE_" + number;
        if (taken(name)) name = CutToCharacters(name, kSymbolNameLimit - 1 - number.size()) + "_" + number;
        for (int extra = 2; taken(name); ++extra) name = "LINETYPE_" + number + "_" + std::to_string(extra);
        tables.linetypeNames[type.number] = std::move(name);
    }
}

bool NeedsDefpoints(const Drawing& drawing, const LayerUsage& usage, int penCount) {
    std::int32_t auxiliary = 0;
    for (int pen = 1; pen < penCount; ++pen) auxiliary += usage.auxiliaryPenCount[static_cast<std::size_t>(pen)];
    if (auxiliary > 0 || !drawing.virtualPoints.empty()) return true;
    for (const Block& block : drawing.blocks)
        if (!block.virtualPoints.empty()) return true;
    for (int type = 0; type < kFileTextTypes; ++type)
        if (drawing.textTypes[type].attribute == kDefpointsTextAttribute) return true;
    return false;
}

}  // namespace orvik
