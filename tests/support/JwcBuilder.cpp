#include "support/JwcBuilder.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace orvik {
namespace {

void PutU8(std::string& out, std::uint8_t v) { out += static_cast<char>(v); }
void PutU16(std::string& out, std::uint16_t v) {
    PutU8(out, v & 0xFF);
    PutU8(out, v >> 8);
}
void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) PutU8(out, (v >> (8 * i)) & 0xFF);
}
void PutI32(std::string& out, std::int32_t v) { PutU32(out, static_cast<std::uint32_t>(v)); }
// A 32-bit real of the file, from the model's double (exact for what a JWC file held).
void PutF32(std::string& out, double v) {
    const auto single = static_cast<float>(v);
    std::uint32_t bits;
    std::memcpy(&bits, &single, sizeof bits);
    PutU32(out, bits);
}

// A text field of fixed size: cut, or padded with NUL bytes.
std::string Fixed(std::string text, std::size_t size) {
    text.resize(size, '\0');
    return text;
}

std::string Address(std::int32_t linear) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X:%04X", static_cast<unsigned>(linear / 16),
                  static_cast<unsigned>(linear % 16));
    return text;
}

// Header fields not carried by the builder's own settings, with the texts
// JW_CAD writes for their defaults (blocks 2-4, fields from 1).
const char* const kBlock2Rest[] = {nullptr, nullptr, nullptr, nullptr, nullptr, "1",   "1",     "1",
                                   "1",     "1.0",   "0",     nullptr, "2",     "1",   "0.0",   "0.0",
                                   "5.0",   "10.0",  "0",     "0",     "0",     "0",   "0",     "0",
                                   "0",     "5.0",   "5.0",   "0.0",   "0.0",   "0.0", nullptr, "0"};
const char* const kBlock3[] = {"0.0",   "0.0",   "3.0",   "15.0",  "0",     "0",   "0",   "0",  "0", "1",
                               "0.0",   "0.0",   "0.0",   "0.0",   "0.0",   "0.0", "0",   "0",  "0", "100.0",
                               "100.0", "100.0", "100.0", "100.0", "100.0", "0.0", "0.0", "1.0"};
constexpr int kFieldCounts[] = {0, 0, 32, 28, 22};

}  // namespace

std::int32_t AngleUnits(double degrees) { return static_cast<std::int32_t>(std::lround(degrees * 65536.0)); }

JwcBuilder::JwcBuilder() {
    for (auto& group : tables_.layerGroups) {
        group.scale = 1.0f;
        group.visible = 1;
    }
    for (auto& layer : tables_.layers) layer.visible = 1;
}

JwcBuilder& JwcBuilder::HeaderTexts(std::string text1, std::string text2) {
    text1_ = std::move(text1);
    text2_ = std::move(text2);
    return *this;
}

JwcBuilder& JwcBuilder::FloatScales(bool on) {
    floatScales_ = on;
    return *this;
}

JwcBuilder& JwcBuilder::Paper(int size, int divisor) {
    paperSize_ = size;
    paperDivisor_ = divisor;
    return *this;
}

JwcBuilder& JwcBuilder::Group(int group, float scale, std::string name, bool visible) {
    auto& g = tables_.layerGroups.at(group);
    g.scale = scale;
    g.name = std::move(name);
    g.visible = visible ? 1 : 0;
    return *this;
}

JwcBuilder& JwcBuilder::Layer(int layer, std::string name, bool visible) {
    auto& l = tables_.layers.at(layer);
    l.name = std::move(name);
    l.visible = visible ? 1 : 0;
    return *this;
}

JwcBuilder& JwcBuilder::TextType(int type, std::uint16_t attr, std::uint16_t width, std::uint16_t height,
                                 std::uint16_t value3) {
    tables_.textTypes.at(type) = orvik::TextType{attr, width, height};
    value3_.at(type) = value3;
    return *this;
}

JwcBuilder& JwcBuilder::Line(const LineRecord& line) {
    lines_.push_back(line);
    return *this;
}

JwcBuilder& JwcBuilder::Arc(const ArcRecord& arc) {
    arcs_.push_back(arc);
    return *this;
}

JwcBuilder& JwcBuilder::Text(const TextRecord& text) {
    TextRecord record = text;
    if (!record.address) {
        record.address = PoolStartAddress() + static_cast<std::int32_t>(pool_.size());
        pool_ += text.text;
        pool_ += '\0';
    }
    texts_.push_back(record);
    return *this;
}

JwcBuilder& JwcBuilder::Point(const DrawingPoint& point) {
    points_.push_back(point);
    return *this;
}

JwcBuilder& JwcBuilder::VirtualPoint(float x, float y, std::uint8_t layer) {
    virtualSlots_.at(virtualPoints_++) = orvik::VirtualPoint{x, y, layer};
    return *this;
}

JwcBuilder& JwcBuilder::PoolBytes(const std::string& bytes) {
    pool_ += bytes;
    return *this;
}

JwcBuilder& JwcBuilder::PoolAt(std::string startField) {
    poolStartField_ = std::move(startField);
    return *this;
}

JwcBuilder& JwcBuilder::SetField(int block, int field, std::string text) {
    fieldOverrides_[{block, field}] = std::move(text);
    return *this;
}

JwcBuilder& JwcBuilder::SetBlock(int block, std::string text) {
    blockOverrides_[block] = std::move(text);
    return *this;
}

JwcBuilder& JwcBuilder::Trailer(std::string bytes) {
    trailer_ = std::move(bytes);
    return *this;
}

std::int32_t JwcBuilder::PoolStartAddress() const {
    try {
        return std::stoi(poolStartField_.substr(0, 4), nullptr, 16) * 16 +
               std::stoi(poolStartField_.substr(5, 4), nullptr, 16);
    } catch (const std::exception&) {
        return kDefaultPoolAddress;
    }
}

std::string JwcBuilder::DataFieldText(int block, int field) const {
    if (auto it = fieldOverrides_.find({block, field}); it != fieldOverrides_.end()) return it->second;
    auto number = [](auto v) { return std::to_string(v); };
    if (block == 2) {
        switch (field) {
            case 1: return number(lines_.size());
            case 2: return number(arcs_.size());
            case 3: return number(texts_.size());
            case 4: return number(points_.size());
            case 5: return number(virtualPoints_);
            case 12: return number(paperSize_);
            case 31: return number(paperDivisor_);
            default: return kBlock2Rest[field - 1];
        }
    }
    if (block == 3) return kBlock3[field - 1];
    if (field == 1) return poolStartField_;
    if (field == 2) return Address(PoolStartAddress() + static_cast<std::int32_t>(pool_.size()));
    return field <= 20 ? "0.0" : "0";
}

std::string JwcBuilder::HeaderBlock(int block) const {
    if (auto it = blockOverrides_.find(block); it != blockOverrides_.end()) return Fixed(it->second, kHeaderBlockSize);
    if (block == 1) {
        // The signature, then 20 bytes whose third (byte 23 of the file) says how scales are stored.
        std::string ident = std::string(kJwcSignature) + (floatScales_ ? "  f" : "  i");
        return Fixed(Fixed(ident, 40) + Fixed(text1_, 32) + Fixed(text2_, 32), kHeaderBlockSize);
    }
    std::string text;
    for (int field = 1; field <= kFieldCounts[block]; ++field) {
        if (field > 1) text += ',';
        text += DataFieldText(block, field);
    }
    if (text.size() > static_cast<std::size_t>(kHeaderBlockSize))
        throw std::length_error("header block " + std::to_string(block) + " exceeds 200 bytes");
    return Fixed(text, kHeaderBlockSize);
}

std::string JwcBuilder::Bytes() const {
    std::string out;
    for (int block = 1; block <= 4; ++block) out += HeaderBlock(block);
    for (const auto& v : virtualSlots_) PutF32(out, v.x);
    for (const auto& v : virtualSlots_) PutF32(out, v.y);
    for (const auto& v : virtualSlots_) PutU8(out, v.layer);
    for (auto field : {&orvik::TextType::attribute, &orvik::TextType::width, &orvik::TextType::height})
        for (int i = 0; i < kFileTextTypes; ++i) PutU16(out, tables_.textTypes[i].*field);
    for (int i = 0; i < kFileTextTypes; ++i) PutU16(out, value3_[i]);
    for (const auto& g : tables_.layerGroups) {
        if (floatScales_)
            PutF32(out, g.scale);
        else
            PutU16(out, static_cast<std::uint16_t>(g.scale));
    }
    // Each group's and layer's first flag byte, their visibility, each group's third flag byte.
    out.append(kLayerGroupCount + kLayerCount, '\0');
    for (const auto& g : tables_.layerGroups) PutU8(out, g.visible);
    for (const auto& l : tables_.layers) PutU8(out, l.visible);
    out.append(kLayerGroupCount, '\0');
    for (const auto& s : lines_) {
        for (double v : {s.x1, s.y1, s.x2, s.y2}) PutF32(out, v);
        for (auto b : {s.lineType, s.pen, s.layer, s.byte19, s.curveMark, s.byte21}) PutU8(out, b);
    }
    for (const auto& a : arcs_) {
        for (double v : {a.cx, a.cy, a.radius}) PutF32(out, v);
        PutU16(out, a.flatness);
        for (auto v : {a.start, a.end, a.tilt}) PutI32(out, v);
        for (auto b : {a.lineType, a.pen, a.layer, a.byte29, a.byte30, a.byte31}) PutU8(out, b);
    }
    for (const auto& t : texts_) {
        for (double v : {t.x1, t.y1, t.x2, t.y2}) PutF32(out, v);
        const std::int32_t segment = std::min(*t.address / 16, 0xFFFF);
        PutU16(out, static_cast<std::uint16_t>(*t.address - segment * 16));
        PutU16(out, static_cast<std::uint16_t>(segment));
        for (auto b : {t.textType, t.layer, t.flags, t.byte23}) PutU8(out, b);
    }
    out += pool_;
    for (const auto& p : points_) {
        PutF32(out, p.x);
        PutF32(out, p.y);
        for (auto b : {p.layer, p.pen, std::uint8_t{0}, std::uint8_t{0}}) PutU8(out, b);
    }
    for (const auto& l : tables_.layers) out += Fixed(l.name, kLayerNameSize);
    for (const auto& g : tables_.layerGroups) out += Fixed(g.name, kLayerGroupNameSize);
    return out + trailer_;
}

std::int64_t JwcBuilder::SectionOffset(FilePart section) const {
    const std::int64_t scales = floatScales_ ? 64 : 32;
    const std::int64_t lines = 2357 + scales;
    const std::int64_t arcs = lines + kLineRecordSize * static_cast<std::int64_t>(lines_.size());
    const std::int64_t texts = arcs + kArcRecordSize * static_cast<std::int64_t>(arcs_.size());
    const std::int64_t pool = texts + kTextRecordSize * static_cast<std::int64_t>(texts_.size());
    const std::int64_t points = pool + static_cast<std::int64_t>(pool_.size());
    const std::int64_t names = points + kPointRecordSize * static_cast<std::int64_t>(points_.size());
    switch (section) {
        case FilePart::HeaderBlocks: return 0;
        case FilePart::VirtualPoints: return 800;
        case FilePart::TextTypes: return 1709;
        case FilePart::GroupScales: return 1797;
        case FilePart::LayerFlags: return 1797 + scales;
        case FilePart::Lines: return lines;
        case FilePart::Arcs: return arcs;
        case FilePart::Texts: return texts;
        case FilePart::TextPool: return pool;
        case FilePart::Points: return points;
        case FilePart::LayerNames: return names;
        case FilePart::GroupNames: return names + kLayerCount * kLayerNameSize;
        default: break;  // the parts of a JWW file
    }
    return 0;
}

void JwcBuilder::WriteTo(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::string bytes = Bytes();
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace orvik
