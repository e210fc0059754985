// The layer tables the writer tests share: pen 0 in colour 7 and pens 1..6
// in 4, 7, 3, 2, 6, 5; the JW_CAD-like line types; layer 0 "A" (colour 7,
// CONTINUOUS), layer 1 "B" (colour 4, CENTER1), layer 3 "WALL" (colour 4,
// line type 2) and DEFPOINTS in colour 3 with line type 9.
#pragma once

#include "convert/LayerAssignment.h"
#include "convert/LayerTables.h"

namespace orvik::testing {

inline LayerTables WriterTestTables() {
    LayerTables tables;
    tables.penColorTable = {7, 4, 7, 3, 2, 6, 5};
    FillLinetypeNames(true, {}, tables);
    tables.layers[0] = DxfLayer{"A", true, 1, 7, 1};
    tables.layers[1] = DxfLayer{"B", true, 5, 4, 1};
    tables.layers[3] = DxfLayer{"WALL", true, 2, 4, 1};
    tables.layers[kDefpointsLayer] = DxfLayer{"", false, 9, 3, 0};
    return tables;
}

}  // namespace orvik::testing
