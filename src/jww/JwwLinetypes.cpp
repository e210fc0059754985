#include "jww/JwwLinetypes.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace orvik {
namespace {

constexpr int kPatternBits = 32;

// Dashes and gaps of a bit pattern, the unit turned so that it starts with
// its longest dash; empty when every bit is set or none is.
std::vector<double> PatternOfBits(const JwwLinePattern& p) {
    const int unit = p.unitDots >= 1 && p.unitDots <= kPatternBits ? static_cast<int>(p.unitDots) : kPatternBits;
    const double bitLength = kMillimetresPerPatternBit * std::max<std::uint32_t>(p.pitch, 1);
    const auto bit = [&](int i) { return (p.pattern >> (kPatternBits - 1 - (i % unit))) & 1u; };
    int set = 0;
    for (int i = 0; i < unit; ++i) set += static_cast<int>(bit(i));
    if (set == 0 || set == unit) return {};
    // Runs from the start of each dash (a set bit after a clear one).
    int start = 0, longest = 0;
    for (int i = 0; i < unit; ++i) {
        if (!bit(i) || bit(i + unit - 1)) continue;
        int run = 0;
        while (run < unit && bit(i + run)) ++run;
        if (run > longest) longest = run, start = i;
    }
    std::vector<double> pattern;
    for (int i = 0; i < unit;) {
        const bool drawn = bit(start + i) != 0;
        int run = 0;
        while (i + run < unit && (bit(start + i + run) != 0) == drawn) ++run;
        pattern.push_back((drawn ? 1 : -1) * run * bitLength);
        i += run;
    }
    return pattern;
}

// Dash, gap, dash, ... in millimetres; empty when they draw no pattern.
std::vector<double> PatternOfPitches(const JwwSxfLineType& t) {
    const std::size_t n = std::min<std::size_t>(t.segments, t.pitches.size());
    std::vector<double> pattern;
    bool gap = false;
    for (std::size_t i = 0; i < n; ++i) {
        const double v = t.pitches[i];
        if (!std::isfinite(v) || v < 0) return {};
        pattern.push_back(i % 2 ? -v : v);
        gap = gap || (i % 2 == 1 && v > 0);
    }
    if (!gap) return {};
    return pattern;
}

}  // namespace

std::optional<DefinedLinetype> JwwLinetypeOf(const JwwHeader& header, int number) {
    DefinedLinetype type;
    type.number = static_cast<std::uint8_t>(number);
    if (number >= kJwwDoubleLengthFirst && number <= kJwwDoubleLengthLast) {
        // JW_CAD calls them double-length types 6..9.
        type.name = "DOUBLE" + std::to_string(number - kJwwDoubleLengthFirst + 6);
        type.pattern = PatternOfBits(header.doublePatterns[static_cast<std::size_t>(number - kJwwDoubleLengthFirst)]);
    } else if (number >= kJwwSxfLinetypeBase &&
               static_cast<std::size_t>(number - kJwwSxfLinetypeBase) < header.sxfLineTypes.size()) {
        const JwwSxfLineType& sxf = header.sxfLineTypes[static_cast<std::size_t>(number - kJwwSxfLinetypeBase)];
        type.name = sxf.name;
        type.pattern = PatternOfPitches(sxf);
    }
    if (type.pattern.empty()) return std::nullopt;
    return type;
}

}  // namespace orvik
