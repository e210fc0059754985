// The body of the ENTITIES section: lines (or curve runs joined into
// polylines), circles and arcs, texts, virtual points and real points, in
// that order, each record mapped through the reference scale.
#pragma once

#include "dxf/DxfWriter.h"
#include "dxf/Scales.h"
#include "jwcunit/JwcDrawing.h"
#include "Unit2/HenkanInfo.h"

namespace orvik {

struct EntityInputs {
    const JwcDrawing& drawing;
    const THenkanInfo& info;  // BaseScale and the entity settings
    const TScales& scales;
    long double paperFactor;
};

void WriteEntities(DxfWriter& w, const EntityInputs& in);

}  // namespace orvik
