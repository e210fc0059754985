#include "support/JwwBuilder.h"

#include <zlib.h>
#include <algorithm>
#include <cstring>

#include "jww/JwwReader.h"
#include "jww/MfcArchive.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

// CP932 text as UTF-16 code units.
std::u16string Utf16Of(std::string_view cp932) {
    const std::string utf8 = Cp932ToUtf8(cp932);
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[i + k])); };
        const std::size_t n = Utf8SequenceLength(std::string_view(utf8).substr(i));
        char32_t c = n == 1   ? b(0)
                     : n == 2 ? ((b(0) & 0x1F) << 6) | (b(1) & 0x3F)
                     : n == 3 ? ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F)
                              : ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += n;
    }
    return out;
}

class Writer {
public:
    Writer(std::uint32_t version, bool utf16) : v_(std::min(version, kJwwNewestVersion)), utf16_(utf16) {}

    std::string& Bytes() { return out_; }
    std::int64_t Position() const { return static_cast<std::int64_t>(out_.size()); }

    void Raw(std::string_view bytes) { out_ += bytes; }
    void Little(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) out_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    void U8(std::uint8_t v) { Little(v, 1); }
    void U16(std::uint16_t v) { Little(v, 2); }
    void U32(std::uint32_t v) { Little(v, 4); }
    void F64(double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        Little(bits, 8);
    }
    void Words(int n) { out_.append(4 * static_cast<std::size_t>(n), '\0'); }
    void Reals(int n) { out_.append(8 * static_cast<std::size_t>(n), '\0'); }

    void Count(std::uint32_t n) {
        if (n < 0xFFFF) {
            U16(static_cast<std::uint16_t>(n));
        } else {
            U16(0xFFFF);
            U32(n);
        }
    }

    void Length(std::uint32_t n) {
        if (n < 0xFF) {
            U8(static_cast<std::uint8_t>(n));
        } else if (n < 0xFFFE) {
            U8(0xFF);
            U16(static_cast<std::uint16_t>(n));
        } else {
            U8(0xFF);
            U16(0xFFFF);
            U32(n);
        }
    }

    void String(std::string_view cp932) {
        if (!utf16_) {
            Length(static_cast<std::uint32_t>(cp932.size()));
            Raw(cp932);
            return;
        }
        const std::u16string text = Utf16Of(cp932);
        Raw("\xFF\xFE\xFF");
        Length(static_cast<std::uint32_t>(text.size()));
        for (char16_t c : text) U16(c);
    }

    // The tag of a new object of the class: the class's first object brings
    // the class itself. Every class and object takes the next index.
    void ObjectTag(std::string_view className) {
        auto known =
            std::find_if(classes_.begin(), classes_.end(), [&](const auto& c) { return c.first == className; });
        if (known == classes_.end()) {
            U16(kMfcNewClassTag);
            U16(static_cast<std::uint16_t>(v_));  // the schema
            U16(static_cast<std::uint16_t>(className.size()));
            Raw(className);
            classes_.emplace_back(std::string(className), next_++);
        } else if (known->second < kMfcBigObjectTag) {
            U16(static_cast<std::uint16_t>(kMfcClassTag | known->second));
        } else {
            U16(kMfcBigObjectTag);
            U32(kMfcBigClassTag | known->second);
        }
        ++next_;
    }

    void Header(const JwwHeader& h) {
        String(h.memo);
        U32(h.paperSize);
        U32(h.writeGroup);
        for (const JwwLayerGroup& g : h.groups) {
            U32(g.state);
            U32(g.writeLayer);
            F64(g.scale);
            U32(g.protection);
            for (const JwwLayer& layer : g.layers) {
                U32(layer.state);
                U32(layer.protection);
            }
        }
        Words(14);
        for (std::uint32_t d : h.dimensionSettings) U32(d);
        Words(1);
        U32(static_cast<std::uint32_t>(h.maxDrawWidth));
        F64(h.printOriginX);
        F64(h.printOriginY);
        F64(h.printScale);
        U32(h.printSettings);
        Words(1), Reals(5);
        for (const JwwLayerGroup& g : h.groups)
            for (const JwwLayer& layer : g.layers) String(layer.name);
        for (const JwwLayerGroup& g : h.groups) String(g.name);
        Reals(2), Words(1), Reals(1);
        if (v_ >= 300) Reals(2);
        Words(1), Reals(6);
        if (v_ >= 300) {
            for (int n = 0; n < 8; ++n) Reals(3), Words(1);
            Reals(3), Words(1), Reals(3), Words(1);
        } else {
            for (int n = 0; n < 4; ++n) Reals(3);
        }
        Reals(11);
        for (const JwwPen& pen : h.screenPens) U32(pen.color), U32(pen.width);
        for (const JwwPrinterPen& pen : h.printerPens) PrinterPen(pen);
        for (const JwwLinePattern& p : h.linePatterns) Pattern(p, false);
        for (const JwwLinePattern& p : h.randomPatterns) Pattern(p, true);
        for (const JwwLinePattern& p : h.doublePatterns) Pattern(p, false);
        Words(10), U32(h.printOptions);
        if (v_ >= 223) U32(h.drawTime), Words(4), Reals(5);
        if (v_ >= 225) Reals(4);
        if (v_ >= 230) U32(h.solidAnyColor), U32(h.solidColor);
        if (v_ >= 420) {
            for (std::size_t n = 0; n < 257; ++n) {
                const JwwPen pen = n < h.sxfScreenPens.size() ? h.sxfScreenPens[n] : JwwPen{};
                U32(pen.color), U32(pen.width);
            }
            for (std::size_t n = 0; n < 257; ++n) {
                String(n < h.sxfColorNames.size() ? h.sxfColorNames[n] : std::string());
                PrinterPen(n < h.sxfPrinterPens.size() ? h.sxfPrinterPens[n] : JwwPrinterPen{});
            }
            for (std::size_t n = 0; n < 33; ++n)
                Pattern(n < h.sxfPatterns.size() ? h.sxfPatterns[n] : JwwLinePattern{}, false);
            for (std::size_t n = 0; n < 33; ++n) {
                const JwwSxfLineType t = n < h.sxfLineTypes.size() ? h.sxfLineTypes[n] : JwwSxfLineType{};
                String(t.name);
                U32(t.segments);
                for (double pitch : t.pitches) F64(pitch);
            }
        }
        for (const JwwTextStyle& s : h.textStyles) F64(s.width), F64(s.height), F64(s.spacing), U32(s.color);
        F64(h.textWidth), F64(h.textHeight), F64(h.textSpacing), U32(h.textColor), U32(h.textStyle);
        Reals(2), Words(1), Reals(6);
    }

    void PrinterPen(const JwwPrinterPen& pen) { U32(pen.color), U32(pen.width), F64(pen.pointRadius); }

    void Pattern(const JwwLinePattern& p, bool random) {
        U32(p.pattern), U32(p.unitDots), U32(p.pitch);
        if (random) U32(p.printerAmplitude);
        U32(p.printerPitch);
    }

    void Common(const JwwCommon& c) {
        U32(c.group);
        U8(c.penStyle);
        U16(c.penColor);
        if (v_ >= 351) U16(c.penWidth);
        U16(c.layer);
        U16(c.layerGroup);
        U16(c.flags);
    }

    void Body(const JwwLine& l) { Common(l.common), F64(l.x1), F64(l.y1), F64(l.x2), F64(l.y2); }
    void Body(const JwwArc& a) {
        Common(a.common);
        for (double v : {a.cx, a.cy, a.radius, a.start, a.sweep, a.tilt, a.flatness}) F64(v);
        U32(a.wholeCircle);
    }
    void Body(const JwwPoint& p) {
        Common(p.common), F64(p.x), F64(p.y), U32(p.temporary);
        if (p.common.penStyle == kJwwMarkerPointStyle) U32(p.code), F64(p.angle), F64(p.scale);
    }
    void Body(const JwwText& t) {
        Common(t.common);
        for (double v : {t.x1, t.y1, t.x2, t.y2}) F64(v);
        U32(t.style);
        for (double v : {t.width, t.height, t.spacing, t.angle}) F64(v);
        String(t.font), String(t.text);
    }
    void Body(const JwwSolid& s) {
        Common(s.common);
        for (const auto* corner : {&s.p1, &s.p2, &s.p3, &s.p4}) F64((*corner)[0]), F64((*corner)[1]);
        if (s.common.penColor == kJwwRgbSolidColor) U32(s.rgb);
    }
    void Body(const JwwBlockInsert& b) {
        Common(b.common);
        for (double v : {b.x, b.y, b.scaleX, b.scaleY, b.rotation}) F64(v);
        U32(b.definition);
    }
    void Body(const JwwDimension& d) {
        Common(d.common), Body(d.line), Body(d.text);
        if (v_ < 420) return;
        U16(d.sxfMode);
        for (const JwwLine& l : d.extensionLines) Body(l);
        for (const JwwPoint& p : d.points) Body(p);
    }
    void Body(const JwwBlockDefinition& b) {
        Common(b.common), U32(b.number), U32(b.referenced), U32(b.time), String(b.name);
        List(b.elements);
    }

    void List(const JwwElementList& list) {
        Count(static_cast<std::uint32_t>(list.order.size()));
        std::array<std::size_t, kJwwKindCount> next{};  // per kind: the next element to write
        for (const JwwKind kind : list.order) {
            const std::size_t i = next[static_cast<std::size_t>(kind)]++;
            switch (kind) {
                case JwwKind::Line: ObjectTag("CDataSen"), Body(list.lines[i]); break;
                case JwwKind::Arc: ObjectTag("CDataEnko"), Body(list.arcs[i]); break;
                case JwwKind::Point: ObjectTag("CDataTen"), Body(list.points[i]); break;
                case JwwKind::Text: ObjectTag("CDataMoji"), Body(list.texts[i]); break;
                case JwwKind::Solid: ObjectTag("CDataSolid"), Body(list.solids[i]); break;
                case JwwKind::BlockInsert: ObjectTag("CDataBlock"), Body(list.inserts[i]); break;
                case JwwKind::Dimension: ObjectTag("CDataSunpou"), Body(list.dimensions[i]); break;
                case JwwKind::BlockDefinition: ObjectTag("CDataList"), Body(*list.definitions[i]); break;
            }
        }
    }

private:
    std::string out_;
    std::uint32_t v_;
    bool utf16_;
    std::vector<std::pair<std::string, std::uint32_t>> classes_;
    std::uint32_t next_ = 1;
};

std::string Deflated(std::string_view bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
             static_cast<uLong>(bytes.size()));
    out.resize(size);
    return out;
}

template <class T>
void Push(JwwElementList& list, std::deque<T>& items, JwwKind kind, T e) {
    list.order.push_back(kind);
    items.push_back(std::move(e));
}

}  // namespace

JwwBuilt BuildJww(const JwwDrawing& drawing, JwwBuildOptions options) {
    Writer w(drawing.header.version, options.utf16);
    JwwBuilt built;
    w.Raw(kJwwSignature);
    w.U32(drawing.header.version);
    w.Header(drawing.header);
    built.elementsAt = w.Position();
    w.List(drawing.elements);
    built.blocksAt = w.Position();
    w.Count(static_cast<std::uint32_t>(drawing.blocks.size()));
    for (const auto& b : drawing.blocks) w.ObjectTag("CDataList"), w.Body(*b);
    built.imagesAt = w.Position();
    if (std::min(drawing.header.version, kJwwNewestVersion) >= 700) {
        w.U32(static_cast<std::uint32_t>(drawing.images.size()));
        for (const JwwImage& image : drawing.images) {
            const bool packed = image.name.size() >= 3 && image.name.compare(image.name.size() - 3, 3, ".gz") == 0;
            const std::string stored = packed ? Deflated(image.bytes) : image.bytes;
            w.String(image.name);
            w.U32(static_cast<std::uint32_t>(stored.size()));
            w.Raw(stored);
        }
    }
    built.bytes = std::move(w.Bytes());
    return built;
}

JwwDrawing NewJwwDrawing(std::uint32_t version) {
    JwwDrawing d;
    d.header.version = version;
    d.header.paperSize = 3;
    for (JwwLayerGroup& g : d.header.groups) {
        g.state = 2;
        g.scale = 1;
        for (JwwLayer& layer : g.layers) layer.state = 2;
    }
    d.header.groups[0].state = 3;
    d.header.groups[0].layers[0].state = 3;
    return d;
}

void Append(JwwElementList& list, JwwLine e) { Push(list, list.lines, JwwKind::Line, std::move(e)); }
void Append(JwwElementList& list, JwwArc e) { Push(list, list.arcs, JwwKind::Arc, std::move(e)); }
void Append(JwwElementList& list, JwwPoint e) { Push(list, list.points, JwwKind::Point, std::move(e)); }
void Append(JwwElementList& list, JwwText e) { Push(list, list.texts, JwwKind::Text, std::move(e)); }
void Append(JwwElementList& list, JwwSolid e) { Push(list, list.solids, JwwKind::Solid, std::move(e)); }
void Append(JwwElementList& list, JwwBlockInsert e) { Push(list, list.inserts, JwwKind::BlockInsert, std::move(e)); }
void Append(JwwElementList& list, JwwDimension e) { Push(list, list.dimensions, JwwKind::Dimension, std::move(e)); }

JwwBlockDefinition& Append(JwwElementList& list, std::unique_ptr<JwwBlockDefinition> e) {
    list.order.push_back(JwwKind::BlockDefinition);
    return *list.definitions.emplace_back(std::move(e));
}

}  // namespace orvik
