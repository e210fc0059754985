// The body of the ENTITIES section: lines (or curve runs joined into
// polylines), circles and arcs, texts, virtual points and real points, in
// that order, each record mapped through the reference scale.
#pragma once

#include "convert/LayerTables.h"
#include "dxf/DxfWriter.h"
#include "convert/ReferenceScale.h"
#include "jwc/JwcDrawing.h"
#include "convert/ConversionSettings.h"

namespace orvik {

struct EntityInputs {
    const JwcDrawing& drawing;
    const DxfTables& tables;  // the layers' names, colours and line types
    const THenkanInfo& info;  // BaseScale and the entity settings
    const TScales& scales;
    long double paperFactor;
};

void WriteEntities(DxfWriter& w, const EntityInputs& in);

}  // namespace orvik
