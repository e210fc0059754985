// The DXF group writer: every group of the output goes through here, so the
// exact text of a group is decided in one place.
//
// A group is two lines: the code right-aligned in three columns (wider codes
// whole), then the value. Every line ends in CR LF. The text is built in
// memory and reaches the disk in one step (SaveTo).
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/DxfTables.h"

namespace orvik {

// A conversion that cannot finish; the message is CP932 text for the user.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// t, raised by 360 while below `lowerBound`; exactly 360 becomes `atFullTurn`.
// Never lowered: 400 stays 400.
long double NormalizeAngle(long double angle, long double atFullTurn, long double lowerBound);

// The two angles are equal once each is normalised to [0, 360) from below.
bool SameAngle(long double a, long double b);

class DxfWriter {
public:
    static constexpr std::int32_t kFirstHandleSeed = 0x4F;  // the first handle handed out is 50

    explicit DxfWriter(const DxfTables& tables) : tables_(tables) {}

    void WriteGroup(int code, std::string_view text);
    void WriteInt(int code, std::int64_t value, int width = 6);
    void WriteReal(int code, long double value);
    void WriteHandle(int code, std::int64_t value);
    std::int32_t NextHandle() { return ++handle_; }

    void WriteColor(std::int64_t color) { WriteInt(62, color); }
    void WriteColorIfDiffers(std::int64_t color, std::int64_t layerColor);
    void WritePenColor(int pen, std::int64_t layerColor);
    void WriteColorForLayer(std::int64_t color, int layer);
    void WritePenColorForLayer(int pen, int layer);

    void WriteLinetype(std::string_view name) { WriteGroup(6, name); }
    void WriteLinetypeIfDiffers(std::string_view name, std::string_view layerLinetype);
    void WriteLinetypeNumberIfDiffers(int number, std::string_view layerLinetype);
    void WriteLinetypeNumbers(int number, int layerNumber);
    void WriteLinetypeForLayer(int number, int layer);

    void WriteLayer(std::string_view name) { WriteGroup(8, name); }
    void WriteLayerNumber(int layer);

    void WriteDegrees(int code, long double degrees, long double lowerBound);
    void WriteRadians(int code, long double degrees, long double valueIfZero, long double lowerBound);

    void WriteLtypeRecord(std::int64_t handle, std::string_view name, std::string_view description,
                          std::string_view patternLength, std::span<const std::string_view> elements);

    // Writes the text to `path` through a temporary file in the same folder,
    // renamed over the output only when everything was written: a failure
    // leaves no partial file and an existing output untouched.
    // Throws ConversionError.
    void SaveTo(const std::string& path) const;

    // The whole text written so far.
    std::string Text() const;
    const DxfTables& Tables() const { return tables_; }

private:
    // Room for `n` more bytes in the current chunk.
    char* Reserve(std::size_t n);
    void Append(std::string_view bytes) {
        std::memcpy(Reserve(bytes.size()), bytes.data(), bytes.size());
        used_ += bytes.size();
    }
    void CodeLine(int code);

    const DxfTables& tables_;
    // The text in chunks: it grows without copying what is already written.
    std::vector<std::string> chunks_;
    std::size_t used_ = 0;  // bytes used in the last chunk
    std::int32_t handle_ = kFirstHandleSeed;
};

}  // namespace orvik
