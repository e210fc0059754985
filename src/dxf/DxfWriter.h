// The DXF group writer: every group of the output goes through here, so the
// exact text of a group is decided in one place.
//
// A group is two lines: the code right-aligned in three columns (wider codes
// whole), then the value. Every line ends in CR LF, and no value holds a
// control byte: a text value that would is written in DXF's caret notation
// (see EscapeControlBytes). The text goes to a sink in chunks of about a
// megabyte as it is written, or, without a sink, stays in memory.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "dxf/Groups.h"
#include "failure/Failure.h"
#include "numeric/Extended.h"
#include "output/ByteSink.h"

namespace orvik {

// `angle`, raised by 360 while below `lowerBound` (a bound within a turn of
// 0), in constant time; exactly 360 becomes `atFullTurn`. Never lowered: 400
// stays 400. Not a number (an infinite angle among them) stays one.
Extended NormalizeAngle(Extended angle, Extended atFullTurn, Extended lowerBound);

// The two angles are equal once each is normalised to [0, 360) from below.
bool SameAngle(Extended a, Extended b);

// How string values reach the file: as the CP932 bytes they are, or
// converted to UTF-8 (the encoding of DXF files from AutoCAD 2007 on).
enum class TextEncoding { Cp932, Utf8 };

// The groups a file may hold: all, or those of AutoCAD R12, whose files have
// no handles (5, 105), subclass markers (100), owners and reactors (330,
// 102), references between records (340, 360, 390), lineweights (370), true
// colours (420) or line-type shape flags (74 in LTYPE): a writer for R12
// leaves those groups out wherever they are written.
enum class GroupSet { All, R12 };

// True for a group code that files of AutoCAD R12 do not hold.
constexpr bool IsLaterThanR12(int code) {
    switch (code) {
        case 5:
        case 100:
        case 102:
        case 105:
        case 330:
        case 340:
        case 360:
        case 370:
        case 390:
        case 420: return true;
        default: return false;
    }
}

class DxfWriter {
public:
    static constexpr std::int32_t kFirstHandleSeed = 0x4F;  // the first handle handed out is 50

    // With a sink, the text is handed to it as it grows (Flush() hands the
    // rest); without one, Text() holds all of it. String values arrive as
    // CP932 and are written in `encoding`. Handles are handed out from
    // lastHandle + 1 (a writer for a later part of a file starts where the
    // records before it left off). `storage`, a string no longer needed, lends
    // the buffer its memory.
    explicit DxfWriter(ByteSink* sink = nullptr, TextEncoding encoding = TextEncoding::Cp932,
                       std::int32_t lastHandle = kFirstHandleSeed, std::string storage = {},
                       GroupSet groups = GroupSet::All);

    void WriteGroup(int code, std::string_view text);
    void WriteInt(int code, std::int64_t value, int width = 6);
    void WriteReal(int code, Extended value);
    void WriteHandle(int code, std::int64_t value);
    std::int32_t NextHandle() { return ++handle_; }
    std::int32_t LastHandle() const { return handle_; }
    TextEncoding Encoding() const { return encoding_; }
    GroupSet Groups() const { return groups_; }

    void WriteColor(std::int64_t color) { WriteInt(group::kEntity.color, color); }
    void WriteLinetype(std::string_view name) { WriteGroup(group::kEntity.linetype, name); }
    void WriteLayer(std::string_view name) { WriteGroup(group::kEntity.layer, name); }

    void WriteDegrees(int code, Extended degrees, Extended lowerBound);
    void WriteRadians(int code, Extended degrees, Extended valueIfZero, Extended lowerBound);

    void WriteLtypeRecord(std::int64_t handle, std::string_view name, std::string_view description,
                          std::string_view patternLength, std::span<const std::string_view> elements);

    // Hands what is buffered to the sink. Throws what the sink throws.
    void Flush();

    // Text another writer made for the next part of this file, whose records
    // took the handles up to `lastHandle`: written after what this one holds.
    void AppendPart(std::string_view text, std::int32_t lastHandle);

    // The whole text written so far, when there is no sink.
    std::string Text() const { return buffer_.substr(0, used_); }
    // The same, taken out of the writer, which is left empty.
    std::string TakeText();

private:
    // Room for `n` more bytes in the buffer.
    char* Reserve(std::size_t n) { return used_ + n <= buffer_.size() ? buffer_.data() + used_ : Grow(n); }
    // Flushes, or enlarges the buffer when there is no sink or `n` is larger.
    char* Grow(std::size_t n);
    void Append(std::string_view bytes) {
        std::memcpy(Reserve(bytes.size()), bytes.data(), bytes.size());
        used_ += bytes.size();
    }
    // True when the group is left out of the file.
    bool Skips(int code) const { return groups_ == GroupSet::R12 && IsLaterThanR12(code); }
    void CodeLine(int code);
    // The value line of a group: `bytes` and CR LF.
    void ValueLine(std::string_view bytes);

    ByteSink* sink_;
    TextEncoding encoding_;
    GroupSet groups_;
    std::string buffer_;
    std::size_t used_ = 0;  // bytes of buffer_ holding text
    std::int32_t handle_ = kFirstHandleSeed;
};

}  // namespace orvik
