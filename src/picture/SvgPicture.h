// The display list as an SVG document (UTF-8): the paper sheet as a grey
// frame, every shape in its screen colour, with its dash pattern, on a dark or
// light background. The shapes keep their drawing coordinates inside one group
// that flips and scales them to pixels; each element's class names its DXF
// entity kind (LINE, POLYLINE, CIRCLE, ARC, ELLIPSE, TEXT, POINT, SOLID; a SOLID filled).
#pragma once

#include <string>

#include "output/ByteSink.h"
#include "picture/DisplayList.h"
#include "picture/PictureSource.h"

namespace orvik {

struct PictureOptions {
    int width = 1200;  // pixels; the height follows the drawing's proportions
    bool lightBackground = false;  // false: black like a CAD screen, colour 7 white
};

// The font family the pictures ask for: the Japanese Gothic the project installs.
inline constexpr const char* kPictureFontFamily = "IPAGothic";

// The largest picture made: no side longer than kMaxPictureSide pixels and
// at most kMaxPicturePixels in all (a PNG of that size takes 160 MB in
// memory while it is drawn).
inline constexpr int kMaxPictureSide = 20000;
inline constexpr double kMaxPicturePixels = 40e6;

// The scale and the pixel size of the picture of `bounds` at `width` pixels,
// with a margin of 2 % on every side. A picture that would exceed the
// largest one is made smaller, keeping the drawing's proportions.
struct PictureFrame {
    double scale = 1;  // pixels per drawing unit
    PicturePoint origin;  // the drawing point at the top left corner
    int width = 1;
    int height = 1;
};
PictureFrame FrameFor(const PictureBounds& bounds, int width);

// Streams the SVG document into the sink as the shapes come.
void WriteSvgPicture(const PictureSource& source, const PictureOptions& options, ByteSink& sink);
// The same for a display list held, as one string.
std::string SvgPicture(const DisplayList& list, const PictureOptions& options);

}  // namespace orvik
