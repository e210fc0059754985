// Reading a drawing file, the one way both front ends do it: the checks in
// the order the user meets them, then the load. What to show is left to the
// front end; the texts here are CP932.
#pragma once

#include <string>
#include <string_view>

#include "jwc/JwcDrawing.h"

namespace orvik {

// Why a file is not read as a drawing.
enum class FileRefusal {
    None,
    Missing,         // nothing at the path
    WrongExtension,  // the name does not end in ".jwc" (any case)
    Unreadable,      // a folder, FIFO or device, an empty file, no permission ...
    NotJwCad,        // no JW_CAD signature at the start
};

struct FileCheck {
    FileRefusal refusal = FileRefusal::None;
    std::string reason;  // Missing and Unreadable: the reason in words
};

FileCheck CheckDrawingFile(const std::string& path);

// The refusal's text: the extension or signature message, or the reason.
std::string_view RefusalText(const FileCheck& check);

struct LoadOutcome {
    bool complete = false;
    std::string damage;  // when not complete: which part is damaged and where
};

// Loads the drawing (a damaged one as far as it goes).
LoadOutcome LoadDrawing(const std::string& path, JwcDrawing& drawing);

}  // namespace orvik
