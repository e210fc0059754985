// Builds the display list from the DXF text as it is written: a sink the
// conversion streams its file into, so the picture is read from the very
// groups the file holds and cannot disagree with it.
//
// It reads $ACADVER, $LIMMIN, $LIMMAX and $LTSCALE from the HEADER, the LTYPE,
// LAYER and STYLE tables, the blocks, and the LINE, POLYLINE (VERTEX,
// SEQEND), CIRCLE, ARC, ELLIPSE, TEXT, POINT, SOLID and INSERT entities (an
// INSERT of a block written before it, as its shapes placed, within
// kPlacedShapeLimit and kPlacedNestingLimit); everything else is passed over.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "convert/Conversion.h"
#include "geometry/Placement.h"
#include "output/ByteSink.h"
#include "picture/DisplayList.h"

namespace orvik {

class DisplayListBuilder final : public ByteSink {
public:
    DisplayListBuilder() = default;
    // The shapes of the ENTITIES section go to `sink` as each is complete,
    // not into the list (a block's are still kept, for its INSERTs).
    explicit DisplayListBuilder(std::function<void(Shape&&)> sink) : sink_(std::move(sink)) {}

    void Write(std::string_view bytes) override;
    // The list of everything written so far (the last record is complete
    // once the file's EOF has been written).
    DisplayList Take();

private:
    struct Layer {
        int color = 7;
        bool hidden = false;
        std::string linetype;
    };
    struct Tag {
        int code;
        std::string value;
    };

    void Line(std::string_view line);
    void TakeGroup(int code, std::string value);
    void EndRecord();
    void EndHeaderVariable();
    void EndTableRecord();
    void EndEntity();
    // An entity's colour and line type, its own or its layer's.
    void Style(Shape& s, const Layer& onLayer);
    // An entity's geometry and text from its groups (a POLYLINE's come with its vertices).
    void ReadGeometry(Shape& s) const;
    void EndBlockRecord();
    void Insert();
    // The shapes of the block `name`, placed by `chain` (outermost first)
    // and handed on; its insertions followed within the limits.
    void Place(const std::string& name, std::vector<Placement>& chain);
    // A complete shape: to the block being read, the sink, or the list.
    void Emit(Shape&& shape);
    const std::string* Value(int code) const;
    double Number(int code, double otherwise = 0) const;
    // The point whose X the group `code` holds (0, 0 where absent).
    PicturePoint PointAt(int code) const;

    std::string partial_;  // an incomplete last line
    bool haveCode_ = false;
    int code_ = 0;

    std::string section_;
    std::string record_;  // the record (or header variable) being read
    std::vector<Tag> groups_;

    PictureBounds limits_;  // $LIMMIN..$LIMMAX
    double linetypeScale_ = 1;
    std::map<std::string, DashPattern> dashes_;
    std::map<std::string, Layer> layers_;
    std::map<std::string, bool> verticalStyles_;
    std::map<std::string, int> linetypeIndex_;
    // A block as written: its shapes in its own coordinates and its
    // insertions of blocks before it, in order; placed only when an INSERT
    // outside blocks draws it, never held expanded.
    struct Nested {
        std::string block;
        Placement at;
    };
    std::map<std::string, std::vector<std::variant<Shape, Nested>>> blocks_;
    std::int64_t placed_ = 0;  // shapes the INSERTs placed
    std::string block_;  // the name of the block being read; empty outside blocks
    Shape polyline_;  // the POLYLINE whose vertices are being read
    bool inPolyline_ = false;
    bool polylineShown_ = false;
    DisplayList list_;
    std::function<void(Shape&&)> sink_;
};

// The picture of what the conversion's DXF file holds.
DisplayList PictureOf(const Conversion& conversion);

}  // namespace orvik
