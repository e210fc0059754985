// Reading a drawing file, the one way both front ends do it: the checks in
// the order the user meets them, then the load. What to show is left to the
// front end; the texts here are CP932.
#pragma once

#include <string>
#include <string_view>

#include <optional>
#include <vector>

#include "jwc/JwcFile.h"
#include "model/Drawing.h"
#include "jww/JwwDrawing.h"

namespace orvik {

// The two drawing formats: JW_CAD for DOS (.jwc) and for Windows (.jww).
enum class DrawingFormat { Jwc, Jww };

// Why a file is not read as a drawing.
enum class FileRefusal {
    None,
    Missing,         // nothing at the path
    WrongExtension,  // the name ends in neither ".jwc" nor ".jww" (any case), and no JWW signature
    Unreadable,      // a folder, FIFO or device, an empty file, no permission ...
    NotJwCad,        // neither JW_CAD signature at the start
};

struct FileCheck {
    FileRefusal refusal = FileRefusal::None;
    std::string reason;  // Missing and Unreadable: the reason in words
    DrawingFormat format = DrawingFormat::Jwc;
};

FileCheck CheckDrawingFile(const std::string& path);

// The format of a file by its signature alone, whatever its name (a file an
// archive walk found); none when it has neither.
std::optional<DrawingFormat> FormatBySignature(const std::string& path);

// The refusal's text: the extension or signature message, or the reason.
std::string_view RefusalText(const FileCheck& check);

struct LoadOutcome {
    bool complete = false;
    std::string damage;  // when not complete: which part is damaged and where
};

// Loads the drawing (a damaged one as far as it goes).
LoadOutcome LoadDrawing(const std::string& path, JwcFile& file);
LoadOutcome LoadDrawing(const std::string& path, JwwDrawing& drawing);

// A drawing of either format read into the model the conversion works on
// (a JWW drawing mapped onto it), with the lines its read report shows and
// what the user should know of it (CP932): for a JWW drawing, the elements
// the conversion does not carry yet.
struct ReadForConversion {
    LoadOutcome load;
    std::vector<std::string> summary;
    std::vector<std::string> warnings;
    std::vector<JwwImage> images;  // a JWW drawing's embedded images
};
ReadForConversion ReadDrawingForConversion(const std::string& path, DrawingFormat format, Drawing& drawing);

}  // namespace orvik
