// The body of the ENTITIES section: lines (or curve runs joined into
// polylines), circles and arcs, texts, virtual points, real points, solids
// and block insertions, in that order, each record mapped through the
// reference scale; and the same for the elements of a block.
#pragma once

#include "convert/ConversionResult.h"
#include "convert/ConversionSettings.h"
#include "convert/LayerTables.h"
#include "convert/ReferenceScale.h"
#include "dxf/DxfWriter.h"
#include "model/Drawing.h"
#include "numeric/Extended.h"

namespace orvik {

struct EntityInputs {
    const Drawing& drawing;
    const ConversionSettings& settings;
    const ConversionResult& result;  // the reference scale and the layers
    const ScaleStatistics& scales;
    Extended paperFactor;
};

// With `workers` above 1 and more than one chunk of records, chunks are
// formatted on that many threads, each starting from the handles the records
// before it take, and written in order: the bytes are the same as with one.
void WriteEntities(DxfWriter& w, const EntityInputs& in, int workers = 1);

// A block's elements, owned by its BLOCK_RECORD `owner`: its own coordinates
// times the paper factor and the reference scale, rounded as the drawing's
// but without its offset (the block's origin stays at 0, 0).
void WriteBlockEntities(DxfWriter& w, const EntityInputs& in, const Block& block, std::int32_t owner);

}  // namespace orvik
