// A drawing format's reader, in the one shape every format's has (as GDAL's
// drivers have): it recognises its files by their first bytes and by their
// name, and reads one into the drawing model, with what the read report
// shows of it. A damaged or hostile file is read as far as it goes, the
// failure saying which part failed at which byte and why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "failure/Failure.h"
#include "input/FileReader.h"
#include "model/Drawing.h"

namespace orvik {

enum class DrawingFormat : std::uint8_t { Jwc, Jww, Dxf };

// The extension of the path's file name, from its last "." on (".jwc"), or
// "" when the name has none. Folders end at "/" (and "\\" on Windows).
std::string_view ExtensionOf(std::string_view path);

// The extension of the file name is `extension` (".JWC", ".dxf") in any letter case.
bool HasExtension(std::string_view path, std::string_view extension);

// A file a drawing carries inside it (a JWW drawing's pictures), saved
// beside its DXF file.
struct EmbeddedImage {
    std::string name;  // CP932, as the drawing names it
    std::string bytes;
};

// The format's own model of a file as read, kept beside the drawing model
// when the file is to be written back in its format (a JWW file's
// JwwDrawing with what gives its bytes again).
class DrawingSource {
public:
    virtual ~DrawingSource() = default;
};

// The paper and scale a drawing of real sizes (DXF) is put on JW_CAD's
// paper with; none: chosen to fit.
struct SheetChoice {
    std::optional<std::int32_t> paper;  // JW_CAD's paper code (0 A0 ... 4 A4, 8 2A ... 11 5A)
    std::optional<double> scale;  // the N of 1:N
};

// How a file is read.
struct ReadOptions {
    bool keepSource = false;  // keep the format's own model of the file (to write it back)
    SheetChoice sheet;
};

// What a read gives besides the model.
struct DrawingRead {
    Failure stopped;  // why the read stopped part way; reason None: the whole drawing was read
    std::vector<std::string> summary;  // CP932: the header's texts and the counts, as the read report shows them
    std::vector<std::string> warnings;  // CP932: what the user should know (what the conversion does not carry)
    std::vector<EmbeddedImage> images;
    std::shared_ptr<const DrawingSource> source;  // when asked for and the format keeps one
};

// What a format's driver says of its files, and how it reads one.
struct DrawingFormatFacts {
    DrawingFormat format;
    std::string_view extension;  // ".JWC"
    std::size_t signatureSize;  // how many of the file's first bytes `recognises` looks at
    bool (*recognises)(std::string_view start);  // the first bytes are the format's signature
};

class DrawingDriver {
public:
    explicit DrawingDriver(const DrawingFormatFacts& facts) : facts_(facts) {}
    virtual ~DrawingDriver() = default;
    DrawingFormat Format() const { return facts_.format; }
    std::size_t SignatureSize() const { return facts_.signatureSize; }
    bool Recognises(std::string_view start) const { return facts_.recognises(start); }
    // The file's name is this format's (its extension, in any letter case).
    bool Named(std::string_view path) const { return HasExtension(path, facts_.extension); }
    // Reads the file from its start into `drawing`, which it replaces, as
    // the options say.
    virtual DrawingRead Read(FileReader& file, Drawing& drawing, const ReadOptions& options) const = 0;

private:
    DrawingFormatFacts facts_;
};

}  // namespace orvik
