// The replacement tables behind LayerNameForDxf and TextForDxf. Each Replacement table is applied row by row, in order.
#pragma once

#include <span>
#include <string_view>

namespace orvik::substitution {

struct Replacement {
    std::string_view pattern;
    std::string_view replacement;  // empty: the pattern is deleted
};

struct Ligature {
    std::string_view pattern;
    std::string_view forLayerName;
    std::string_view forText;
};

extern const Replacement kKanaVoiced[25];
extern const Replacement kKanaPlain[50];
extern const Replacement kLayerPunctuation[58];
extern const Replacement kCircledToDigits[20];
extern const Replacement kRomanToAscii[10];
extern const Ligature kLigatures[38];
extern const Replacement kUserDefined[1];
extern const Replacement kLayerNameForbidden[32];
extern const Replacement kCircledToBracketed[20];
extern const Replacement kRomanForText[10];
extern const Replacement kControlSequences[3];

}  // namespace orvik::substitution
