// The records a file of AutoCAD 2000 or later needs beside those AutoCAD R13
// wrote: a LAYOUT object for model space and one for paper space, each named
// by its space's BLOCK_RECORD (340) and listed in the ACAD_LAYOUT dictionary;
// the ACAD_PLOTSTYLENAME dictionary with its default "Normal" placeholder;
// and the CLASSES records that tell a reader those object types.
#pragma once

#include <string_view>

#include "convert/OutputFormat.h"
#include "dxf/DxfWriter.h"

namespace orvik {

// Fixed handles, below the running ones and used by no other record.
inline constexpr std::string_view kModelLayoutHandle = "22";
inline constexpr std::string_view kPaperLayoutHandle = "23";
inline constexpr std::string_view kPlotStyleNamesHandle = "24";
inline constexpr std::string_view kNormalPlotStyleHandle = "25";

// The CLASSES section: empty for AutoCAD R13's records, else the classes of
// the layouts and of the plot style dictionary (with their instance counts
// from AutoCAD 2004 on).
void WriteClassesSection(DxfWriter& w, OutputFormat format);

// The root dictionary's entries beside AutoCAD R13's.
void WriteLayoutRootEntries(DxfWriter& w);
// The ACAD_LAYOUT dictionary's entries.
void WriteLayoutEntries(DxfWriter& w);
// The two LAYOUT objects, the plot style dictionary and its placeholder.
void WriteLayoutObjects(DxfWriter& w);

}  // namespace orvik
