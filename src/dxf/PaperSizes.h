// The paper sizes of JW_CAD drawings, by the header's paper code: A0 to A4
// (0..4), then 2A, 3A, 4A, 5A (8..11) and the large sheets of 10 m, 50 m and
// 100 m (12..14). Codes 5..7 and any others have no size.
#pragma once

#include <cstdint>
#include "numeric/Extended.h"

namespace orvik {

struct PaperSheet {
    std::int32_t code;
    Extended width, height;  // mm; the width is the long side
};

inline const PaperSheet kPaperSheets[] = {
    {0, 1189, 841},  {1, 841, 594},    {2, 594, 420},    {3, 420, 297},     {4, 297, 210},      {8, 1682, 1189},
    {9, 2378, 1682}, {10, 3364, 2378}, {11, 4756, 3364}, {12, 10000, 7037}, {13, 50000, 35366}, {14, 100000, 70372},
};

// The sheet of a paper code, or nullptr for a code without a size.
inline const PaperSheet* FindPaperSheet(std::int32_t code) {
    for (const PaperSheet& sheet : kPaperSheets)
        if (sheet.code == code) return &sheet;
    return nullptr;
}

}  // namespace orvik
