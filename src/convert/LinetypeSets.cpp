#include "convert/LinetypeSets.h"

#include <string>

namespace orvik {
namespace {

std::string Repeat(std::string_view unit, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += unit;
    return out;
}

// Descriptions made of a repeated unit, kept alive for the views below.
const std::string kDashed1 = Repeat("--  ", 8);
const std::string kDashed2 = Repeat("----    ", 4);
const std::string kDashed3 = Repeat("------  ", 4);
const std::string kCenter1 = Repeat("----- - ", 4);
const std::string kCenter2 = Repeat("----------  --  ", 2);
const std::string kPhantom1 = Repeat("--- - - ", 4);
const std::string kPhantom2 = Repeat("--------  -  -  ", 2);
const std::string kDot = Repeat("-   ", 8);

}  // namespace

const std::array<LinetypeDef, 8>& LinetypeSet(bool jwLineTypes) {
    static const std::array<LinetypeDef, 8> jw = {{
        {2, 0x3A, "DASHED1", kDashed1, "2.5", {"1.25", "-1.25"}},
        {3, 0x3B, "DASHED2", kDashed2, "5.0", {"2.5", "-2.5"}},
        {4, 0x3C, "DASHED3", kDashed3, "5.0", {"3.75", "-1.25"}},
        {5, 0x3D, "CENTER1", kCenter1, "10.0", {"6.25", "-1.25", "1.25", "-1.25"}},
        {6, 0x3E, "CENTER2", kCenter2, "20.0", {"12.5", "-2.5", "2.5", "-2.5"}},
        {7, 0x3F, "PHANTOM1", kPhantom1, "10.0", {"3.75", "-1.25", "1.25", "-1.25", "1.25", "-1.25"}},
        {8, 0x40, "PHANTOM2", kPhantom2, "20.0", {"10.0", "-2.5", "1.25", "-2.5", "1.25", "-2.5"}},
        {9, 0x41, "DOT", kDot, "2.5", {"0.625", "-1.875"}},
    }};
    static const std::array<LinetypeDef, 8> acad = {{
        {2, 0x3A, "HIDDEN2", "Hidden (.5x) _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _", "4.7625", {"3.175", "-1.5875"}},
        {3, 0x3B, "HIDDEN", "Hidden __ __ __ __ __ __ __ __ __ __ __ __ __ _", "9.525", {"6.35", "-3.175"}},
        {4, 0x3C, "HIDDENX2", "Hidden (2x) ____ ____ ____ ____ ____ ____ ____", "19.05", {"12.7", "-6.35"}},
        {5,
         0x3D,
         "CENTER2",
         "Center (.5x) ___ _ ___ _ ___ _ ___ _ ___ _ ___",
         "28.575",
         {"19.05", "-3.175", "3.175", "-3.175"}},
        {6,
         0x3E,
         "CENTER",
         "Center ____ _ ____ _ ____ _ ____ _ ____ _ ____",
         "50.8",
         {"31.75", "-6.35", "6.35", "-6.35"}},
        {7,
         0x3F,
         "PHANTOM2",
         "Phantom (.5x) ___ _ _ ___ _ _ ___ _ _ ___ _ _",
         "31.75",
         {"15.875", "-3.175", "3.175", "-3.175", "3.175", "-3.175"}},
        {8,
         0x40,
         "PHANTOM",
         "Phantom ______  __  __  ______  __  __  ______",
         "63.5",
         {"31.75", "-6.35", "6.35", "-6.35", "6.35", "-6.35"}},
        {9, 0x41, "DOT", "Dot . . . . . . . . . . . . . . . . . . . . . .", "6.35", {"0.0", "-6.35"}},
    }};
    return jwLineTypes ? jw : acad;
}

}  // namespace orvik
