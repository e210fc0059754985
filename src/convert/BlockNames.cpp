#include "convert/BlockNames.h"

#include <string_view>
#include <unordered_set>

#include "convert/LayerAssignment.h"
#include "text/Substitution.h"

namespace orvik {
namespace {

// JW_CAD ends the name of a compound figure with this mark and its kind.
constexpr std::string_view kFigureKindMark = "@@SfigorgFlag@@";

// The names a block must not take: the two spaces every file has.
constexpr std::string_view kReservedNames[] = {"*MODEL_SPACE", "*PAPER_SPACE"};

}  // namespace

std::vector<std::string> BlockNamesOf(const Drawing& drawing) {
    std::vector<std::string> names;
    names.reserve(drawing.blocks.size());
    std::unordered_set<std::string> taken;  // the keys of the names given
    for (const std::string_view reserved : kReservedNames) taken.insert(DxfNameKey(reserved));
    const auto isTaken = [&](std::string_view candidate) { return taken.contains(DxfNameKey(candidate)); };
    for (std::size_t k = 0; k < drawing.blocks.size(); ++k) {
        std::string_view source = drawing.blocks[k].name;
        source = source.substr(0, source.find(kFigureKindMark));
        std::string name = CutToCharacters(LayerNameForDxf(source), kSymbolNameLimit);
        const std::string number = std::to_string(k + 1);
        if (name.empty())
            name = "BLOCK_" + number;
        else if (isTaken(name))
            name = CutToCharacters(name, kSymbolNameLimit - 1 - number.size()) + "_" + number;
        // A file's own name can look like a numbered one.
        for (int extra = 2; isTaken(name); ++extra) name = "BLOCK_" + number + "_" + std::to_string(extra);
        taken.insert(DxfNameKey(name));
        names.push_back(std::move(name));
    }
    return names;
}

}  // namespace orvik
