// Reading JWW drawings: the signature test and the reader.
//
// The reader follows the format description's version tests field by field
// (223, 225, 230, 252, 300, 351, 420, 600, 700); a file of a newer version
// is read as version 700 (JwwDrawing's header keeps the version stored). A
// damaged or hostile file is read as far as it goes: the error says which
// part failed at which byte, and whatever was read before stays in the
// drawing. Counts and lengths are checked against the bytes left before
// anything is allocated for them; block definitions nest at most
// kJwwNestingLimit deep, and one that holds itself is refused.
#pragma once

#include <string>
#include <string_view>

#include "failure/Failure.h"
#include "input/FileReader.h"
#include "jww/JwwDrawing.h"
#include "jww/JwwLimits.h"

namespace orvik {

// The first eight bytes of every JWW file.
inline constexpr std::string_view kJwwSignature = "JwwData.";

// A file's first bytes are the signature.
bool IsJwwStart(std::string_view start);

// Reads the file from where the reader stands (its start); false, with the
// reason in `error`, when it could not be read completely. With
// `forWriting`, the drawing keeps what writing it back byte for byte needs
// (JwwWriter.h): the header's other fields, the strings' forms, the
// images as stored.
bool LoadJwwFile(FileReader& reader, JwwDrawing& drawing, Failure* error = nullptr, bool forWriting = false);
bool LoadJwwFile(const std::string& path, JwwDrawing& drawing, Failure* error = nullptr, bool forWriting = false);

// The same for a file's bytes in memory.
bool ReadJww(std::string_view bytes, JwwDrawing& drawing, Failure* error = nullptr, bool forWriting = false);

}  // namespace orvik
