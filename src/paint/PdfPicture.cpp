#include "paint/PdfPicture.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextItem>

#include <charconv>
#include <cmath>
#include <exception>
#include <map>
#include <string>
#include <vector>
#include <zlib.h>

#include "paint/PicturePainter.h"

namespace orvik {
namespace {

// A number as PDF writes it: plain decimals, "." whatever the locale.
void AppendNumber(std::string& out, double v) {
    if (!std::isfinite(v)) v = 0;
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::round(v * 1000) / 1000, std::chars_format::fixed);
    out.append(buffer, ec == std::errc() ? end : buffer);
    out += ' ';
}

// The page's content, deflated into the sink as it grows; `written` counts
// the compressed bytes (the stream's length).
class DeflatedStream {
public:
    explicit DeflatedStream(ByteSink& sink) : sink_(sink) {
        if (deflateInit(&z_, Z_DEFAULT_COMPRESSION) != Z_OK) throw std::bad_alloc();
    }
    ~DeflatedStream() { deflateEnd(&z_); }
    DeflatedStream(const DeflatedStream&) = delete;
    DeflatedStream& operator=(const DeflatedStream&) = delete;

    void Write(std::string_view text) { Deflate(text, Z_NO_FLUSH); }
    void Finish() { Deflate({}, Z_FINISH); }
    std::size_t Written() const { return written_; }

private:
    void Deflate(std::string_view text, int flush) {
        z_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
        z_.avail_in = static_cast<uInt>(text.size());
        int status = Z_OK;
        do {
            char out[1 << 16];
            z_.next_out = reinterpret_cast<Bytef*>(out);
            z_.avail_out = sizeof out;
            status = deflate(&z_, flush);
            const std::size_t made = sizeof out - z_.avail_out;
            if (made > 0) sink_.Write(std::string_view(out, made));
            written_ += made;
        } while (z_.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    }

    ByteSink& sink_;
    z_stream z_{};
    std::size_t written_ = 0;
};

// The glyphs the texts use, each drawn once as a glyph of a Type 3 font
// (255 to a font), so that a text takes its codes, not its outlines.
class GlyphFonts {
public:
    struct Code {
        int font;
        int code;  // 1..255
    };
    struct Font {
        std::vector<std::string> procs;  // the glyphs' drawings, code 1 first
        std::vector<double> widths;
    };

    Code CodeOf(const QRawFont& raw, quint32 glyph, double advance) {
        const auto key = std::make_pair(raw.familyName() + QChar('/') + raw.styleName() + QChar('/') + QString::number(raw.pixelSize()), glyph);
        if (const auto known = codes_.find(key); known != codes_.end()) return known->second;
        if (fonts_.empty() || fonts_.back().procs.size() == 255) fonts_.emplace_back();
        Font& font = fonts_.back();
        // The glyph in its own units (pixels at the font's size, y down as
        // the page's device space), filled with the text's colour.
        const QPainterPath path = raw.pathForGlyph(glyph);
        const QRectF box = path.boundingRect();
        std::string proc;
        AppendNumber(proc, advance);
        proc += "0 ";
        for (const double v : {box.left(), box.top(), box.right(), box.bottom()}) AppendNumber(proc, v);
        proc += "d1\n";
        AppendPathOperators(proc, path);
        proc += path.isEmpty() ? "" : "f\n";
        font.procs.push_back(std::move(proc));
        font.widths.push_back(advance);
        const Code code{static_cast<int>(fonts_.size()) - 1, static_cast<int>(font.procs.size())};
        codes_.emplace(key, code);
        return code;
    }
    const std::vector<Font>& Fonts() const { return fonts_; }

    static void AppendPathOperators(std::string& out, const QPainterPath& path, const QTransform& t = QTransform()) {
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            const QPointF p = t.map(QPointF(e.x, e.y));
            AppendNumber(out, p.x());
            AppendNumber(out, p.y());
            switch (e.type) {
                case QPainterPath::MoveToElement: out += "m\n"; break;
                case QPainterPath::LineToElement: out += "l\n"; break;
                case QPainterPath::CurveToElement: break;  // its two further points follow
                case QPainterPath::CurveToDataElement:
                    if (i + 1 >= path.elementCount() || path.elementAt(i + 1).type != QPainterPath::CurveToDataElement) out += "c\n";
                    break;
            }
        }
    }

private:
    std::map<std::pair<QString, quint32>, Code> codes_;
    std::vector<Font> fonts_;
};

// Turns what a painter draws into PDF operators: paths stroked with the
// pen, filled with the brush, in device pixels with y down (the page's
// matrix flips them); texts as codes of the glyph fonts.
class PdfEngine final : public QPaintEngine {
public:
    PdfEngine(DeflatedStream& out, GlyphFonts& glyphs)
        : QPaintEngine(AllFeatures & ~(PorterDuff | PerspectiveTransform)), out_(out), glyphs_(glyphs) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override {
        Flush();
        return true;
    }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& state) override {
        const QPaintEngine::DirtyFlags dirty = state.state();
        if (dirty & DirtyPen) pen_ = state.pen();
        if (dirty & DirtyBrush) brush_ = state.brush();
        if (dirty & DirtyTransform) transform_ = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}  // pictures hold none

    void drawPath(const QPainterPath& path) override { Emit(path, true); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QPainterPath path;
        if (count == 0) return;
        path.moveTo(points[0]);
        for (int i = 1; i < count; ++i) path.lineTo(points[i]);
        if (mode != PolylineMode) path.closeSubpath();
        path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
        Emit(path, mode != PolylineMode);
    }
    void drawLines(const QLineF* lines, int count) override {
        QPainterPath path;
        for (int i = 0; i < count; ++i) {
            path.moveTo(lines[i].p1());
            path.lineTo(lines[i].p2());
        }
        Emit(path, false);
    }
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        const QRawFont raw = QRawFont::fromFont(item.font());
        const QList<quint32> glyphs = raw.glyphIndexesForString(item.text());
        if (glyphs.isEmpty() || !raw.isValid()) return;
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
        SetFill(pen_.color());
        // Text space: the painter's, from the text's start; a glyph unit a
        // pixel of the font (FontMatrix 0.01, size 100).
        const QTransform t = QTransform::fromTranslate(at.x(), at.y()) * transform_;
        text_ += "BT ";
        for (const double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()}) AppendNumber(text_, v);
        text_ += "Tm ";
        int font = -1;
        std::string codes;
        const auto show = [&] {
            if (!codes.empty()) text_ += '<' + codes + "> Tj ";
            codes.clear();
        };
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const GlyphFonts::Code code = glyphs_.CodeOf(raw, glyphs[i], advances[i].x());
            if (code.font != font) {
                show();
                text_ += "/G" + std::to_string(code.font) + " 100 Tf ";
                font = code.font;
            }
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", code.code);
            codes += hex;
        }
        show();
        text_ += "ET\n";
        Flush(kFlushAt);
    }

    void drawPoints(const QPointF* points, int count) override {
        // A point: a line of no length with round ends, as wide as the pen (a pixel at least).
        QPen dot = pen_;
        dot.setCapStyle(Qt::RoundCap);
        SetStroke(dot, true);
        for (int i = 0; i < count; ++i) {
            const QPointF at = transform_.map(points[i]);
            AppendNumber(text_, at.x());
            AppendNumber(text_, at.y());
            text_ += "m ";
            AppendNumber(text_, at.x());
            AppendNumber(text_, at.y());
            text_ += "l S\n";
        }
        Flush(kFlushAt);
    }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;

    // `visible`: never PDF's thinnest line, which some readers leave out for a dot.
    void SetStroke(const QPen& pen, bool visible = false) {
        const QColor c = pen.color();
        const double scale = pen.isCosmetic() ? 1 : std::sqrt(std::fabs(transform_.determinant()));
        double width = pen.widthF() * scale;
        if (visible) width = std::max(width, 1.0);
        else if (pen.isCosmetic() && pen.widthF() <= 1) width = 0;
        std::string state;
        AppendNumber(state, c.redF());
        AppendNumber(state, c.greenF());
        AppendNumber(state, c.blueF());
        state += "RG ";
        AppendNumber(state, width);
        state += "w ";
        state += pen.capStyle() == Qt::RoundCap ? "1 J " : pen.capStyle() == Qt::SquareCap ? "2 J " : "0 J ";
        state += pen.joinStyle() == Qt::RoundJoin ? "1 j " : pen.joinStyle() == Qt::BevelJoin ? "2 j " : "0 j ";
        state += '[';
        if (pen.style() != Qt::SolidLine) {
            const double unit = width > 0 ? width : 1;  // dashes count in pen widths; a cosmetic pen's in pixels
            for (const qreal dash : pen.dashPattern()) AppendNumber(state, dash * unit);
        }
        state += "] 0 d\n";
        if (state != stroke_) {
            text_ += state;
            stroke_ = state;
        }
    }

    void SetFill(const QColor& c) {
        std::string state;
        AppendNumber(state, c.redF());
        AppendNumber(state, c.greenF());
        AppendNumber(state, c.blueF());
        state += "rg\n";
        if (state != fill_) {
            text_ += state;
            fill_ = state;
        }
    }

    void AppendPath(const QPainterPath& path, const QTransform& t) { GlyphFonts::AppendPathOperators(text_, path, t); }

    // The path stroked with the pen and, when `fill`, filled with the brush.
    void Emit(const QPainterPath& path, bool fill) {
        const bool filled = fill && brush_.style() != Qt::NoBrush;
        const bool stroked = pen_.style() != Qt::NoPen;
        if (path.isEmpty() || (!filled && !stroked)) return;
        if (filled) SetFill(brush_.color());
        if (stroked) SetStroke(pen_);
        AppendPath(path, transform_);
        const bool evenOdd = path.fillRule() == Qt::OddEvenFill;
        text_ += filled && stroked ? (evenOdd ? "B*\n" : "B\n") : filled ? (evenOdd ? "f*\n" : "f\n") : "S\n";
        Flush(kFlushAt);
    }

    void Flush(std::size_t atLeast = 0) {
        if (text_.size() < atLeast) return;
        out_.Write(text_);
        text_.clear();
    }

    DeflatedStream& out_;
    GlyphFonts& glyphs_;
    std::string text_;
    std::string stroke_, fill_;  // the last state set
    QPen pen_;
    QBrush brush_;
    QTransform transform_;
};

// The page a painter draws on: its size in pixels (points), and the engine.
class PdfPage final : public QPaintDevice {
public:
    PdfPage(int width, int height, DeflatedStream& out, GlyphFonts& glyphs) : width_(width), height_(height), engine_(out, glyphs) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth: return width_;
            case PdmHeight: return height_;
            case PdmWidthMM: return static_cast<int>(width_ * 25.4 / 72);
            case PdmHeightMM: return static_cast<int>(height_ * 25.4 / 72);
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY: return 72;
            case PdmDevicePixelRatio: return 1;
            case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
            case PdmDepth: return 32;
            case PdmNumColors: return INT_MAX;
            default: return 0;
        }
    }

private:
    int width_, height_;
    mutable PdfEngine engine_;
};

// Counts what passes, for the cross-reference table's offsets.
class CountingSink final : public ByteSink {
public:
    explicit CountingSink(ByteSink& sink) : sink_(sink) {}
    void Write(std::string_view bytes) override {
        sink_.Write(bytes);
        count_ += bytes.size();
    }
    std::size_t Count() const { return count_; }

private:
    ByteSink& sink_;
    std::size_t count_ = 0;
};

}  // namespace

void WritePdfPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink) {
    const PictureFrame frame = FrameFor(source.Bounds(), options.width);
    CountingSink out(sink);
    std::vector<std::size_t> offsets;  // of objects 1, 2, ...
    const auto object = [&](const std::string& text) {
        offsets.push_back(out.Count());
        out.Write(std::to_string(offsets.size()) + " 0 obj\n" + text + "\nendobj\n");
    };
    out.Write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(frame.width) + ' ' + std::to_string(frame.height) +
           "] /Contents 4 0 R /Resources 7 0 R >>");
    offsets.push_back(out.Count());
    out.Write("4 0 obj\n<< /Length 5 0 R /Filter /FlateDecode >>\nstream\n");
    std::size_t length = 0;
    GlyphFonts glyphs;
    {
        DeflatedStream content(out);
        // Device pixels, y down, onto the page's points, y up.
        std::string start = "1 0 0 -1 0 " + std::to_string(frame.height) + " cm\n";
        const QColor background = options.lightBackground ? Qt::white : Qt::black;
        AppendNumber(start, background.redF());
        AppendNumber(start, background.greenF());
        AppendNumber(start, background.blueF());
        start += "rg 0 0 " + std::to_string(frame.width) + ' ' + std::to_string(frame.height) + " re f\n";
        content.Write(start);
        PdfPage page(frame.width, frame.height, content, glyphs);
        {
            QPainter painter(&page);
            PaintPicture(painter, source, ViewTransform(frame), options.lightBackground);
        }
        content.Finish();
        length = content.Written();
    }
    out.Write("\nendstream\nendobj\n");
    object(std::to_string(length));
    object("<< /Creator (ORVIK) /Producer (ORVIK) >>");
    // The resources (7), then each glyph font and its glyphs' drawings.
    const std::vector<GlyphFonts::Font>& fonts = glyphs.Fonts();
    std::string resources = "<< /Font << ";
    std::size_t next = 8;
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        resources += "/G" + std::to_string(f) + ' ' + std::to_string(next) + " 0 R ";
        next += 1 + fonts[f].procs.size();
    }
    object(resources + ">> >>");
    for (const GlyphFonts::Font& font : fonts) {
        std::string dictionary = "<< /Type /Font /Subtype /Type3 /FontBBox [0 0 0 0] /FontMatrix [0.01 0 0 0.01 0 0] /CharProcs << ";
        std::string differences = "[1";
        std::string widths;
        for (std::size_t c = 0; c < font.procs.size(); ++c) {
            dictionary += "/g" + std::to_string(c + 1) + ' ' + std::to_string(offsets.size() + 2 + c) + " 0 R ";
            differences += " /g" + std::to_string(c + 1);
            AppendNumber(widths, font.widths[c]);
        }
        dictionary += ">> /Encoding << /Type /Encoding /Differences " + differences + "] >> /FirstChar 1 /LastChar " +
                      std::to_string(font.procs.size()) + " /Widths [" + widths + "] /Resources << >> >>";
        object(dictionary);
        for (const std::string& proc : font.procs)
            object("<< /Length " + std::to_string(proc.size()) + " >>\nstream\n" + proc + "\nendstream");
    }
    const std::size_t xref = out.Count();
    std::string table = "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t at : offsets) {
        char line[24];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", at);
        table += line;
    }
    table += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) + " /Root 1 0 R /Info 6 0 R >>\nstartxref\n" +
             std::to_string(xref) + "\n%%EOF\n";
    out.Write(table);
}

}  // namespace orvik
