// Recognising and reading JWC drawing files.
//
// A JWC file is a fixed sequence of sections with no tags: four text header
// blocks, the virtual points, text types, layer-group and layer tables, the
// counted line, arc and text records, the text string pool, the real points
// and the layer and group names. The counts come from the header.
#pragma once

#include <string>
#include <string_view>

#include "input/FileReader.h"

#include "failure/Failure.h"
#include "jwc/JwcFile.h"

namespace orvik {

// True when a file's first bytes are the 20-byte signature "jw_cad(c)data......."
// (up to a NUL within them).
bool IsJwcStart(std::string_view start);

// Resets the file to its defaults and fills it from the path. True when the
// whole drawing was read. On failure it keeps everything read before the
// failing section, each header count equals the number of records actually
// read into its list, and *error (when given) says where and why the load
// stopped. The drawing's virtual points are the slots in use.
//
// The signature is not checked here: callers test IsJwcStart first. The
// reader is read from where it stands (the file's start).
bool LoadJwcFile(FileReader& reader, JwcFile& file, Failure* error = nullptr);
bool LoadJwcFile(const std::string& path, JwcFile& file, Failure* error = nullptr);

}  // namespace orvik
