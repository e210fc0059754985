#include "picture/DisplayListBuilder.h"

#include <charconv>
#include <cstdlib>
#include <utility>

#include "dxf/Groups.h"
#include "numeric/DecimalText.h"
#include "picture/PlacedShape.h"

namespace orvik {
namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A DXF number value: blanks around it and a plus sign allowed, "." the
// separator whatever the locale; 0 when it is no number.
double NumberValue(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    return ReadDouble(text, value) ? value : 0;
}

// AutoCAD 2007 (AC1021) and later write every string in UTF-8.
bool IsUnicodeVersion(std::string_view version) { return version.size() == 6 && version >= "AC1021"; }

}  // namespace

void DisplayListBuilder::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos) {
            partial_.append(bytes);
            return;
        }
        if (partial_.empty()) {
            Line(bytes.substr(0, end));
        } else {
            partial_.append(bytes.substr(0, end));
            Line(partial_);
            partial_.clear();
        }
        bytes.remove_prefix(end + 1);
    }
}

void DisplayListBuilder::Line(std::string_view line) {
    if (!haveCode_) {
        const std::string_view digits = Trimmed(line);
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), code_);
        haveCode_ = ec == std::errc() && ptr == digits.data() + digits.size();
        return;
    }
    haveCode_ = false;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    TakeGroup(code_, std::string(line));
}

void DisplayListBuilder::TakeGroup(int code, std::string value) {
    // A record ends where the next begins: at group 0, and in the HEADER at
    // the next variable (group 9).
    if (code == group::kRecord || (code == group::kVariable && section_ == "HEADER")) {
        EndRecord();
        if (code == group::kRecord && value == "ENDSEC") section_.clear();
        record_ = std::move(value);
        return;
    }
    if (code == group::kName && record_ == "SECTION") {
        section_ = std::move(value);
        return;
    }
    groups_.push_back({code, std::move(value)});
}

PicturePoint DisplayListBuilder::PointAt(int code) const { return {Number(code), Number(code + group::kY)}; }

const std::string* DisplayListBuilder::Value(int code) const {
    for (const auto& g : groups_)
        if (g.code == code) return &g.value;
    return nullptr;
}

double DisplayListBuilder::Number(int code, double otherwise) const {
    const std::string* v = Value(code);
    return v ? NumberValue(*v) : otherwise;
}

void DisplayListBuilder::EndRecord() {
    if (section_ == "HEADER")
        EndHeaderVariable();
    else if (section_ == "TABLES")
        EndTableRecord();
    else if (section_ == "ENTITIES")
        EndEntity();
    else if (section_ == "BLOCKS")
        EndBlockRecord();
    groups_.clear();
}

void DisplayListBuilder::EndHeaderVariable() {
    if (record_ == "$ACADVER") {
        const std::string* v = Value(group::kHeader.version);
        if (v && IsUnicodeVersion(*v)) list_.encoding = TextEncoding::Utf8;
    } else if (record_ == "$LIMMIN" || record_ == "$LIMMAX") {
        limits_.Add(PointAt(group::kHeader.limitsCorner));
    } else if (record_ == "$LTSCALE") {
        linetypeScale_ = Number(group::kHeader.linetypeScale, 1);
    }
}

void DisplayListBuilder::EndTableRecord() {
    const std::string* name = Value(group::kName);
    if (!name) return;
    if (record_ == "LTYPE") {
        DashPattern& pattern = dashes_[*name];
        for (const auto& g : groups_)
            if (g.code == group::kLinetype.dash) pattern.push_back(NumberValue(g.value) * linetypeScale_);
    } else if (record_ == "LAYER") {
        // A negative colour switches the layer off; flag 1 freezes it.
        const int color = static_cast<int>(Number(group::kEntity.color, 7));
        const int flags = static_cast<int>(Number(group::kLayer.flags));
        const std::string* linetype = Value(group::kEntity.linetype);
        layers_[*name] = Layer{std::abs(color), color < 0 || (flags & 1) != 0, linetype ? *linetype : std::string()};
    } else if (record_ == "STYLE") {
        verticalStyles_[*name] = (static_cast<int>(Number(group::kStyle.flags)) & 4) != 0;
    }
}

void DisplayListBuilder::EndBlockRecord() {
    if (record_ == "BLOCK") {
        const std::string* name = Value(group::kName);
        block_ = name ? *name : std::string();
        blocks_[block_].clear();
    } else if (record_ == "ENDBLK") {
        block_.clear();
    } else {
        EndEntity();
    }
}

void DisplayListBuilder::Emit(Shape&& shape) {
    if (!block_.empty())
        blocks_[block_].emplace_back(std::move(shape));
    else if (sink_)
        sink_(std::move(shape));
    else
        list_.shapes.push_back(std::move(shape));
}

void DisplayListBuilder::Insert() {
    const std::string* name = Value(group::kInsert.block);
    const std::string* layerName = Value(group::kEntity.layer);
    const auto layer = layers_.find(layerName ? *layerName : std::string("0"));
    if (!name || *name == block_ || (layer != layers_.end() && layer->second.hidden)) return;
    if (!blocks_.contains(*name)) return;
    const PicturePoint origin = PointAt(group::kInsert.at);
    const Placement at = Placement::Of(origin.x, origin.y, Number(group::kInsert.scaleX, 1),
                                       Number(group::kInsert.scaleY, 1), Number(group::kInsert.angle));
    if (!block_.empty()) {
        blocks_[block_].emplace_back(Nested{*name, at});
        return;
    }
    std::vector<Placement> chain{at};
    Place(*name, chain);
}

void DisplayListBuilder::Place(const std::string& name, std::vector<Placement>& chain) {
    const auto block = blocks_.find(name);
    if (block == blocks_.end()) return;
    for (const auto& item : block->second) {
        // Each shape and each insertion followed counts: the work stays
        // within the limit however the blocks nest.
        if (placed_ >= kPlacedShapeLimit) {
            list_.placedLimitReached = true;
            return;
        }
        ++placed_;
        if (const Shape* shape = std::get_if<Shape>(&item)) {
            // Placed by the innermost insertion first, as each INSERT places
            // what the blocks inside it placed.
            Shape placed = PlacedShape(*shape, chain.back());
            for (std::size_t k = chain.size() - 1; k-- > 0;) placed = PlacedShape(placed, chain[k]);
            Emit(std::move(placed));
            continue;
        }
        const Nested& nested = std::get<Nested>(item);
        if (static_cast<int>(chain.size()) >= kPlacedNestingLimit) {
            ++list_.insertsTooDeep;
            continue;
        }
        chain.push_back(nested.at);
        Place(nested.block, chain);
        chain.pop_back();
    }
}

void DisplayListBuilder::EndEntity() {
    if (record_ == "INSERT") {
        Insert();
        return;
    }
    if (record_ == "VERTEX") {
        if (inPolyline_) polyline_.vertices.push_back({PointAt(group::kVertex.at), Number(group::kVertex.bulge)});
        return;
    }
    if (record_ == "SEQEND") {
        if (inPolyline_ && polylineShown_) Emit(std::move(polyline_));
        inPolyline_ = false;
        return;
    }
    static const std::map<std::string_view, ShapeKind> kKinds = {
        {"LINE", ShapeKind::Line},   {"POLYLINE", ShapeKind::Polyline}, {"CIRCLE", ShapeKind::Circle},
        {"ARC", ShapeKind::Arc},     {"ELLIPSE", ShapeKind::Ellipse},   {"TEXT", ShapeKind::Text},
        {"POINT", ShapeKind::Point}, {"SOLID", ShapeKind::Solid},
    };
    const auto kind = kKinds.find(record_);
    if (kind == kKinds.end()) return;

    const std::string* layerName = Value(group::kEntity.layer);
    const auto layer = layers_.find(layerName ? *layerName : std::string("0"));
    const Layer onLayer = layer == layers_.end() ? Layer{} : layer->second;

    Shape s;
    s.kind = kind->second;
    Style(s, onLayer);
    if (s.kind == ShapeKind::Polyline) {
        // The vertices follow; the shape is complete at SEQEND.
        s.radius = Number(group::kPolyline.width);
        s.closed = (static_cast<int>(Number(group::kPolyline.flags)) & 1) != 0;
        polyline_ = std::move(s);
        inPolyline_ = true;
        polylineShown_ = !onLayer.hidden;
        return;
    }
    ReadGeometry(s);
    if (!onLayer.hidden) Emit(std::move(s));
}

void DisplayListBuilder::Style(Shape& s, const Layer& onLayer) {
    // Colour 256 (or none) is the layer's; 0 (BYBLOCK) draws as 7 outside blocks.
    const int color = static_cast<int>(Number(group::kEntity.color, 256));
    s.color = color == 256 ? onLayer.color : color == 0 ? 7 : std::abs(color);
    const std::string* linetype = Value(group::kEntity.linetype);
    const std::string& linetypeName = !linetype || *linetype == "BYLAYER" ? onLayer.linetype : *linetype;
    if (const auto pattern = dashes_.find(linetypeName); pattern != dashes_.end() && !pattern->second.empty()) {
        auto [index, added] = linetypeIndex_.try_emplace(linetypeName, static_cast<int>(list_.linetypes.size()));
        if (added) list_.linetypes.push_back(pattern->second);
        s.linetype = index->second;
    }
}

void DisplayListBuilder::ReadGeometry(Shape& s) const {
    switch (s.kind) {
        case ShapeKind::Line:
            s.a = PointAt(group::kLine.start);
            s.b = PointAt(group::kLine.end);
            break;
        case ShapeKind::Circle:
        case ShapeKind::Arc:  // an ARC is a CIRCLE with its angles
            s.a = PointAt(group::kCircle.centre);
            s.radius = Number(group::kCircle.radius);
            if (s.kind == ShapeKind::Circle) break;
            s.start = Number(group::kArc.startAngle);
            s.end = Number(group::kArc.endAngle);
            break;
        case ShapeKind::Ellipse:
            s.a = PointAt(group::kEllipse.centre);
            s.b = PointAt(group::kEllipse.majorAxis);
            s.ratio = Number(group::kEllipse.ratio, 1);
            s.start = Number(group::kEllipse.start);
            s.end = Number(group::kEllipse.end);
            break;
        case ShapeKind::Text: {
            s.a = PointAt(group::kText.insertion);
            const std::string* text = Value(group::kText.string);
            s.text = text ? *text : std::string();
            s.height = Number(group::kText.height);
            s.angle = Number(group::kText.angle);
            s.widthFactor = Number(group::kText.widthFactor, 1);
            s.oblique = Number(group::kText.oblique);
            const std::string* style = Value(group::kText.style);
            const auto vertical = verticalStyles_.find(style ? *style : std::string("STANDARD"));
            s.vertical = vertical != verticalStyles_.end() && vertical->second;
            break;
        }
        case ShapeKind::Solid:
            s.a = PointAt(group::kSolid.first);
            // A SOLID is outlined through its corners 1, 2, 4, 3.
            for (const int code :
                 {group::kSolid.first, group::kSolid.second, group::kSolid.fourth, group::kSolid.third})
                s.vertices.push_back({PointAt(code), 0});
            s.closed = true;
            break;
        case ShapeKind::Point: s.a = PointAt(group::kPoint.at); break;
        case ShapeKind::Polyline: break;
    }
}

DisplayList DisplayListBuilder::Take() {
    EndRecord();
    if (!limits_.Empty()) {
        const double halfWidth = (limits_.max.x - limits_.min.x) / 2, halfHeight = (limits_.max.y - limits_.min.y) / 2;
        list_.sheet = PictureBounds{{-halfWidth, -halfHeight}, {halfWidth, halfHeight}};
    }
    return std::move(list_);
}

DisplayList PictureOf(const Conversion& conversion) {
    DisplayListBuilder builder;
    conversion.WriteTo(builder);
    return builder.Take();
}

}  // namespace orvik
