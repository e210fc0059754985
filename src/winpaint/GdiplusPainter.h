// The picture frontend's GDI+ backend, which every Windows has: the
// window's drawing tab and the command line's PNG pictures on Windows.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <gdiplus.h>

#include <memory>
#include <vector>

#include "picture/DisplayList.h"
#include "picture/PictureSource.h"
#include "picture/PictureView.h"
#include "picture/SvgPicture.h"

namespace orvik::win {

// GDI+ started for as long as it lives: one for the program's life.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool Started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// Draws the paper sheet's frame and the shapes under `view`; the background
// is the caller's. Shapes wholly outside the device's `width` × `height` are skipped.
void PaintPicture(Gdiplus::Graphics& graphics, const PictureSource& source, const PictureView& view, int width,
                  int height, bool lightBackground);

// The whole drawing at `options.width` pixels, on its background; null when
// its memory cannot be had.
std::unique_ptr<Gdiplus::Bitmap> RenderPicture(const PictureSource& source, const PictureOptions& options);

// The bitmap as the bytes of a PNG file; false when it cannot be encoded.
bool EncodePng(Gdiplus::Bitmap& bitmap, std::vector<char>& png);

}  // namespace orvik::win
