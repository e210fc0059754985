// Why a drawing could not be read completely: which part of the file, at
// which byte, and why. Both readers fill it; a reader keeps what it read
// before the failure, and answers whether the whole drawing was read with a
// Boolean like the rest of the drawing input.
#pragma once

#include <cstdint>
#include <string>

namespace orvik {

// The parts of a drawing file, each format's in the order they are stored.
enum class FilePart {
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

enum class ReadFailure {
    None,
    CannotOpen,
    NotJww,  // no "JwwData." signature
    Truncated,  // the file ends inside `part`
    InvalidField,  // header block `block`, field `field` does not convert
    NegativeCount,  // the count of `part` is negative
    CountTooLarge,  // `count` records of `part` cannot fit in the file
    TooManyVirtualPoints,  // more virtual points than the 101 slots
    UnknownClass,  // an object of the class `name`, which no JWW file holds
    NotADefinition,  // an object of the class `name` in the block list, which holds definitions only
    BadReference,  // a reference to index `count`, not (yet) a class or an object of the right kind
    BlockContainsItself,  // block definition `count` holds an insertion of itself, directly or through others
    NestingTooDeep,  // block definitions nested deeper than the reader allows (`count`)
    ImageTooLarge,  // image `name`: `count` stored bytes, beyond the file or the reader's limit
    ImageDamaged,  // image `name` does not inflate
    TrailingBytes,  // `count` bytes follow the last part
    TooManyRepeats,  // back-references repeat elements holding `count` bytes, more than the file can mean
    OutOfMemory,
};

struct ReadError {
    ReadFailure failure = ReadFailure::None;
    FilePart part = FilePart::HeaderBlocks;
    std::int64_t offset = 0;  // the byte where the failing part, record or field starts; -1 unknown
    std::int64_t fileSize = 0;  // Truncated, CountTooLarge
    std::int64_t count = 0;
    std::int64_t limit = 0;  // TooManyVirtualPoints: the most the format holds
    int block = 0;  // InvalidField: header block 1..4
    int field = 0;  // InvalidField: field number from 1
    std::string text;  // InvalidField: the field's value as read; a class or image name (CP932)
};

}  // namespace orvik
