#include "picture/PdfPage.h"

#include <zlib.h>
#include <cmath>
#include <cstdio>
#include <new>

#include "numeric/DecimalText.h"

namespace orvik {
namespace {

// A number as PDF writes it: plain decimals, "." whatever the locale.
void AppendNumber(std::string& out, double v) {
    if (!std::isfinite(v)) v = 0;
    out += ShortestPlainText(std::round(v * 1000) / 1000);
    out += ' ';
}

void AppendPathOperators(std::string& out, const PicturePath& path) {
    for (const PathElement& e : path) {
        if (e.kind == PathElement::Kind::Curve) {
            for (const PicturePoint p : {e.c1, e.c2, e.to}) {
                AppendNumber(out, p.x);
                AppendNumber(out, p.y);
            }
            out += "c\n";
            continue;
        }
        AppendNumber(out, e.to.x);
        AppendNumber(out, e.to.y);
        out += e.kind == PathElement::Kind::Move ? "m\n" : "l\n";
    }
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

// The glyphs the texts use, each drawn once.
struct GlyphFont {
    std::vector<std::string> procs;  // the glyphs' drawings, code 1 first
    std::vector<double> widths;
};

class ContentWriter final : public PdfPage {
public:
    explicit ContentWriter(DeflatedStream& out) : out_(out) {}

    void SetStroke(PdfColor c, double width, int cap, int join, std::span<const double> dashes) override {
        std::string state;
        AppendNumber(state, c.r);
        AppendNumber(state, c.g);
        AppendNumber(state, c.b);
        state += "RG ";
        AppendNumber(state, width);
        state += "w " + std::to_string(cap) + " J " + std::to_string(join) + " j [";
        for (const double dash : dashes) AppendNumber(state, dash);
        state += "] 0 d\n";
        if (state != stroke_) {
            text_ += state;
            stroke_ = state;
        }
    }
    void SetFill(PdfColor c) override {
        std::string state;
        AppendNumber(state, c.r);
        AppendNumber(state, c.g);
        AppendNumber(state, c.b);
        state += "rg\n";
        if (state != fill_) {
            text_ += state;
            fill_ = state;
        }
    }
    void AppendPath(const PicturePath& path) override { AppendPathOperators(text_, path); }
    void Paint(Painting how) override {
        static constexpr const char* kOperators[] = {"S\n", "f\n", "f*\n", "B\n", "B*\n"};
        text_ += kOperators[static_cast<int>(how)];
        Flush(kFlushAt);
    }
    void Dots(const std::vector<PicturePoint>& points) override {
        for (const PicturePoint at : points) {
            AppendNumber(text_, at.x);
            AppendNumber(text_, at.y);
            text_ += "m ";
            AppendNumber(text_, at.x);
            AppendNumber(text_, at.y);
            text_ += "l S\n";
        }
        Flush(kFlushAt);
    }
    PdfGlyphCode Glyph(const std::string& font, std::uint32_t glyph, double advance,
                       const std::function<void(PicturePath&, PictureBounds&)>& outline) override {
        const auto key = std::make_pair(font, glyph);
        if (const auto known = codes_.find(key); known != codes_.end()) return known->second;
        if (fonts_.empty() || fonts_.back().procs.size() == 255) fonts_.emplace_back();
        GlyphFont& f = fonts_.back();
        PicturePath path;
        PictureBounds box;
        outline(path, box);
        std::string proc;
        AppendNumber(proc, advance);
        proc += "0 ";
        for (const double v : {box.min.x, box.min.y, box.max.x, box.max.y}) AppendNumber(proc, v);
        proc += "d1\n";
        AppendPathOperators(proc, path);
        proc += path.empty() ? "" : "f\n";
        f.procs.push_back(std::move(proc));
        f.widths.push_back(advance);
        const PdfGlyphCode code{static_cast<int>(fonts_.size()) - 1, static_cast<int>(f.procs.size())};
        codes_.emplace(key, code);
        return code;
    }
    void ShowGlyphs(const double (&matrix)[6], const std::vector<PdfGlyphCode>& glyphs) override {
        text_ += "BT ";
        for (const double v : matrix) AppendNumber(text_, v);
        text_ += "Tm ";
        int font = -1;
        std::string codes;
        const auto show = [&] {
            if (!codes.empty()) text_ += '<' + codes + "> Tj ";
            codes.clear();
        };
        for (const PdfGlyphCode& code : glyphs) {
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

    void Flush(std::size_t atLeast = 0) {
        if (text_.size() < atLeast) return;
        out_.Write(text_);
        text_.clear();
    }
    const std::vector<GlyphFont>& Fonts() const { return fonts_; }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;
    DeflatedStream& out_;
    std::string text_;
    std::string stroke_, fill_;  // the last state set
    std::map<std::pair<std::string, std::uint32_t>, PdfGlyphCode> codes_;
    std::vector<GlyphFont> fonts_;
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

PdfColor PdfColorOf(std::uint32_t rgb) {
    return {static_cast<double>(rgb >> 16 & 0xFF) / 255, static_cast<double>(rgb >> 8 & 0xFF) / 255,
            static_cast<double>(rgb & 0xFF) / 255};
}

void WritePdfPage(int width, int height, PdfColor background, ByteSink& sink,
                  const std::function<void(PdfPage&)>& draw) {
    CountingSink out(sink);
    std::vector<std::size_t> offsets;  // of objects 1, 2, ...
    const auto object = [&](const std::string& text) {
        offsets.push_back(out.Count());
        out.Write(std::to_string(offsets.size()) + " 0 obj\n" + text + "\nendobj\n");
    };
    out.Write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(width) + ' ' + std::to_string(height) +
           "] /Contents 4 0 R /Resources 7 0 R >>");
    offsets.push_back(out.Count());
    out.Write("4 0 obj\n<< /Length 5 0 R /Filter /FlateDecode >>\nstream\n");
    std::size_t length = 0;
    std::vector<GlyphFont> fonts;
    {
        DeflatedStream content(out);
        // Device pixels, y down, onto the page's points, y up.
        std::string start = "1 0 0 -1 0 " + std::to_string(height) + " cm\n";
        AppendNumber(start, background.r);
        AppendNumber(start, background.g);
        AppendNumber(start, background.b);
        start += "rg 0 0 " + std::to_string(width) + ' ' + std::to_string(height) + " re f\n";
        content.Write(start);
        ContentWriter page(content);
        draw(page);
        page.Flush();
        content.Finish();
        length = content.Written();
        fonts = page.Fonts();
    }
    out.Write("\nendstream\nendobj\n");
    object(std::to_string(length));
    object("<< /Creator (ORVIK) /Producer (ORVIK) >>");
    // The resources (7), then each glyph font and its glyphs' drawings.
    std::string resources = "<< /Font << ";
    std::size_t next = 8;
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        resources += "/G" + std::to_string(f) + ' ' + std::to_string(next) + " 0 R ";
        next += 1 + fonts[f].procs.size();
    }
    object(resources + ">> >>");
    for (const GlyphFont& font : fonts) {
        std::string dictionary =
            "<< /Type /Font /Subtype /Type3 /FontBBox [0 0 0 0] /FontMatrix [0.01 0 0 0.01 0 0] /CharProcs << ";
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
