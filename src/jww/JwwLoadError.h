// Why a JWW drawing could not be read completely: which part of the file,
// at which byte, and why. The reader keeps what it read before.
#pragma once

#include <cstdint>
#include <string>

namespace orvik {

// The parts of a JWW file in the order they are stored.
enum class JwwPart { Signature, Header, Elements, Blocks, Images, End };

enum class JwwFailure {
    None,
    CannotOpen,
    NotJww,              // no "JwwData." signature
    Truncated,           // the file ends inside `part`
    CountTooLarge,       // `count` records cannot fit in the rest of the file
    UnknownClass,        // an object of the class `name`, which no JWW file holds
    NotADefinition,      // an object of the class `name` in the block list, which holds definitions only
    BadReference,        // a reference to index `count`, not (yet) a class or an object of the right kind
    BlockContainsItself, // block definition `count` holds an insertion of itself, directly or through others
    NestingTooDeep,      // block definitions nested deeper than kJwwNestingLimit
    ImageTooLarge,       // image `name`: `count` stored bytes, beyond the file or kJwwImageLimit
    ImageDamaged,        // image `name` does not inflate
    TrailingBytes,       // `count` bytes follow the last part
    TooManyRepeats,      // back-references repeat elements holding `count` bytes, more than kJwwRepeatedBytesFloor + the file's size
    OutOfMemory,
};

// Block definitions inside block definitions, at the most.
inline constexpr int kJwwNestingLimit = 32;
// An embedded image's bytes, stored or inflated, at the most.
inline constexpr std::int64_t kJwwImageLimit = std::int64_t{256} << 20;
// What elements repeated by back-references (two bytes each, whole elements
// with their strings) may hold together beyond the file's own size.
inline constexpr std::int64_t kJwwRepeatedBytesFloor = std::int64_t{64} << 20;
// The images a drawing keeps, and their bytes together, at the most: those
// past either are left out (and counted), so that a small file cannot make
// the reader hold, or the conversion write, gigabytes or thousands of files.
inline constexpr std::int64_t kJwwImageCountLimit = 1000;
inline constexpr std::int64_t kJwwImagesTotalLimit = kJwwImageLimit;

struct JwwLoadError {
    JwwFailure failure = JwwFailure::None;
    JwwPart part = JwwPart::Signature;
    std::int64_t offset = 0;    // the byte where the failing record or field starts
    std::int64_t fileSize = 0;
    std::int64_t count = 0;
    std::string name;           // a class or image name (CP932)
};

}  // namespace orvik
