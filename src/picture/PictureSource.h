// The shapes of a picture handed one at a time, with what a picture needs
// before the first (the sheet, the dash patterns, the text encoding and the
// box of all shapes). Made from a conversion, the shapes are never all held:
// its DXF text is read twice, once for the box and once to hand them out,
// so a picture of a large drawing takes little more memory than the drawing;
// where the DXF text is written anyway (a DXF file and its thumbnail), a
// PicturePrepass reads it on the way and spares the first reading.
// Made from a display list already held (the window's), it hands out the list's.
#pragma once

#include <functional>

#include "convert/Conversion.h"
#include "picture/DisplayList.h"
#include "picture/DisplayListBuilder.h"

namespace orvik {

// What a picture needs before its shapes, gathered from DXF text written for
// another purpose.
class PicturePrepass final : public ByteSink {
public:
    PicturePrepass();
    PicturePrepass(const PicturePrepass&) = delete;
    PicturePrepass& operator=(const PicturePrepass&) = delete;
    void Write(std::string_view bytes) override { builder_.Write(bytes); }

private:
    friend class PictureSource;
    PictureBounds shapes_;
    DisplayListBuilder builder_;
};

class PictureSource {
public:
    explicit PictureSource(const Conversion& conversion);
    // After the conversion's whole text went through the prepass.
    PictureSource(const Conversion& conversion, PicturePrepass& prepass);
    explicit PictureSource(const DisplayList& list);

    // Everything of the picture but its shapes: the sheet, the dash patterns,
    // the text encoding and what was left out.
    const DisplayList& Header() const { return header_; }
    // What the shapes cover; the sheet when there are none (DisplayList::Bounds).
    const PictureBounds& Bounds() const { return bounds_; }
    // Each shape, in the file's order.
    void EachShape(const std::function<void(const Shape&)>& use) const;

private:
    const Conversion* conversion_ = nullptr;
    const DisplayList* list_ = nullptr;
    DisplayList header_;
    PictureBounds bounds_;
};

}  // namespace orvik
