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

void WriteEntities(DxfWriter& w, const EntityInputs& in);

}  // namespace orvik
