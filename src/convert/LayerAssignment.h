// Deciding each used layer's DXF name, colour and line type from what it
// holds: the colour of its most used pen, its most used line type, and a name
// made from the JW_CAD layer name (with a group_layer_ prefix where needed to
// keep names unique). Auxiliary lines (line type 9) can be gathered on the
// layer DEFPOINTS instead.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "convert/ConversionSettings.h"
#include "convert/LayerTables.h"
#include "model/Drawing.h"

namespace orvik {

struct LayerUsage {
    std::array<std::array<std::int32_t, kMaxPens>, kLayerCount> penCount{};
    std::array<std::array<std::int32_t, kLinetypeNumbers>, kLayerCount> lineTypeCount{};  // by number; larger ones as 1
    std::array<std::int32_t, kMaxPens> auxiliaryPenCount{};  // auxiliary lines and arcs on DEFPOINTS
};

// Counts pens and line types per layer over lines, arcs, real points,
// solids and insertions, a block's elements once; line types by number
// (AssignLayers counts those without a name as 1).
LayerUsage CountLayerUsage(const Drawing& drawing, bool auxiliaryOnDefpoints);

// Names, colours and line types of the used layers (`used` set by MarkUsedLayers)
// and, when auxiliary lines go to DEFPOINTS, its colour and line type (else
// colour 7 and line type 1). Returns the number of used layers.
int AssignLayers(const Drawing& drawing, const LayerUsage& usage, const ConversionSettings& settings,
                 LayerTables& tables);

// Symbol names of AutoCAD R13 files hold at most 31 characters.
inline constexpr std::size_t kSymbolNameLimit = 31;

// linetypeNames 1..9 from the set the settings choose, and the names of the
// drawing's own line types; before AssignLayers, which needs them.
void FillLinetypeNames(bool jwLineTypes, std::span<const DefinedLinetype> own, LayerTables& tables);

// Whether a DEFPOINTS layer record is needed: auxiliary elements of a pen
// with a colour (1..penCount - 1) on it, virtual points, or a text type whose
// texts go there.
bool NeedsDefpoints(const Drawing& drawing, const LayerUsage& usage, int penCount);

// Whether two CP932 names are one DXF symbol name: ASCII letters compare
// without regard to case, double-byte characters exactly.
bool SameDxfName(std::string_view a, std::string_view b);

// The name with its ASCII letters in upper case (double-byte characters as
// they are): two names are one DXF symbol name when their keys are equal,
// so that a set of keys finds a clash among many names at once.
std::string DxfNameKey(std::string_view name);

// At most `limit` bytes of a CP932 string, never cutting a double-byte character.
std::string CutToCharacters(std::string_view text, std::size_t limit);

}  // namespace orvik
