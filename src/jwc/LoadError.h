// Why a JWC drawing could not be read completely.
//
// LoadJwcFile answers with a Boolean like the rest of the drawing input; this
// record says where and why it stopped, so the front ends can tell the user
// which part of the file is damaged.
#pragma once

#include <cstdint>
#include <string>

namespace orvik {

// The parts of a JWC file in the order they are stored.
enum class JwcSection {
    HeaderBlocks,   // four 200-byte text blocks
    VirtualPoints,  // 101 X values, 101 Y values, 101 layer bytes
    TextTypes,      // Attr, Width, Height, Value3 of text types 0..10
    GroupScales,    // the 16 layer-group scales
    LayerFlags,     // flags and visibility of groups and layers
    Lines,
    Arcs,
    Texts,
    TextPool,
    Points,
    LayerNames,
    GroupNames,
};

enum class LoadFailure {
    None,
    CannotOpen,
    Truncated,             // the file ends inside `section`
    InvalidField,          // header block `block`, field `field` does not convert
    NegativeCount,         // the count of `section` is negative
    CountTooLarge,         // the records of `section` would not fit in the file
    TooManyVirtualPoints,  // more virtual points than the 101 slots
    OutOfMemory,
};

struct LoadError {
    LoadFailure failure = LoadFailure::None;
    JwcSection section = JwcSection::HeaderBlocks;
    std::int64_t offset = 0;    // byte offset where the failing section or field starts
    std::int64_t fileSize = 0;  // Truncated, CountTooLarge
    std::int64_t count = 0;     // NegativeCount, CountTooLarge, TooManyVirtualPoints
    int block = 0;              // InvalidField: header block 1..4
    int field = 0;              // InvalidField: field number from 1
    std::string fieldText;      // InvalidField: the field's value as read
};

}  // namespace orvik
