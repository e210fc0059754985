// Recognising and reading JWC drawing files.
//
// A JWC file is a fixed sequence of sections with no tags: four text header
// blocks, the virtual points, text types, layer-group and layer tables, the
// counted line, arc and text records, the text string pool, the real points
// and the layer and group names. The counts come from the header.
#pragma once

#include <string>

#include "jwc/JwcDrawing.h"
#include "jwc/LoadError.h"

namespace orvik {

// True when the file starts with the 20-byte signature "jw_cad(c)data.......".
// Reads nothing else; a file that cannot be opened or read is not JWC.
bool IsJwcFile(const std::string& path);

// Puts the drawing back to its defaults (empty counted arrays, zeroed tables).
void ResetJwcDrawing(JwcDrawing& drawing);

// Resets the drawing and fills it from the file. True when the whole drawing
// was read. On failure the drawing keeps everything read before the failing
// section, each count equals the number of records actually read into its
// array, and *error (when given) says where and why the load stopped.
//
// The signature is not checked here: callers test IsJwcFile first.
bool LoadJwcFile(const std::string& path, JwcDrawing& drawing, LoadError* error = nullptr);

}  // namespace orvik
