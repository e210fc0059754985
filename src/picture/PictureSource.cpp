#include "picture/PictureSource.h"

#include "picture/DisplayListBuilder.h"

namespace orvik {

PictureSource::PictureSource(const Conversion& conversion) : conversion_(&conversion) {
    PictureBounds shapes;
    DisplayListBuilder builder([&](Shape&& s) { AddShapeBounds(shapes, s); });
    conversion.WriteTo(builder);
    outline_ = builder.Take();
    bounds_ = shapes.Empty() ? outline_.sheet : shapes;
}

PictureSource::PictureSource(const DisplayList& list) : list_(&list), bounds_(list.Bounds()) {
    outline_.encoding = list.encoding;
    outline_.sheet = list.sheet;
    outline_.linetypes = list.linetypes;
    outline_.placedLimitReached = list.placedLimitReached;
    outline_.insertsTooDeep = list.insertsTooDeep;
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
