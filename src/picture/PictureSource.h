// The shapes of a picture handed one at a time, with what a picture needs
// before the first (the sheet, the dash patterns, the text encoding and the
// box of all shapes). Made from a conversion, the shapes are never all held:
// its DXF text is read twice, once for the box and once to hand them out,
// so a picture of a large drawing takes little more memory than the drawing.
// Made from a display list already held (the window's), it hands out the list's.
#pragma once

#include <functional>

#include "convert/Conversion.h"
#include "picture/DisplayList.h"

namespace orvik {

class PictureSource {
public:
    explicit PictureSource(const Conversion& conversion);
    explicit PictureSource(const DisplayList& list);

    // Everything of the picture but its shapes.
    const DisplayList& Outline() const { return outline_; }
    // What the shapes cover; the sheet when there are none (DisplayList::Bounds).
    const PictureBounds& Bounds() const { return bounds_; }
    // Each shape, in the file's order.
    void EachShape(const std::function<void(const Shape&)>& use) const;

private:
    const Conversion* conversion_ = nullptr;
    const DisplayList* list_ = nullptr;
    DisplayList outline_;
    PictureBounds bounds_;
};

}  // namespace orvik
