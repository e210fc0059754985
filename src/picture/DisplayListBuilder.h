// Builds the display list from the DXF text as it is written: a sink the
// conversion streams its file into, so the picture is read from the very
// groups the file holds and cannot disagree with it.
//
// It reads $ACADVER, $LIMMIN, $LIMMAX and $LTSCALE from the HEADER, the LTYPE,
// LAYER and STYLE tables, the blocks, and the LINE, POLYLINE (VERTEX,
// SEQEND), CIRCLE, ARC, ELLIPSE, TEXT, POINT, SOLID and INSERT entities (an
// INSERT of a block written before it, as its shapes placed); everything
// else is passed over.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "convert/Conversion.h"
#include "dxf/ByteSink.h"
#include "picture/DisplayList.h"

namespace orvik {

class DisplayListBuilder final : public ByteSink {
public:
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
    void EndBlockRecord();
    void Insert();
    // Where shapes go: the picture, or the block being read.
    std::vector<Shape>& Target();
    const std::string* Value(int code) const;
    double Number(int code, double otherwise = 0) const;

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
    std::map<std::string, std::vector<Shape>> blocks_;
    std::string block_;  // the name of the block being read; empty outside blocks
    Shape polyline_;  // the POLYLINE whose vertices are being read
    bool inPolyline_ = false;
    bool polylineShown_ = false;
    DisplayList list_;
};

// The picture of what the conversion's DXF file holds.
DisplayList PictureOf(const Conversion& conversion);

}  // namespace orvik
