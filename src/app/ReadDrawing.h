// Reading a drawing file, the one way every front end does it: the file is
// opened once, its format decided once (by its signature, else by its name),
// the checks made in the order the user meets them, then the load from the
// same open file. What to show is left to the front end; the texts here are
// CP932.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "failure/Failure.h"
#include "input/DrawingDriver.h"
#include "input/FileReader.h"
#include "model/Drawing.h"

namespace orvik {

// The driver of each format read: JW_CAD for DOS (.jwc) and for Windows (.jww), DXF.
const DrawingDriver& DriverOf(DrawingFormat format);

// A drawing's name: the extension of a format read (".jwc", ".jww", ".dxf") in any letter case.
bool HasDrawingExtension(std::string_view path);

struct FileCheck {
    // Why the file is not read as a drawing: None, Missing, WrongExtension, Unreadable or NotJwCad.
    Reason refusal = Reason::None;
    std::string reason;  // Missing and Unreadable: the reason in words
    DrawingFormat format = DrawingFormat::Jwc;
};

// The refusal's text: the extension or signature message, or the reason.
std::string_view RefusalText(const FileCheck& check);

struct LoadOutcome {
    bool complete = false;
    Reason stopped = Reason::None;  // when not complete: why the read stopped
    std::string damage;  // when not complete: which part is damaged and where, in words
};

// A drawing of either format read into the model the conversion works on
// (a JWW drawing mapped onto it), with the lines its read report shows and
// what the user should know of it (CP932): for a JWW drawing, the elements
// the conversion does not carry yet.
struct ReadForConversion {
    LoadOutcome load;
    std::vector<std::string> summary;
    std::vector<std::string> warnings;
    std::vector<EmbeddedImage> images;
    std::shared_ptr<const DrawingSource> source;  // asked for: the file's own model, when its format keeps one
};

// A drawing file, opened once.
class DrawingFile {
public:
    explicit DrawingFile(const std::string& path);

    // The format by the file's signature alone, whatever its name (a file an
    // archive walk found); none when it has neither.
    std::optional<DrawingFormat> Signature() const { return signature_; }
    // The checks before a read. With `anyName` (a file an archive walk
    // found), one of neither name is judged by its signature alone.
    FileCheck Check(bool anyName = false) const;
    // Loads the drawing (a damaged one as far as it goes) as the format the
    // check found; once, after a check without refusal; as the options say.
    ReadForConversion Read(DrawingFormat format, Drawing& drawing, const ReadOptions& options = {});

private:
    std::string path_;
    FileReader file_;
    std::optional<DrawingFormat> signature_;
};

// The checks of a file that is not to be read now (a batch's list).
inline FileCheck CheckDrawingFile(const std::string& path) { return DrawingFile(path).Check(); }

}  // namespace orvik
