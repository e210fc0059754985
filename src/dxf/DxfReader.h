// Reading ASCII DXF files (R12 to 2018) into the drawing model.
//
// The HEADER's version, code page, units and line-type scale; the LAYER,
// LTYPE and STYLE tables (DxfStyles.h); the blocks, each a block of the
// model (its elements moved so that its base point is the origin, each
// after the blocks it inserts); the model space's entities. Coordinates
// are millimetres of the real thing ($INSUNITS: inches, feet, centimetres
// and metres turned into millimetres; none taken as millimetres), until
// DxfSheet puts the drawing on JW_CAD's paper.
//
// Entities: LINE; CIRCLE, ARC and ELLIPSE; LWPOLYLINE and 2D or 3D
// POLYLINE as lines and arcs (bulges), each polyline's lines one curve run,
// a width as solids along its straight segments; SPLINE as lines through
// its curve (DxfGeometry.h); POINT; TEXT, ATTRIB and MTEXT (one text per
// line, formatting removed, placed by their justification); SOLID, TRACE
// and solid-filled HATCH as solids; 3DFACE as its visible edges; INSERT
// (and MINSERT's copies) as insertions; DIMENSION and LEADER as the lines,
// texts and solids of their drawing. Everything else (pattern hatches,
// images, 3D solids, regions, proxies, ...), paper space, and insertions of
// blocks the file lacks or that insert themselves are left out and counted.
//
// A file that breaks the format (a group code that is no number, a line
// past kDxfLongestLine, a binary DXF) or ends early is read as far as it
// goes, the failure saying where.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "failure/Failure.h"
#include "input/FileReader.h"
#include "model/Drawing.h"

namespace orvik {

// What the drawing does not carry of the file, and what it approximates.
struct DxfLeftOut {
    std::map<std::string, std::int64_t> entities;  // by type (CP932): not carried
    std::int64_t paperSpace = 0;  // entities of paper space
    std::int64_t inserts = 0;  // of blocks the file lacks or that insert themselves
    std::int64_t broken = 0;  // entities whose numbers are no numbers or out of range
    std::int64_t widths = 0;  // polyline arcs drawn without their width
    std::int64_t curves = 0;  // splines through their fit points only, 3D extrusions, as lines
    std::int64_t mergedLayers = 0;  // layers past 255 drawn on the last
    std::int64_t linetypes = 0;  // line types past the 16 a drawing keeps, drawn dashed
    std::int64_t replacedCharacters = 0;  // written "?"
    std::int64_t Total() const;
};

struct DxfFile {
    Drawing drawing;
    std::string version;  // $ACADVER ("AC1015"), as the file gives it
    std::string codePage;  // $DWGCODEPAGE, as the file gives it
    double unitMillimetres = 1;  // of one drawing unit ($INSUNITS)
    DxfLeftOut leftOut;
};

// A file's first bytes are a DXF file's: its first group is a comment (999)
// or the start of a section, or it is a binary DXF file.
bool IsDxfStart(std::string_view start);
inline constexpr std::size_t kDxfSignatureSize = 64;

// Reads the file from where the reader stands (its start); false, with the
// reason in `error`, when it could not be read to its EOF.
bool ReadDxf(FileReader& file, DxfFile& out, Failure* error);

}  // namespace orvik
