#include "dxf/DxfWriter.h"

#include <algorithm>
#include <cmath>
#include <ranges>

#include "dxf/NumberFormat.h"
#include "geometry/Trigonometry.h"
#include "numeric/Extended.h"
#include "text/Cp932.h"
#include "text/Substitution.h"

namespace orvik {
namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 20;
constexpr std::size_t kMaxLine = 32;  // a code or number line with its CR LF

}  // namespace

Extended NormalizeAngle(Extended angle, Extended atFullTurn, Extended lowerBound) {
    Extended t = angle;
    // Far below: the remainder of a turn in one exact step (fmod is exact, as
    // is every addition of 360 on the way down to it), so that a huge angle
    // takes no longer than a small one; -0 becomes 0, as the additions give.
    if (t < lowerBound - 720) t = Fmod(t, 360) + 0.0;
    while (t < lowerBound) t += 360;
    return t == 360 ? atFullTurn : t;
}

bool SameAngle(Extended a, Extended b) { return NormalizeAngle(a, 0, 0) == NormalizeAngle(b, 0, 0); }

DxfWriter::DxfWriter(ByteSink* sink, TextEncoding encoding, std::int32_t lastHandle, std::string storage,
                     GroupSet groups)
    : sink_(sink), encoding_(encoding), groups_(groups), buffer_(std::move(storage)), handle_(lastHandle) {
    if (buffer_.size() < kChunkSize) buffer_.resize(kChunkSize);
}

char* DxfWriter::Grow(std::size_t n) {
    if (sink_) Flush();
    if (used_ + n > buffer_.size()) buffer_.resize(std::max(2 * buffer_.size(), used_ + n));
    return buffer_.data() + used_;
}

void DxfWriter::AppendPart(std::string_view text, std::int32_t lastHandle) {
    if (sink_) {
        Flush();
        sink_->Write(text);
    } else {
        Append(text);
    }
    handle_ = lastHandle;
}

std::string DxfWriter::TakeText() {
    buffer_.resize(used_);
    used_ = 0;
    return std::move(buffer_);
}

void DxfWriter::Flush() {
    if (!sink_ || used_ == 0) return;
    sink_->Write(std::string_view(buffer_).substr(0, used_));
    used_ = 0;
}

// The group code line: right-aligned in three columns, wider codes whole.
void DxfWriter::CodeLine(int code) {
    char* p = Reserve(kMaxLine);
    std::size_t n = 3;
    if (code >= 0 && code < 1000) {
        p[0] = code >= 100 ? static_cast<char>('0' + code / 100) : ' ';
        p[1] = code >= 10 ? static_cast<char>('0' + code / 10 % 10) : ' ';
        p[2] = static_cast<char>('0' + code % 10);
    } else {
        n = FormatIntTo(p, code, 3);
    }
    p[n] = '\r';
    p[n + 1] = '\n';
    used_ += n + 2;
}

void DxfWriter::ValueLine(std::string_view bytes) {
    char* p = Reserve(bytes.size() + 2);
    std::memcpy(p, bytes.data(), bytes.size());
    p[bytes.size()] = '\r';
    p[bytes.size() + 1] = '\n';
    used_ += bytes.size() + 2;
}

void DxfWriter::WriteGroup(int code, std::string_view text) {
    if (Skips(code)) return;
    CodeLine(code);
    // Bytes below 0x20 need escaping; in UTF-8, bytes from 0x80 on converting.
    const bool toUtf8 = encoding_ == TextEncoding::Utf8 && std::any_of(text.begin(), text.end(), [](char c) {
                            return static_cast<unsigned char>(c) >= 0x80;
                        });
    if (std::any_of(text.begin(), text.end(), IsControlByte)) {
        const std::string escaped = EscapeControlBytes(text);
        ValueLine(toUtf8 ? Cp932ToUtf8(escaped) : escaped);
    } else {
        ValueLine(toUtf8 ? Cp932ToUtf8(text) : text);
    }
}

void DxfWriter::WriteInt(int code, std::int64_t value, int width) {
    if (Skips(code)) return;
    CodeLine(code);
    char* p = Reserve(kMaxLine + static_cast<std::size_t>(std::max(width, 0)));
    const std::size_t n = FormatIntTo(p, value, width);
    p[n] = '\r';
    p[n + 1] = '\n';
    used_ += n + 2;
}

void DxfWriter::WriteReal(int code, Extended value) {
    if (Skips(code)) return;
    CodeLine(code);
    char* p = Reserve(kMaxRealLength + 2);
    const std::size_t n = FormatRealTo(p, value);
    p[n] = '\r';
    p[n + 1] = '\n';
    used_ += n + 2;
}

void DxfWriter::WriteHandle(int code, std::int64_t value) {
    if (Skips(code)) return;
    CodeLine(code);
    char text[24];
    ValueLine(std::string_view(text, FormatHandleTo(text, value)));
}

void DxfWriter::WriteDegrees(int code, Extended degrees, Extended lowerBound) {
    WriteReal(code, NormalizeAngle(degrees, 0, lowerBound));
}

void DxfWriter::WriteRadians(int code, Extended degrees, Extended valueIfZero, Extended lowerBound) {
    Extended t = NormalizeAngle(degrees, 0, lowerBound);
    if (t == 0) t = valueIfZero;
    WriteReal(code, Radians(t));
}

void DxfWriter::WriteLtypeRecord(std::int64_t handle, std::string_view name, std::string_view description,
                                 std::string_view patternLength, std::span<const std::string_view> elements) {
    WriteGroup(0, "LTYPE");
    WriteHandle(5, handle);
    WriteGroup(330, "5");
    WriteGroup(100, "AcDbSymbolTableRecord");
    WriteGroup(100, "AcDbLinetypeTableRecord");
    WriteGroup(group::kName, name);
    WriteInt(70, 0);
    WriteGroup(3, description);
    WriteInt(72, 65);
    WriteInt(73, static_cast<std::int64_t>(elements.size()));
    WriteGroup(40, patternLength);
    for (std::string_view element : elements) {
        WriteGroup(group::kLinetype.dash, element);
        if (groups_ != GroupSet::R12) WriteInt(74, 0);
    }
}

}  // namespace orvik
