// The pens' entries of the layer tables: the AutoCAD colour of each pen
// (pen 0 the default, 1..6 the settings', then the drawing's fixed colours,
// then its own colours as the nearest AutoCAD colour beside their true
// colour), and the lineweights of the pens whose printed width is known in
// formats that carry lineweights.
#pragma once

#include "convert/ConversionSettings.h"
#include "convert/LayerTables.h"
#include "model/Drawing.h"

namespace orvik {

void FillPenTables(const Pens& pens, const ConversionSettings& settings, LayerTables& tables);

}  // namespace orvik
