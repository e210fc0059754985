// Builds JWC file bytes from a short description: the tests' fixtures, the
// sample drawing and the benchmark drawing are made with it.
//
// Every header field gets the text JW_CAD would write for the drawing's
// values; SetField and SetBlock replace any of them with arbitrary text, so
// broken files (bad fields, absurd counts) are as easy to make as good ones.
// Truncated files are a prefix of Bytes(); SectionOffset says where each
// section begins.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "failure/Failure.h"
#include "jwc/JwcFile.h"

namespace orvik {

// Angles in arc records are stored in 1/65536 degree.
std::int32_t AngleUnits(double degrees);

// A line record: the drawing's line and the two bytes the file keeps beside its marks.
struct LineRecord {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint8_t lineType = 1, pen = 1, layer = 0;
    std::uint8_t byte19 = 0, curveMark = 0, byte21 = 0;
};

struct ArcRecord {
    float cx = 0, cy = 0, radius = 1;
    std::uint16_t flatness = 10000;  // ten-thousandths: 10000 is a circle
    std::int32_t start = 0, end = 0, tilt = 0;  // 1/65536 degree
    std::uint8_t lineType = 1, pen = 1, layer = 0;
    std::uint8_t byte29 = 0, byte30 = 0, byte31 = 0;
};

struct TextRecord {
    float x1 = 0, y1 = 0, x2 = 1, y2 = 0;
    std::string text;  // appended to the pool with a closing NUL
    std::optional<std::int32_t> address = std::nullopt;  // set: points there instead, text is not pooled
    std::uint8_t textType = 0, layer = 0, flags = 0, byte23 = 0;
};

class JwcBuilder {
public:
    JwcBuilder();

    JwcBuilder& HeaderTexts(std::string text1, std::string text2);
    JwcBuilder& FloatScales(bool on);
    JwcBuilder& Paper(int size, int divisor);
    JwcBuilder& Group(int group, float scale, std::string name = {}, bool visible = true);
    JwcBuilder& Layer(int layer, std::string name, bool visible = true);
    JwcBuilder& TextType(int type, std::uint16_t attr, std::uint16_t width, std::uint16_t height,
                         std::uint16_t value3 = 0);

    JwcBuilder& Line(const LineRecord& line);
    JwcBuilder& Arc(const ArcRecord& arc);
    JwcBuilder& Text(const TextRecord& text);
    JwcBuilder& Point(const DrawingPoint& point);
    JwcBuilder& VirtualPoint(float x, float y, std::uint8_t layer);
    // Raw bytes added to the text pool (for strings at chosen positions).
    JwcBuilder& PoolBytes(const std::string& bytes);
    // Pool addresses in header block 4 (by default 6000:0000 and its end).
    JwcBuilder& PoolAt(std::string startField);

    // Replace header field `field` (from 1) of block 2, 3 or 4 with `text`.
    JwcBuilder& SetField(int block, int field, std::string text);
    // Replace a whole header block (1-4); it is cut or NUL-padded to 200 bytes.
    JwcBuilder& SetBlock(int block, std::string text);
    // Bytes appended after the group names.
    JwcBuilder& Trailer(std::string bytes);

    std::int32_t PoolStartAddress() const;
    std::string Bytes() const;
    std::int64_t SectionOffset(FilePart section) const;
    void WriteTo(const std::string& path) const;

private:
    std::string HeaderBlock(int block) const;
    std::string DataFieldText(int block, int field) const;

    std::string text1_, text2_;
    bool floatScales_ = true;
    int paperSize_ = 3, paperDivisor_ = 518;
    std::string poolStartField_ = "6000:0000";
    std::map<std::pair<int, int>, std::string> fieldOverrides_;
    std::map<int, std::string> blockOverrides_;
    Drawing tables_;  // fixed tables and names
    std::array<orvik::VirtualPoint, kVirtualPointSlots> virtualSlots_{};
    std::array<std::uint16_t, kFileTextTypes> value3_{};
    std::vector<LineRecord> lines_;
    std::vector<ArcRecord> arcs_;
    std::vector<TextRecord> texts_;
    std::vector<DrawingPoint> points_;
    int virtualPoints_ = 0;
    std::string pool_;
    std::string trailer_;
};

}  // namespace orvik
