// The sections around the entities (CLASSES: see LayoutObjects.h): TABLES (viewport, line
// types, layers, text styles, views, UCS, application ids, dimension style,
// block records but in R12), BLOCKS (model and paper space, then the drawing's blocks),
// OBJECTS (the named-object dictionaries) and the end-of-file marker. Almost all fixed text with fixed
// handles; the viewport size, the line-type set, the layer records and the
// text styles vary with the drawing and the settings.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "convert/FontStyles.h"
#include "convert/HeaderSection.h"
#include "convert/LayerTables.h"
#include "convert/OutputFormat.h"
#include "dxf/DxfWriter.h"
#include "model/Drawing.h"

namespace orvik {

struct TablesInputs {
    const Drawing& drawing;  // group visibility, vertical texts
    const LayerTables& tables;  // the used layers with their names, colours and line types
    DrawingLimits limits;  // the viewport shows the paper at the reference scale
    bool jwLineTypes;  // which line-type set
    bool defpointsUsed;  // whether the DEFPOINTS layer record is written
    OutputFormat format;  // the names of the text styles, whether layers that are off are frozen
    std::span<const std::string> blockNames;  // a BLOCK_RECORD each, after the two spaces'
    const FontStyles& fontStyles;  // a STYLE each, after the format's own
};

// True when some text is written vertically: the vertical text style is then needed.
bool HasVerticalText(const Drawing& drawing);

// Returns the handle of the first block's BLOCK_RECORD; the others follow it.
std::int32_t WriteTablesSection(DxfWriter& w, const TablesInputs& in);
// The model and paper space blocks (but in R12), then each of the
// drawing's: BLOCK, `writeEntities(k, record)` for its elements, ENDBLK.
void WriteBlocksSection(DxfWriter& w, OutputFormat format, std::span<const std::string> blockNames,
                        std::int32_t firstRecord,
                        const std::function<void(std::size_t block, std::int32_t record)>& writeEntities);
// OBJECTS: the dictionaries, XRECORDs and MLINESTYLE every file from R13 on
// holds, with their owners where the format carries them, and the layouts
// where its release expects them.
void WriteObjectsSection(DxfWriter& w, OutputFormat format);
void WriteEndOfFile(DxfWriter& w);

}  // namespace orvik
