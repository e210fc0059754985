// Recognising and reading JWC drawing files.
//
// A JWC file is a fixed sequence of sections with no tags: four text header
// blocks, the virtual points, text types, layer-group and layer tables, the
// counted line, arc and text records, the text string pool, the real points
// and the layer and group names. The counts come from the header.
#pragma once

#include <string>

#include "jwc/JwcFile.h"
#include "jwc/LoadError.h"

namespace orvik {

// True when the file starts with the 20-byte signature "jw_cad(c)data.......".
// Reads nothing else; a file that cannot be opened or read is not JWC.
bool IsJwcFile(const std::string& path);

// Resets the file to its defaults and fills it from the path. True when the
// whole drawing was read. On failure it keeps everything read before the
// failing section, each header count equals the number of records actually
// read into its list, and *error (when given) says where and why the load
// stopped. The drawing's virtual points are the slots in use.
//
// The signature is not checked here: callers test IsJwcFile first.
bool LoadJwcFile(const std::string& path, JwcFile& file, LoadError* error = nullptr);

}  // namespace orvik
