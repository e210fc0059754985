// Groups of fixed text, written as they stand: the records of the sections
// around the entities that do not depend on the drawing.
#pragma once

#include <span>
#include <string_view>

#include "dxf/DxfWriter.h"

namespace orvik {

// A fixed group: a literal text, or an integer written in six columns.
struct Group {
    int code;
    std::string_view text;
    bool isInt = false;
    int number = 0;
};

constexpr Group T(int code, std::string_view text) { return {code, text}; }
constexpr Group I(int code, int number) { return {code, {}, true, number}; }

inline void Write(DxfWriter& w, std::span<const Group> groups) {
    for (const Group& g : groups) {
        if (g.isInt)
            w.WriteInt(g.code, g.number);
        else
            w.WriteGroup(g.code, g.text);
    }
}

}  // namespace orvik
