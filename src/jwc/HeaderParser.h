// The text header of a JWC file: four 200-byte blocks.
//
// Block 1 holds the signature and two free texts. Blocks 2-4 hold numbers
// written as text and separated by commas; each field has a fixed syntax by
// its position (integer, real, or segment:offset address). A field that does
// not convert makes the whole file unreadable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "failure/Failure.h"
#include "jwc/JwcFile.h"

namespace orvik {

// The first n comma-separated fields of a header block. Fields not present
// read as "0"; text after the n-th field is ignored. Nothing is trimmed: the
// last field runs to the end of the block, NUL padding included.
std::vector<std::string> SplitFields(std::string_view block, int n);

// Field syntaxes. Each takes the raw field; its value ends at the first NUL.
// Integer: spaces, optional sign, decimal digits, nothing else; fits 32 bits.
std::optional<std::int32_t> ParseIntegerField(std::string_view field);
// Real: spaces, optional sign, digits with an optional fraction, optional
// exponent, trailing spaces; at least one digit; fits a 32-bit real.
std::optional<float> ParseRealField(std::string_view field);
// Segment:offset: hex digits in characters 1-4 and 6-9 (character 5 is not
// looked at); the value is the real-mode linear address segment * 16 + offset.
std::optional<std::int32_t> ParseAddressField(std::string_view field);

// Fills drawing.header from drawing.headerBlocks (all four present). Fields
// are converted in file order; at the first invalid one this stops, returns
// false and describes it in *error. Fields converted before it keep their
// file values, the rest their defaults.
bool ParseHeader(JwcFile& file, Failure* error);

}  // namespace orvik
