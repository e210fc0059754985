#include "picture/PictureSource.h"

#include "picture/DisplayListBuilder.h"

namespace orvik {

PicturePrepass::PicturePrepass() : builder_([this](Shape&& s) { AddShapeBounds(shapes_, s); }) {}

PictureSource::PictureSource(const Conversion& conversion, PicturePrepass& prepass)
    : conversion_(&conversion), header_(prepass.builder_.Take()) {
    bounds_ = prepass.shapes_.Empty() ? header_.sheet : prepass.shapes_;
}

PictureSource::PictureSource(const Conversion& conversion) : conversion_(&conversion) {
    PicturePrepass prepass;
    conversion.WriteTo(prepass);
    *this = PictureSource(conversion, prepass);
}

PictureSource::PictureSource(const DisplayList& list) : list_(&list), bounds_(list.Bounds()) {
    header_.encoding = list.encoding;
    header_.sheet = list.sheet;
    header_.linetypes = list.linetypes;
    header_.placedLimitReached = list.placedLimitReached;
    header_.insertsTooDeep = list.insertsTooDeep;
}

void PictureSource::EachShape(const std::function<void(const Shape&)>& use) const {
    if (list_) {
        for (const Shape& s : list_->shapes) use(s);
        return;
    }
    DisplayListBuilder builder([&](Shape&& s) { use(s); });
    conversion_->WriteTo(builder);
    builder.Take();  // the last record
}

}  // namespace orvik
