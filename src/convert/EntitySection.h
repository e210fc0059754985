// The body of the ENTITIES section: lines (or curve runs joined into
// polylines), circles and arcs, texts, virtual points and real points, in
// that order, each record mapped through the reference scale.
#pragma once

#include "convert/ConversionResult.h"
#include "convert/ConversionSettings.h"
#include "convert/LayerTables.h"
#include "convert/ReferenceScale.h"
#include "dxf/DxfWriter.h"
#include "jwc/JwcDrawing.h"

namespace orvik {

struct EntityInputs {
    const JwcDrawing& drawing;
    const ConversionSettings& settings;
    const ConversionResult& result;  // the reference scale and the layers
    const ScaleStatistics& scales;
    long double paperFactor;
};

// With `workers` above 1 and more than one chunk of records, chunks are
// formatted on that many threads, each starting from the handles the records
// before it take, and written in order: the bytes are the same as with one.
void WriteEntities(DxfWriter& w, const EntityInputs& in, int workers = 1);

}  // namespace orvik
