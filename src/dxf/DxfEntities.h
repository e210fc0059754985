// Each DXF entity's groups as elements of the drawing model (DxfReader.h
// says what becomes what).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "dxf/DxfGroupReader.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfStyles.h"
#include "dxf/DxfText.h"
#include "model/Drawing.h"

namespace orvik {

using DxfGroups = std::span<const DxfGroup>;

// An entity and what follows it: a POLYLINE's vertices, an INSERT's attributes.
struct DxfEntity {
    std::string type;  // "LINE"
    DxfGroups groups;
    std::vector<std::vector<DxfGroup>> followers;
};

class DxfEntities {
public:
    // `blockId` numbers a block's name (upper case) for the insertions that name it.
    DxfEntities(DxfStyles& styles, DxfTextDecoder& text, DxfLeftOut& leftOut, double unit, double textSize,
                std::function<std::uint32_t(const std::string&)> blockId)
        : styles_(styles),
          text_(text),
          leftOut_(leftOut),
          unit_(unit),
          textSize_(textSize),
          blockId_(std::move(blockId)) {}

    void Add(const DxfEntity& entity, ElementSet& set);

    // The insertions a DIMENSION or LEADER made of its drawing's block,
    // to be replaced by the block's elements.
    const std::vector<std::pair<ElementSet*, std::size_t>>& Drawings() const { return drawings_; }

private:
    class Fields;
    class Boundary;
    DxfProperties Properties(const Fields& f);
    void Line(const Fields& f, ElementSet& set);
    void Circle(const Fields& f, ElementSet& set, bool arc);
    void Ellipse(const Fields& f, ElementSet& set);
    void Point(const Fields& f, ElementSet& set);
    void Text(const Fields& f, ElementSet& set, bool attribute);
    void Mtext(const Fields& f, ElementSet& set);
    void Solid(const Fields& f, ElementSet& set);
    void Face(const Fields& f, ElementSet& set);
    void Lwpolyline(const Fields& f, ElementSet& set);
    void Polyline(const Fields& f, const DxfEntity& entity, ElementSet& set);
    void Spline(const Fields& f, ElementSet& set);
    void Hatch(const Fields& f, ElementSet& set);
    void Insert(const Fields& f, const DxfEntity& entity, ElementSet& set);
    void BlockDrawing(const Fields& f, ElementSet& set);
    void Leader(const Fields& f, ElementSet& set);

    struct Vertex {
        double x = 0, y = 0, bulge = 0, startWidth = 0, endWidth = 0;
    };
    // A polyline's segments: lines as one curve run, arcs, widths as solids.
    void Segments(const std::vector<Vertex>& vertices, bool closed, const DxfStyle& style, ElementSet& set);
    // Texts along a base line from (x, y) turned `angle` degrees.
    void PlaceText(std::string text, double x, double y, double height, double widthFactor, double angle,
                   int horizontal, int vertical, bool upright, const DxfStyle& style, ElementSet& set);
    void LeaveOut(const std::string& type) { ++leftOut_.entities[type]; }

    DxfStyles& styles_;
    DxfTextDecoder& text_;
    DxfLeftOut& leftOut_;
    double unit_, textSize_;
    std::function<std::uint32_t(const std::string&)> blockId_;
    std::vector<std::pair<ElementSet*, std::size_t>> drawings_;
    std::int64_t added_ = 0;  // elements entities added beyond one each
};

}  // namespace orvik
