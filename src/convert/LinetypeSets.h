// The two sets of DXF line types that JW_CAD line types 2..9 become: a
// JW_CAD-like set (patterns as JW_CAD draws them on paper) and an AutoCAD-like
// set (AutoCAD's own acad.lin names). Line type 1 is CONTINUOUS in both.
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace orvik {

struct LinetypeDef {
    int number;  // the JW_CAD line type, 2..9
    int handle;  // fixed LTYPE record handle, 3A..41
    std::string_view name;
    std::string_view description;
    std::string_view patternLength;
    std::vector<std::string_view> elements;  // dash lengths positive, gaps negative
};

inline constexpr std::string_view kContinuous = "CONTINUOUS";

// The eight records of the selected set, line types 2..9 in order.
const std::array<LinetypeDef, 8>& LinetypeSet(bool jwLineTypes);

}  // namespace orvik
