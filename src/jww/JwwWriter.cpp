#include "jww/JwwWriter.h"

#include <zlib.h>
#include <algorithm>
#include <string_view>

#include "jww/JwwReader.h"
#include "jww/MfcArchive.h"

namespace orvik {
namespace {

constexpr std::string_view kClassNames[kJwwKindCount] = {"CDataSen",   "CDataEnko",  "CDataTen",    "CDataMoji",
                                                         "CDataSolid", "CDataBlock", "CDataSunpou", "CDataList"};

// zlib's deflate of an image made here (one read keeps its stored bytes).
std::string Deflated(std::string_view bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
             static_cast<uLong>(bytes.size()));
    out.resize(size);
    return out;
}

bool EndsInGz(const std::string& name) { return name.size() >= 3 && name.compare(name.size() - 3, 3, ".gz") == 0; }

class Writer {
public:
    Writer(const JwwDrawing& drawing, ByteSink& sink)
        : d_(drawing), sink_(sink), v_(std::min(drawing.header.version, kJwwNewestVersion)), out_(buffer_) {}

    JwwParts Run() {
        JwwParts parts;
        out_.Bytes(kJwwSignature);
        out_.U32(d_.header.version);
        Header(d_.header);
        parts.elements = Position();
        List(d_.elements);
        parts.blocks = Position();
        out_.Count(static_cast<std::uint32_t>(d_.blocks.size()));
        for (const auto& b : d_.blocks) Object(JwwKind::BlockDefinition), Body(*b);
        parts.images = Position();
        if (v_ >= 700) Images();
        parts.end = Position();
        Flush();
        return parts;
    }

private:
    std::int64_t Position() const { return written_ + static_cast<std::int64_t>(buffer_.size()); }

    void Flush() {
        sink_.Write(buffer_);
        written_ += static_cast<std::int64_t>(buffer_.size());
        buffer_.clear();
    }

    // The next run of the header's other fields: as read, or zeros.
    void Other(std::size_t bytes) {
        const std::vector<std::string>& other = d_.header.otherFields;
        if (other_ < other.size() && other[other_].size() == bytes)
            out_.Bytes(other[other_]);
        else
            buffer_.append(bytes, '\0');
        ++other_;
    }
    void OtherWords(int n) { Other(4 * static_cast<std::size_t>(n)); }
    void OtherReals(int n) { Other(8 * static_cast<std::size_t>(n)); }

    // The next string: as the file held it where it was kept (and still says
    // the same), else in the drawing's form.
    void String(const std::string& cp932) {
        const std::vector<ArchiveStringBytes>& kept = d_.form.keptStrings;
        while (kept_ < kept.size() && kept[kept_].index < strings_) ++kept_;
        if (kept_ < kept.size() && kept[kept_].index == strings_ && SaysTheSame(kept[kept_].bytes, cp932))
            out_.Bytes(kept[kept_].bytes);
        else
            out_.String(cp932, d_.form.utf16Strings);
        ++strings_;
    }

    static bool SaysTheSame(std::string_view stored, const std::string& cp932) {
        ArchiveReader in(stored);
        try {
            return in.String() == cp932 && in.Remaining() == 0;
        } catch (const ArchiveReader::End&) {
            return false;
        }
    }

    // The tag of a new object: the class's first object brings the class
    // itself. Every class and object takes the next index.
    void Object(JwwKind kind) {
        std::uint32_t& index = classIndex_[static_cast<std::size_t>(kind)];
        if (index == 0) {
            const std::uint16_t schema = d_.form.schemas[static_cast<std::size_t>(kind)];
            const std::string_view name = kClassNames[static_cast<std::size_t>(kind)];
            out_.U16(kMfcNewClassTag);
            out_.U16(schema ? schema : static_cast<std::uint16_t>(v_));
            out_.U16(static_cast<std::uint16_t>(name.size()));
            out_.Bytes(name);
            index = next_++;
        } else if (index < kMfcBigObjectTag) {
            out_.U16(static_cast<std::uint16_t>(kMfcClassTag | index));
        } else {
            out_.U16(kMfcBigObjectTag);
            out_.U32(kMfcBigClassTag | index);
        }
        ++next_;
        if (buffer_.size() >= kFlushAt) Flush();
    }

    void Header(const JwwHeader& h) {
        String(h.memo);
        out_.U32(h.paperSize);
        out_.U32(h.writeGroup);
        for (const JwwLayerGroup& g : h.groups) {
            out_.U32(g.state);
            out_.U32(g.writeLayer);
            out_.F64(g.scale);
            out_.U32(g.protection);
            for (const JwwLayer& layer : g.layers) out_.U32(layer.state), out_.U32(layer.protection);
        }
        OtherWords(14);
        for (const std::uint32_t d : h.dimensionSettings) out_.U32(d);
        OtherWords(1);
        out_.U32(static_cast<std::uint32_t>(h.maxDrawWidth));
        out_.F64(h.printOriginX), out_.F64(h.printOriginY), out_.F64(h.printScale);
        out_.U32(h.printSettings);
        OtherWords(1), OtherReals(5);
        for (const JwwLayerGroup& g : h.groups)
            for (const JwwLayer& layer : g.layers) String(layer.name);
        for (const JwwLayerGroup& g : h.groups) String(g.name);
        OtherReals(2), OtherWords(1), OtherReals(1);
        if (v_ >= 300) OtherReals(2);
        OtherWords(1), OtherReals(6);
        if (v_ >= 300) {
            for (int n = 0; n < 8; ++n) OtherReals(3), OtherWords(1);
            OtherReals(3), OtherWords(1), OtherReals(3), OtherWords(1);
        } else {
            for (int n = 0; n < 4; ++n) OtherReals(3);
        }
        OtherReals(11);
        for (const JwwPen& pen : h.screenPens) out_.U32(pen.color), out_.U32(pen.width);
        for (const JwwPrinterPen& pen : h.printerPens) PrinterPen(pen);
        for (const JwwLinePattern& p : h.linePatterns) Pattern(p, false);
        for (const JwwLinePattern& p : h.randomPatterns) Pattern(p, true);
        for (const JwwLinePattern& p : h.doublePatterns) Pattern(p, false);
        OtherWords(10);
        out_.U32(h.printOptions);
        if (v_ >= 223) out_.U32(h.drawTime), OtherWords(4), OtherReals(5);
        if (v_ >= 225) OtherReals(4);
        if (v_ >= 230) out_.U32(h.solidAnyColor), out_.U32(h.solidColor);
        if (v_ >= 420) Sxf(h);
        for (const JwwTextStyle& s : h.textStyles)
            out_.F64(s.width), out_.F64(s.height), out_.F64(s.spacing), out_.U32(s.color);
        out_.F64(h.textWidth), out_.F64(h.textHeight), out_.F64(h.textSpacing);
        out_.U32(h.textColor), out_.U32(h.textStyle);
        OtherReals(2), OtherWords(1), OtherReals(6);
    }

    // The SXF colours and line types: 257 and 33 of each, those the drawing lacks empty.
    void Sxf(const JwwHeader& h) {
        const auto at = [](const auto& items, std::size_t n) {
            return n < items.size() ? items[n] : typename std::remove_cvref_t<decltype(items)>::value_type{};
        };
        for (std::size_t n = 0; n < 257; ++n) {
            const JwwPen pen = at(h.sxfScreenPens, n);
            out_.U32(pen.color), out_.U32(pen.width);
        }
        for (std::size_t n = 0; n < 257; ++n) String(at(h.sxfColorNames, n)), PrinterPen(at(h.sxfPrinterPens, n));
        for (std::size_t n = 0; n < 33; ++n) Pattern(at(h.sxfPatterns, n), false);
        for (std::size_t n = 0; n < 33; ++n) {
            const JwwSxfLineType t = at(h.sxfLineTypes, n);
            String(t.name);
            out_.U32(t.segments);
            for (const double pitch : t.pitches) out_.F64(pitch);
        }
    }

    void PrinterPen(const JwwPrinterPen& pen) { out_.U32(pen.color), out_.U32(pen.width), out_.F64(pen.pointRadius); }

    void Pattern(const JwwLinePattern& p, bool random) {
        out_.U32(p.pattern), out_.U32(p.unitDots), out_.U32(p.pitch);
        if (random) out_.U32(p.printerAmplitude);
        out_.U32(p.printerPitch);
    }

    void Reals(std::initializer_list<double> values) {
        for (const double v : values) out_.F64(v);
    }

    void Common(const JwwCommon& c) {
        out_.U32(c.group);
        out_.U8(c.penStyle);
        out_.U16(c.penColor);
        if (v_ >= 351) out_.U16(c.penWidth);
        out_.U16(c.layer), out_.U16(c.layerGroup), out_.U16(c.flags);
    }

    void Body(const JwwLine& l) { Common(l.common), Reals({l.x1, l.y1, l.x2, l.y2}); }
    void Body(const JwwArc& a) {
        Common(a.common), Reals({a.cx, a.cy, a.radius, a.start, a.sweep, a.tilt, a.flatness});
        out_.U32(a.wholeCircle);
    }
    void Body(const JwwPoint& p) {
        Common(p.common), Reals({p.x, p.y}), out_.U32(p.temporary);
        if (p.common.penStyle == kJwwMarkerPointStyle) out_.U32(p.code), Reals({p.angle, p.scale});
    }
    void Body(const JwwText& t) {
        Common(t.common), Reals({t.x1, t.y1, t.x2, t.y2}), out_.U32(t.style);
        Reals({t.width, t.height, t.spacing, t.angle});
        String(t.font), String(t.text);
    }
    void Body(const JwwSolid& s) {
        Common(s.common);
        for (const auto* corner : {&s.p1, &s.p2, &s.p3, &s.p4}) Reals({(*corner)[0], (*corner)[1]});
        if (s.common.penColor == kJwwRgbSolidColor) out_.U32(s.rgb);
    }
    void Body(const JwwBlockInsert& b) {
        Common(b.common), Reals({b.x, b.y, b.scaleX, b.scaleY, b.rotation}), out_.U32(b.definition);
    }
    void Body(const JwwDimension& d) {
        Common(d.common), Body(d.line), Body(d.text);
        if (v_ < 420) return;
        out_.U16(d.sxfMode);
        for (const JwwLine& l : d.extensionLines) Body(l);
        for (const JwwPoint& p : d.points) Body(p);
    }
    void Body(const JwwBlockDefinition& b) {
        Common(b.common), out_.U32(b.number), out_.U32(b.referenced), out_.U32(b.time), String(b.name);
        List(b.elements);
    }

    // A list: its count, then each element in order (`order` says which
    // kind comes next; each kind's list is taken front to back).
    void List(const JwwElementList& list) {
        out_.Count(static_cast<std::uint32_t>(list.order.size()));
        std::array<std::size_t, kJwwKindCount> next{};
        for (const JwwKind kind : list.order) {
            const std::size_t i = next[static_cast<std::size_t>(kind)]++;
            Object(kind);
            switch (kind) {
                case JwwKind::Line: Body(list.lines[i]); break;
                case JwwKind::Arc: Body(list.arcs[i]); break;
                case JwwKind::Point: Body(list.points[i]); break;
                case JwwKind::Text: Body(list.texts[i]); break;
                case JwwKind::Solid: Body(list.solids[i]); break;
                case JwwKind::BlockInsert: Body(list.inserts[i]); break;
                case JwwKind::Dimension: Body(list.dimensions[i]); break;
                case JwwKind::BlockDefinition: Body(*list.definitions[i]); break;
            }
        }
    }

    // The images: their count, then each one's name, stored size and bytes.
    void Images() {
        out_.U32(static_cast<std::uint32_t>(d_.images.size()));
        for (const JwwImage& image : d_.images) {
            const std::string made =
                image.stored.empty() && EndsInGz(image.name) ? Deflated(image.bytes) : std::string();
            const std::string& stored = !image.stored.empty()  ? image.stored
                                        : EndsInGz(image.name) ? made
                                                               : image.bytes;
            String(image.name);
            out_.U32(static_cast<std::uint32_t>(stored.size()));
            Flush();
            sink_.Write(stored);
            written_ += static_cast<std::int64_t>(stored.size());
        }
    }

    static constexpr std::size_t kFlushAt = 1 << 20;

    const JwwDrawing& d_;
    ByteSink& sink_;
    std::uint32_t v_;
    std::string buffer_;
    ArchiveWriter out_;
    std::int64_t written_ = 0;
    std::size_t other_ = 0;  // the next of the header's other fields
    std::uint32_t strings_ = 0;  // strings written
    std::size_t kept_ = 0;  // the next kept string that may be due
    std::array<std::uint32_t, kJwwKindCount> classIndex_{};  // 0: not written yet
    std::uint32_t next_ = 1;  // the archive's running index
};

}  // namespace

JwwParts WriteJww(const JwwDrawing& drawing, ByteSink& sink) { return Writer(drawing, sink).Run(); }

}  // namespace orvik
