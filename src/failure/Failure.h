// What went wrong, one type for everything the program does: a reason from
// one list, where it happened (the file, the part of a drawing file, the
// byte) and the detail. A reader that stops fills one and keeps what it
// read; the conversion and the saves report one (FailureError, where a
// failure must cross code that cannot return it: out of a byte sink in the
// middle of a file); the drawing job hands one to every front end, which
// words it (app/) and ends with the exit status its status gives.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvik {

// The parts of a drawing file, each format's in the order they are stored.
enum class FilePart : std::uint8_t {
    // JW_CAD for DOS (.jwc)
    HeaderBlocks,  // four 200-byte text blocks
    VirtualPoints,  // 101 X values, 101 Y values, 101 layer bytes
    TextTypes,  // Attr, Width, Height, Value3 of text types 0..10
    GroupScales,  // the 16 layer-group scales
    LayerFlags,  // flags and visibility of groups and layers
    Lines,
    Arcs,
    Texts,
    TextPool,
    Points,
    LayerNames,
    GroupNames,
    // JW_CAD for Windows (.jww)
    Signature,
    Header,
    Elements,
    Blocks,
    Images,
    End,
};

enum class Reason : std::uint8_t {
    None,
    // The file
    Missing,  // nothing at the path
    Unreadable,  // a folder, FIFO or device, an empty file, no permission, a failed read
    WrongExtension,  // the name ends in neither ".jwc" nor ".jww", and no JWW signature
    NotJwCad,  // neither JW_CAD signature at the start
    // A read that stops: the drawing as far as it was read
    Truncated,  // the file ends inside `part`
    InvalidField,  // header block `block`, field `field` does not convert
    NegativeCount,  // the count of `part` is negative
    CountTooLarge,  // `count` records of `part` cannot fit in the file
    TooManyVirtualPoints,  // more virtual points than the 101 slots (`limit`)
    UnknownClass,  // an object of the class `detail`, which no JWW file holds
    NotADefinition,  // an object of the class `detail` in the block list, which holds definitions only
    BadReference,  // a reference to index `count`, not (yet) a class or an object of the right kind
    BlockContainsItself,  // block definition `count` holds an insertion of itself, directly or through others
    NestingTooDeep,  // block definitions nested deeper than the reader allows (`count`)
    ImageTooLarge,  // image `detail`: `count` stored bytes, beyond the file or the reader's limit
    ImageDamaged,  // image `detail` does not inflate
    TrailingBytes,  // `count` bytes follow the last part
    DxfDamaged,  // a DXF file breaks its format at line `count` (`detail` says how)
    TooManyRepeats,  // back-references repeat elements holding `count` bytes, more than the file can mean
    // The conversion
    NoScale,  // no element, so no reference scale to propose
    BadScale,  // the reference scale is not a usable number
    BadSetting,  // a setting's text is not a usable value
    BlocksLeftOut,  // written without part of what the blocks place (past the explosion's or the picture's limits)
    // The output
    Exists,  // the output exists and the rules keep it
    OutputIsInput,  // the output is a file the run reads
    WrittenTwice,  // another drawing of the run has this output
    WriteFailed,  // the output could not be made, written or replaced
    PictureNotMade,  // the picture could not be drawn or encoded
    UpToDate,  // the output is newer than the drawing
    JwwNotWritable,  // a JWW file asked of a drawing read from another format
    UnreadableFolder,  // a folder of an archive could not be read
    OutOfMemory,
    Internal,  // an unexpected error
};

// Whether the reason stops a read part way: the drawing is kept as far as it goes.
bool StopsARead(Reason reason);

// The reason's stable word in reports and for scripts and the page
// ("no-scale"); the reasons a read stops for share "truncated-records",
// those a file is refused for by its name or signature "not-a-drawing".
std::string_view ReasonCode(Reason reason);

struct Failure {
    Reason reason = Reason::None;
    FilePart part = FilePart::HeaderBlocks;  // a drawing file's
    std::int64_t offset = 0;  // the byte where the failing part, record or field starts; -1 unknown
    std::int64_t fileSize = 0;  // Truncated, CountTooLarge
    std::int64_t count = 0;
    std::int64_t limit = 0;  // TooManyVirtualPoints: the most the format holds
    int block = 0;  // InvalidField: header block 1..4
    int field = 0;  // InvalidField: field number from 1
    // CP932: a field's value as read, a class or image name; for the
    // conversion and the output, the sentence that says what failed, on
    // which file, and why.
    std::string detail;
    int systemError = 0;  // a system call's: its error number (errno), worded by SystemErrorText
};

// A system call's failure: what it stops (`reason`) and the system's error number.
inline Failure SystemFailure(Reason reason, int error) {
    Failure failure;
    failure.reason = reason;
    failure.systemError = error;
    return failure;
}

// A failure thrown across code that cannot return it; its what() is the detail.
class FailureError : public std::runtime_error {
public:
    explicit FailureError(Failure failure) : std::runtime_error(failure.detail), failure_(std::move(failure)) {}
    FailureError(Reason reason, const std::string& detail)
        : FailureError(Failure{reason, {}, 0, 0, 0, 0, 0, 0, detail}) {}
    Reason ReasonOf() const { return failure_.reason; }
    const Failure& Details() const { return failure_; }

private:
    Failure failure_;
};

}  // namespace orvik
