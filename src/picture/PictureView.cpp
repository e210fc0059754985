#include "picture/PictureView.h"

#include <algorithm>

#include "picture/SvgPicture.h"

namespace orvik {

PictureView FitView(const DisplayList& list, int width, int height) {
    // The drawing and its paper sheet, as JW_CAD shows a drawing whole.
    PictureBounds whole = list.Bounds();
    whole.Unite(list.sheet);
    width = std::max(width, 1);
    height = std::max(height, 1);
    const PictureFrame frame = FrameFor(whole, width);
    // FrameFor fits the width; when the drawing is the taller, fit the height.
    const double tall = static_cast<double>(frame.height) / height;
    const double scale = tall > 1 ? frame.scale / tall : frame.scale;
    const double shownWidth = frame.width / frame.scale * scale, shownHeight = frame.height / frame.scale * scale;
    // The frame's top left corner placed so the frame is centred.
    const double left = (width - shownWidth) / 2, top = (height - shownHeight) / 2;
    return {scale, left - frame.origin.x * scale, top + frame.origin.y * scale};
}

}  // namespace orvik
