#include "picture/SvgPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "numeric/DecimalText.h"
#include "picture/ShapePlan.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

// The shortest text that reads back as the same double.
std::string Num(double v) {
    if (v == 0) return "0";
    return ShortestText(v);
}

// "M x y": where a path starts.
std::string MoveTo(PicturePoint p) {
    std::string d = "M";
    d += Num(p.x);
    d += ' ';
    d += Num(p.y);
    return d;
}

std::string Hex(std::uint32_t rgb) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return buffer;
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
}

// The UTF-8 sequences of the text, one per character.
std::vector<std::string_view> Characters(std::string_view utf8) {
    std::vector<std::string_view> out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8SequenceLength(utf8.substr(i));
        out.push_back(utf8.substr(i, n));
        i += n;
    }
    return out;
}

// An SVG dash array from a DXF pattern: dashes and gaps alternate, a dot
// (0) is drawn as a dash of `dot`.
std::string DashArray(const DashPattern& pattern, double dot) {
    std::vector<double> lengths;
    bool lastIsGap = true;
    for (double v : pattern) {
        const bool gap = v < 0;
        const double length = gap ? -v : std::max(v, dot);
        if (!lengths.empty() && gap == lastIsGap)
            lengths.back() += length;
        else
            lengths.push_back(length);
        lastIsGap = gap;
    }
    std::string out;
    for (double v : lengths) {
        if (!out.empty()) out += ',';
        out += Num(v);
    }
    return out;
}

PicturePoint OnEllipse(const Shape& s, double t) {
    const PicturePoint minor{-s.b.y * s.ratio, s.b.x * s.ratio};
    return {s.a.x + s.b.x * std::cos(t) + minor.x * std::sin(t), s.a.y + s.b.y * std::cos(t) + minor.y * std::sin(t)};
}

std::string ArcTo(double rx, double ry, double rotationDegrees, bool large, PicturePoint to) {
    return " A" + Num(rx) + ' ' + Num(ry) + ' ' + Num(rotationDegrees) + (large ? " 1" : " 0") + " 1 " + Num(to.x) +
           ' ' + Num(to.y);
}

std::string EllipsePath(const Shape& s) {
    const double major = std::hypot(s.b.x, s.b.y);
    const double rotation = std::atan2(s.b.y, s.b.x) * 180 / std::numbers::pi;
    const double sweep = EllipseSweep(s);
    const PicturePoint from = OnEllipse(s, s.start);
    std::string d = MoveTo(from);
    if (sweep > 2 * std::numbers::pi - 1e-9) {  // whole: two halves, as one arc cannot close
        d += ArcTo(major, major * s.ratio, rotation, false, OnEllipse(s, s.start + std::numbers::pi));
        d += ArcTo(major, major * s.ratio, rotation, false, from);
        return d;
    }
    return d + ArcTo(major, major * s.ratio, rotation, sweep > std::numbers::pi, OnEllipse(s, s.start + sweep));
}

std::string ArcPath(const Shape& s) {
    const double sweep = ArcSweepDegrees(s);
    const auto at = [&](double degrees) {
        return PicturePoint{s.a.x + s.radius * std::cos(degrees * std::numbers::pi / 180),
                            s.a.y + s.radius * std::sin(degrees * std::numbers::pi / 180)};
    };
    const PicturePoint from = at(s.start);
    return MoveTo(from) + ArcTo(s.radius, s.radius, 0, sweep > 180, at(s.start + sweep));
}

// The segment from q to p: straight, or the arc the bulge at q gives.
std::string SegmentTo(PicturePoint q, double bulge, PicturePoint p) {
    if (bulge == 0) return " L" + Num(p.x) + ' ' + Num(p.y);
    const double chord = std::hypot(p.x - q.x, p.y - q.y);
    const double radius = chord * (1 + bulge * bulge) / (4 * std::abs(bulge));
    return " A" + Num(radius) + ' ' + Num(radius) + " 0" + (std::abs(bulge) > 1 ? " 1" : " 0") +
           (bulge > 0 ? " 1 " : " 0 ") + Num(p.x) + ' ' + Num(p.y);
}

std::string PolylinePath(const Shape& s) {
    const std::vector<PictureVertex>& v = s.vertices;
    if (v.empty()) return "M0 0";
    std::string d = MoveTo(v[0].at);
    for (std::size_t i = 1; i < v.size(); ++i) d += SegmentTo(v[i - 1].at, v[i - 1].bulge, v[i].at);
    if (s.closed && v.size() > 1) {
        if (v.back().bulge != 0) d += SegmentTo(v.back().at, v.back().bulge, v[0].at);
        d += " Z";
    }
    return d;
}

// The text's matrix: its local x runs along the base line (stretched by the
// width factor), its local y downwards across it, in the y-up drawing; a
// slanted text's local x moves right by tan(oblique) for each unit upwards.
std::string TextMatrix(const Shape& s) {
    const double c = std::cos(s.angle * std::numbers::pi / 180), n = std::sin(s.angle * std::numbers::pi / 180);
    const double t = std::tan(s.oblique * std::numbers::pi / 180);
    const double a = s.widthFactor * c, b = s.widthFactor * n;
    return "matrix(" + Num(a) + ' ' + Num(b) + ' ' + Num(n - a * t) + ' ' + Num(-c - b * t) + ' ' + Num(s.a.x) + ' ' +
           Num(s.a.y) + ')';
}

void AppendText(std::string& out, const Shape& s, const std::string& color, TextEncoding encoding) {
    const std::string utf8 = encoding == TextEncoding::Utf8 ? s.text : Cp932ToUtf8(s.text);
    out += "<text class=\"TEXT\" fill=\"" + color + "\" font-size=\"" + Num(s.height) + "\" transform=\"" +
           TextMatrix(s) + '"';
    if (!s.vertical) {
        out += '>';
        AppendEscaped(out, utf8);
        out += "</text>\n";
        return;
    }
    // Vertical writing: each character upright, centred under the one before.
    out += " text-anchor=\"middle\">";
    double y = kTextAscent * s.height;
    for (std::string_view ch : Characters(utf8)) {
        out += "<tspan x=\"0\" y=\"" + Num(y) + "\">";
        AppendEscaped(out, ch);
        out += "</tspan>";
        y += s.height;
    }
    out += "</text>\n";
}

// One shape as its SVG element.
void AppendShape(std::string& out, const Shape& s, const DisplayList& header, const PictureOptions& options,
                 double pixel) {
    const std::string color = Hex(ScreenColor(s.color, options.lightBackground));
    std::string stroke = " stroke=\"" + color + '"';
    if (s.linetype >= 0)
        stroke +=
            " stroke-dasharray=\"" + DashArray(header.linetypes[static_cast<std::size_t>(s.linetype)], pixel) + '"';
    switch (s.kind) {
        case ShapeKind::Line:
            out += "<line class=\"LINE\" x1=\"" + Num(s.a.x) + "\" y1=\"" + Num(s.a.y) + "\" x2=\"" + Num(s.b.x) +
                   "\" y2=\"" + Num(s.b.y) + '"' + stroke + "/>\n";
            break;
        case ShapeKind::Polyline:
            out += "<path class=\"POLYLINE\" d=\"" + PolylinePath(s) + '"' + stroke;
            if (s.radius > 0) out += " stroke-width=\"" + Num(s.radius) + '"';
            out += "/>\n";
            break;
        case ShapeKind::Circle:
            out += "<circle class=\"CIRCLE\" cx=\"" + Num(s.a.x) + "\" cy=\"" + Num(s.a.y) + "\" r=\"" + Num(s.radius) +
                   '"' + stroke + "/>\n";
            break;
        case ShapeKind::Arc: out += "<path class=\"ARC\" d=\"" + ArcPath(s) + '"' + stroke + "/>\n"; break;
        case ShapeKind::Ellipse: out += "<path class=\"ELLIPSE\" d=\"" + EllipsePath(s) + '"' + stroke + "/>\n"; break;
        case ShapeKind::Text: AppendText(out, s, color, header.encoding); break;
        case ShapeKind::Solid:
            // Outlined by a pixel too, so that solids sharing an edge leave no seam.
            out += "<path class=\"SOLID\" d=\"" + PolylinePath(s) + "\" fill=\"" + color + "\" stroke=\"" + color +
                   "\" stroke-width=\"" + Num(pixel) + "\"/>\n";
            break;
        case ShapeKind::Point:
            out += "<circle class=\"POINT\" cx=\"" + Num(s.a.x) + "\" cy=\"" + Num(s.a.y) + "\" r=\"" +
                   Num(1.5 * pixel) + "\" fill=\"" + color + "\"/>\n";
            break;
    }
}

}  // namespace

PictureFrame FrameFor(const PictureBounds& bounds, int width) {
    PictureBounds b = bounds;
    if (b.Empty()) b = PictureBounds{{0, 0}, {1, 1}};
    double w = b.max.x - b.min.x, h = b.max.y - b.min.y;
    if (w <= 0) w = h > 0 ? h : 1;
    if (h <= 0) h = w;
    const double margin = 0.02 * std::max(w, h);
    const double across = w + 2 * margin, down = h + 2 * margin;
    const double wide = std::max(width, 1), high = down * wide / across;
    const double shrink =
        std::min({1.0, kMaxPictureSide / wide, kMaxPictureSide / high, std::sqrt(kMaxPicturePixels / (wide * high))});
    PictureFrame frame;
    frame.width = shrink < 1 ? std::max(1, static_cast<int>(wide * shrink)) : static_cast<int>(wide);
    frame.scale = frame.width / across;
    frame.height = std::clamp(static_cast<int>(std::ceil(down * frame.scale)), 1, kMaxPictureSide);
    frame.origin = {b.min.x - margin, b.min.y - margin + frame.height / frame.scale};
    return frame;
}

void WriteSvgPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink) {
    const DisplayList& header = source.Header();
    const PictureFrame frame = FrameFor(source.Bounds(), options.width);
    const double pixel = 1 / frame.scale;
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(frame.width) + "\" height=\"" +
           std::to_string(frame.height) + "\" viewBox=\"0 0 " + std::to_string(frame.width) + ' ' +
           std::to_string(frame.height) + "\">\n";
    out +=
        "<rect width=\"100%\" height=\"100%\" fill=\"" + Hex(options.lightBackground ? 0xFFFFFF : 0x000000) + "\"/>\n";
    out += "<g transform=\"matrix(" + Num(frame.scale) + " 0 0 " + Num(-frame.scale) + ' ' +
           Num(-frame.origin.x * frame.scale) + ' ' + Num(frame.origin.y * frame.scale) +
           ")\" fill=\"none\" stroke-width=\"" + Num(pixel) + "\" stroke-linecap=\"round\" font-family=\"" +
           kPictureFontFamily + "\">\n";
    if (!header.sheet.Empty()) {
        const PictureBounds& l = header.sheet;
        out += "<rect class=\"SHEET\" x=\"" + Num(l.min.x) + "\" y=\"" + Num(l.min.y) + "\" width=\"" +
               Num(l.max.x - l.min.x) + "\" height=\"" + Num(l.max.y - l.min.y) + "\" stroke=\"#808080\"/>\n";
    }
    // The elements are handed on a megabyte or so at a time.
    constexpr std::size_t kFlushAt = 1 << 20;
    source.EachShape([&](const Shape& s) {
        AppendShape(out, s, header, options, pixel);
        if (out.size() >= kFlushAt) {
            sink.Write(out);
            out.clear();
        }
    });
    out += "</g>\n</svg>\n";
    sink.Write(out);
}

std::string SvgPicture(const DisplayList& list, const PictureOptions& options) {
    StringSink sink;
    WriteSvgPicture(PictureSource(list), options, sink);
    return sink.Text();
}

}  // namespace orvik
