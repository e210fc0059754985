#include "jwc/HeaderParser.h"
#include "numeric/Extended.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <span>
#include <string>

namespace orvik {
namespace {

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<int> HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

std::optional<std::int32_t> ParseHex(std::string_view digits) {
    std::int32_t value = 0;
    for (char c : digits) {
        auto digit = HexValue(c);
        if (!digit) return std::nullopt;
        value = value * 16 + *digit;
    }
    return value;
}

// Where a field's value goes in JwcHeader, and which syntax it has.
enum class Syntax { Integer, Real, Address };

struct FieldSlot {
    Syntax syntax;
    std::int32_t JwcHeader::*integer = nullptr;  // Integer and Address fields
    float JwcHeader::*real = nullptr;  // Real fields
};

constexpr FieldSlot I(std::int32_t JwcHeader::*target) { return {Syntax::Integer, target, nullptr}; }
constexpr FieldSlot R(float JwcHeader::*target) { return {Syntax::Real, nullptr, target}; }
constexpr FieldSlot A(std::int32_t JwcHeader::*target) { return {Syntax::Address, target, nullptr}; }

using H = JwcHeader;

constexpr FieldSlot kBlock2[] = {
    I(&H::lineCount),    I(&H::arcCount),  I(&H::textCount), I(&H::pointCount), I(&H::virtualPointCount),
    I(&H::hdr2_06),      I(&H::hdr2_07),   I(&H::hdr2_08),   I(&H::hdr2_09),    R(&H::hdr2_10),
    I(&H::hdr2_11),      I(&H::paperSize), I(&H::hdr2_13),   I(&H::hdr2_14),    R(&H::hdr2_15),
    R(&H::hdr2_16),      R(&H::hdr2_17),   R(&H::hdr2_18),   I(&H::hdr2_19),    I(&H::hdr2_20),
    I(&H::hdr2_21),      I(&H::hdr2_22),   I(&H::hdr2_23),   I(&H::hdr2_24),    I(&H::hdr2_25),
    R(&H::hdr2_26),      R(&H::hdr2_27),   R(&H::hdr2_28),   R(&H::hdr2_29),    R(&H::hdr2_30),
    I(&H::paperDivisor), I(&H::hdr2_32),
};

constexpr FieldSlot kBlock3[] = {
    R(&H::hdr3_01), R(&H::hdr3_02), R(&H::hdr3_03), R(&H::hdr3_04), I(&H::hdr3_05), I(&H::hdr3_06), I(&H::hdr3_07),
    I(&H::hdr3_08), I(&H::hdr3_09), I(&H::hdr3_10), R(&H::hdr3_11), R(&H::hdr3_12), R(&H::hdr3_13), R(&H::hdr3_14),
    R(&H::hdr3_15), R(&H::hdr3_16), I(&H::hdr3_17), I(&H::hdr3_18), I(&H::hdr3_19), R(&H::hdr3_20), R(&H::hdr3_21),
    R(&H::hdr3_22), R(&H::hdr3_23), R(&H::hdr3_24), R(&H::hdr3_25), R(&H::hdr3_26), R(&H::hdr3_27), R(&H::hdr3_28),
};

constexpr FieldSlot kBlock4[] = {
    A(&H::poolStart), A(&H::poolEnd), R(&H::hdr4_03), R(&H::hdr4_04), R(&H::hdr4_05), R(&H::hdr4_06),
    R(&H::hdr4_07),   R(&H::hdr4_08), R(&H::hdr4_09), R(&H::hdr4_10), R(&H::hdr4_11), R(&H::hdr4_12),
    R(&H::hdr4_13),   R(&H::hdr4_14), R(&H::hdr4_15), R(&H::hdr4_16), R(&H::hdr4_17), R(&H::hdr4_18),
    R(&H::hdr4_19),   R(&H::hdr4_20), I(&H::hdr4_21), I(&H::hdr4_22),
};

static_assert(std::size(kBlock2) == 32 && std::size(kBlock3) == 28 && std::size(kBlock4) == 22);

// Converts one field into its slot; false when the field is invalid.
bool StoreField(JwcHeader& header, const FieldSlot& slot, std::string_view field) {
    switch (slot.syntax) {
        case Syntax::Integer: {
            auto value = ParseIntegerField(field);
            if (!value) return false;
            // PaperDivisor 0 would make the drawing unit infinite: JW_CAD means its default.
            if (slot.integer == &JwcHeader::paperDivisor && *value == 0) *value = JwcHeader{}.paperDivisor;
            header.*slot.integer = *value;
            return true;
        }
        case Syntax::Real: {
            auto value = ParseRealField(field);
            if (!value) return false;
            header.*slot.real = *value;
            return true;
        }
        case Syntax::Address: {
            auto value = ParseAddressField(field);
            if (!value) return false;
            header.*slot.integer = *value;
            return true;
        }
    }
    return false;
}

bool ParseBlock(JwcFile& drawing, int block, std::span<const FieldSlot> slots, Failure* error) {
    const std::string& text = drawing.headerBlocks[block - 1];
    const auto fields = SplitFields(text, static_cast<int>(slots.size()));
    std::int64_t offset = static_cast<std::int64_t>(block - 1) * kHeaderBlockSize;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!StoreField(drawing.header, slots[i], fields[i])) {
            if (error) {
                error->reason = Reason::InvalidField;
                error->part = FilePart::HeaderBlocks;
                error->block = block;
                error->field = static_cast<int>(i) + 1;
                error->offset = offset;
                error->detail = std::string(UpToNul(fields[i]));
            }
            return false;
        }
        offset += static_cast<std::int64_t>(fields[i].size()) + 1;  // the field and its comma
    }
    return true;
}

}  // namespace

std::vector<std::string> SplitFields(std::string_view block, int n) {
    std::vector<std::string> fields(static_cast<std::size_t>(n), "0");
    std::string_view rest = block;
    for (int i = 0; i < n; ++i) {
        const auto comma = rest.find(',');
        if (comma == std::string_view::npos) {
            fields[i] = std::string(rest);
            break;
        }
        fields[i] = std::string(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
        if (rest.empty()) break;
    }
    return fields;
}

std::optional<std::int32_t> ParseIntegerField(std::string_view field) {
    std::string_view s = UpToNul(field);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    std::int64_t magnitude = 0;
    for (char c : s) {
        if (!IsDigit(c)) return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<float> ParseRealField(std::string_view field) {
    std::string_view s = UpToNul(field);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);

    // Validate the whole syntax first; from_chars would stop early instead.
    std::string number;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') number += '-';
        ++i;
    }
    int mantissaDigits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++mantissaDigits) number += s[i];
    if (i < s.size() && s[i] == '.') {
        number += s[i++];
        for (; i < s.size() && IsDigit(s[i]); ++i, ++mantissaDigits) number += s[i];
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        number += s[i++];
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
        int exponentDigits = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i, ++exponentDigits) number += s[i];
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;

    // Text to extended precision, then rounded to the 32-bit field. A value
    // beyond the 32-bit range does not convert; one below it becomes zero.
    Extended value = 0;
    if (!ReadExtended(number, value)) return std::nullopt;
    if (Abs(value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(value);
}

std::optional<std::int32_t> ParseAddressField(std::string_view field) {
    const std::string_view s = UpToNul(field);
    if (s.size() < 6) return std::nullopt;
    const auto segment = ParseHex(s.substr(0, 4));
    const auto offset = ParseHex(s.substr(5, 4));
    if (!segment || !offset) return std::nullopt;
    return *segment * 16 + *offset;
}

bool ParseHeader(JwcFile& drawing, Failure* error) {
    JwcHeader& header = drawing.header;
    const std::string_view block1 = drawing.headerBlocks[0];
    header.ident = std::string(UpToNul(block1.substr(0, 40)));
    header.headerText1 = std::string(UpToNul(block1.substr(40, 32)));
    header.headerText2 = std::string(UpToNul(block1.substr(72, 32)));
    header.floatScales = block1.size() > 22 && block1[22] == 'f';

    return ParseBlock(drawing, 2, kBlock2, error) && ParseBlock(drawing, 3, kBlock3, error) &&
           ParseBlock(drawing, 4, kBlock4, error);
}

}  // namespace orvik
