// The one place a picture's shapes become what a painter draws: every
// drawing rule (ShapePlan's, at the view's scale) applied once, and the
// result handed to a backend as a few primitives in device pixels (y down):
// a path stroked, a path filled, a dot, a text run. The window's drawing
// tab, PNG pictures (Qt, GDI+) and PDF pictures (the PDF page) are such
// backends, and draw nothing but what they are handed. Arcs, circles and
// ellipses come as cubic Bézier curves of at most a quarter turn each.
//
// The SVG document is not drawn through here: it keeps every shape as its
// own element in drawing units, at any zoom, so the view's rules (off the
// view, the dot under two pixels) do not apply to it; it shares the sweeps.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "picture/DisplayList.h"
#include "picture/PicturePath.h"
#include "picture/PictureSource.h"
#include "picture/PictureView.h"
#include "picture/SvgPicture.h"

namespace orvik {

// x' = a x + c y + e, y' = b x + d y + f, as {a, b, c, d, e, f}.
using PictureTransform = std::array<double, 6>;

// `first`, then `second`.
PictureTransform Then(const PictureTransform& first, const PictureTransform& second);

// The arc a POLYLINE bulge draws from q to p: centre, radius, the start
// angle at q and the sweep to p (degrees, counter-clockwise positive).
struct BulgeArc {
    PicturePoint centre;
    double radius = 0;
    double start = 0;
    double sweep = 0;
};
BulgeArc ArcOfBulge(PicturePoint q, double bulge, PicturePoint p);

// A DXF dash pattern in pixels at `scale` pixels per unit: dash and gap
// lengths alternating, starting with a dash, of even count. A pattern whose
// period is under four pixels would only grey the line, at great cost: it
// is drawn solid (empty).
std::vector<double> ScreenDashes(const DashPattern& pattern, double scale);

// A text's glyph units: pixels of a font kTextFontPixels high, from the
// start of the base line, y down.
inline constexpr double kTextFontPixels = 100;

struct StrokeStyle {
    std::uint32_t rgb = 0;
    double width = 0;  // pixels; 0 is the device's thinnest line (one pixel)
    bool round = false;  // round ends and joins, else the toolkit's square ends and bevel joins
    int pattern = -1;  // the line type's index in the header, -1 solid: a backend may keep a pen per pattern
    std::span<const double> dashes;  // pixels: dash, gap, …; empty: solid
};

enum class FillRule : std::uint8_t { NonZero, EvenOdd };

class PictureBackend {
public:
    virtual ~PictureBackend() = default;
    virtual void StrokePath(const PicturePath& path, const StrokeStyle& style) = 0;
    // Filled; with `edge`, stroked too with a one-pixel line of the colour,
    // so that fills sharing an edge leave no seam.
    virtual void FillPath(const PicturePath& path, std::uint32_t rgb, FillRule rule, bool edge) = 0;
    // A round dot `diameter` pixels across.
    virtual void Dot(PicturePoint at, std::uint32_t rgb, double diameter) = 0;
    // The advance of one character (UTF-8) in glyph units.
    virtual double Advance(std::string_view character) = 0;
    // The text (UTF-8) in the picture font, its glyph units placed by `place`.
    virtual void Text(std::string_view utf8, const PictureTransform& place, std::uint32_t rgb) = 0;
};

// Draws onto a device of `width` × `height` pixels under `view`: the
// sheet's grey frame when made, then each shape handed to Draw.
class PictureFrontend {
public:
    PictureFrontend(PictureBackend& backend, const DisplayList& header, const PictureView& view, int width, int height,
                    bool lightBackground);
    void Draw(const Shape& s);

private:
    void Figure(const Shape& s, double sweep);
    void Outline(const Shape& s);
    void Circle(PicturePoint centre, double radius, bool move);
    void Text(const Shape& s, std::uint32_t rgb);
    PicturePoint At(PicturePoint p) const { return view_.ToPixels(p); }

    PictureBackend& backend_;
    const DisplayList& header_;
    PictureView view_;
    bool light_;
    PictureBounds visible_;
    std::vector<std::vector<double>> dashes_;  // per line type, in pixels
    PicturePath path_;  // the shape's, its memory kept from one to the next
};

// Every shape of the source through a frontend.
void DrawPicture(PictureBackend& backend, const PictureSource& source, const PictureView& view, int width, int height,
                 bool lightBackground);

// The view of FrameFor's picture: the whole drawing at its size.
PictureView FrameView(const PictureFrame& frame);

}  // namespace orvik
