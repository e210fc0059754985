#include "jwc/HeaderParser.h"

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

// Where a field's value goes in THeader, and which syntax it has.
enum class Syntax { Integer, Real, Address };

struct FieldSlot {
    Syntax syntax;
    std::int32_t THeader::*integer = nullptr;  // Integer and Address fields
    float THeader::*real = nullptr;            // Real fields
};

constexpr FieldSlot I(std::int32_t THeader::*target) { return {Syntax::Integer, target, nullptr}; }
constexpr FieldSlot R(float THeader::*target) { return {Syntax::Real, nullptr, target}; }
constexpr FieldSlot A(std::int32_t THeader::*target) { return {Syntax::Address, target, nullptr}; }

using H = THeader;

constexpr FieldSlot kBlock2[] = {
    I(&H::LineCount), I(&H::ArcCount),  I(&H::TextCount), I(&H::PointCount),   I(&H::VirtualPointCount),
    I(&H::Hdr2_06),   I(&H::Hdr2_07),   I(&H::Hdr2_08),   I(&H::Hdr2_09),      R(&H::Hdr2_10),
    I(&H::Hdr2_11),   I(&H::PaperSize), I(&H::Hdr2_13),   I(&H::Hdr2_14),      R(&H::Hdr2_15),
    R(&H::Hdr2_16),   R(&H::Hdr2_17),   R(&H::Hdr2_18),   I(&H::Hdr2_19),      I(&H::Hdr2_20),
    I(&H::Hdr2_21),   I(&H::Hdr2_22),   I(&H::Hdr2_23),   I(&H::Hdr2_24),      I(&H::Hdr2_25),
    R(&H::Hdr2_26),   R(&H::Hdr2_27),   R(&H::Hdr2_28),   R(&H::Hdr2_29),      R(&H::Hdr2_30),
    I(&H::PaperDivisor), I(&H::Hdr2_32),
};

constexpr FieldSlot kBlock3[] = {
    R(&H::Hdr3_01), R(&H::Hdr3_02), R(&H::Hdr3_03), R(&H::Hdr3_04), I(&H::Hdr3_05), I(&H::Hdr3_06),
    I(&H::Hdr3_07), I(&H::Hdr3_08), I(&H::Hdr3_09), I(&H::Hdr3_10), R(&H::Hdr3_11), R(&H::Hdr3_12),
    R(&H::Hdr3_13), R(&H::Hdr3_14), R(&H::Hdr3_15), R(&H::Hdr3_16), I(&H::Hdr3_17), I(&H::Hdr3_18),
    I(&H::Hdr3_19), R(&H::Hdr3_20), R(&H::Hdr3_21), R(&H::Hdr3_22), R(&H::Hdr3_23), R(&H::Hdr3_24),
    R(&H::Hdr3_25), R(&H::Hdr3_26), R(&H::Hdr3_27), R(&H::Hdr3_28),
};

constexpr FieldSlot kBlock4[] = {
    A(&H::PoolStart), A(&H::PoolEnd), R(&H::Hdr4_03), R(&H::Hdr4_04), R(&H::Hdr4_05), R(&H::Hdr4_06),
    R(&H::Hdr4_07),   R(&H::Hdr4_08), R(&H::Hdr4_09), R(&H::Hdr4_10), R(&H::Hdr4_11), R(&H::Hdr4_12),
    R(&H::Hdr4_13),   R(&H::Hdr4_14), R(&H::Hdr4_15), R(&H::Hdr4_16), R(&H::Hdr4_17), R(&H::Hdr4_18),
    R(&H::Hdr4_19),   R(&H::Hdr4_20), I(&H::Hdr4_21), I(&H::Hdr4_22),
};

static_assert(std::size(kBlock2) == 32 && std::size(kBlock3) == 28 && std::size(kBlock4) == 22);

// Converts one field into its slot; false when the field is invalid.
bool StoreField(THeader& header, const FieldSlot& slot, std::string_view field) {
    switch (slot.syntax) {
        case Syntax::Integer: {
            auto value = ParseIntegerField(field);
            if (!value) return false;
            // PaperDivisor 0 would make the drawing unit infinite: JW_CAD means its default.
            if (slot.integer == &THeader::PaperDivisor && *value == 0) *value = THeader{}.PaperDivisor;
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

bool ParseBlock(JwcDrawing& drawing, int block, std::span<const FieldSlot> slots, LoadError* error) {
    const std::string& text = drawing.HeaderLines[block - 1];
    const auto fields = SplitFields(text, static_cast<int>(slots.size()));
    std::int64_t offset = static_cast<std::int64_t>(block - 1) * kHeaderBlockSize;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!StoreField(drawing.Header, slots[i], fields[i])) {
            if (error) {
                error->failure = LoadFailure::InvalidField;
                error->section = JwcSection::HeaderBlocks;
                error->block = block;
                error->field = static_cast<int>(i) + 1;
                error->offset = offset;
                error->fieldText = std::string(UpToNul(fields[i]));
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
    long double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc{} || result.ptr != number.data() + number.size()) return std::nullopt;
    if (std::fabs(value) > std::numeric_limits<float>::max()) return std::nullopt;
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

bool ParseHeader(JwcDrawing& drawing, LoadError* error) {
    THeader& header = drawing.Header;
    const std::string_view block1 = drawing.HeaderLines[0];
    header.Ident = std::string(UpToNul(block1.substr(0, 40)));
    header.HeaderText1 = std::string(UpToNul(block1.substr(40, 32)));
    header.HeaderText2 = std::string(UpToNul(block1.substr(72, 32)));
    header.FloatScales = block1.size() > 22 && block1[22] == 'f';

    return ParseBlock(drawing, 2, kBlock2, error) && ParseBlock(drawing, 3, kBlock3, error) &&
           ParseBlock(drawing, 4, kBlock4, error);
}

}  // namespace orvik
