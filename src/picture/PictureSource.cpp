#include "picture/PictureSource.h"

#include "picture/DisplayListBuilder.h"

namespace orvik {

PictureOutliner::PictureOutliner() : builder_([this](Shape&& s) { AddShapeBounds(shapes_, s); }) {}

PictureSource::PictureSource(const Conversion& conversion, PictureOutliner& outliner)
    : conversion_(&conversion), outline_(outliner.builder_.Take()) {
    bounds_ = outliner.shapes_.Empty() ? outline_.sheet : outliner.shapes_;
}

PictureSource::PictureSource(const Conversion& conversion) : conversion_(&conversion) {
    PictureOutliner outliner;
    conversion.WriteTo(outliner);
    *this = PictureSource(conversion, outliner);
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
