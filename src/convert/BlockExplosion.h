// Blocks written in place: every insertion replaced by the elements of its
// block, moved, scaled, turned and mirrored as the insertion says (nested
// insertions too), each element on its own layer. What `--explode-blocks`
// writes, for readers that show no blocks.
#pragma once

#include <cstdint>

#include "model/Drawing.h"

namespace orvik {

// Insertions inside insertions are followed this deep; at most this many
// elements come out of insertions in all, so that a hostile file nesting
// insertions of insertions cannot make more.
inline constexpr int kBlockNestingLimit = 32;
inline constexpr std::int64_t kElementsFromBlocksLimit = 20'000'000;

struct ExplodedDrawing {
    Drawing drawing;  // without blocks and insertions
    std::int64_t insertsLeftOut = 0;  // nested too deep, or past the element limit
};

ExplodedDrawing ExplodeBlocks(const Drawing& drawing);

}  // namespace orvik
