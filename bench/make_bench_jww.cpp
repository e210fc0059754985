// Writes the JWW drawing that holds the same elements as a JWC drawing, for
// comparing the conversions of both formats: the same numbers for the
// coordinates (the DXF files differ by the JWC drawing's paper factor, the
// work is the same), arc angles in radians, each text with its text type's
// size.
//
// Usage: make_bench_jww INPUT.jwc OUTPUT.jww
#include <cstdio>
#include <fstream>
#include <numbers>

#include "ToolArguments.h"
#include "jwc/JwcLoader.h"
#include "support/JwwBuilder.h"

using namespace orvik;

int main(int argc, char** argv) {
    const std::vector<std::string> args = ToolArguments(argc, argv, "make_bench_jww INPUT.jwc OUTPUT.jww", 2, 2);
    JwcFile jwc;
    if (!LoadJwcFile(args[0].c_str(), jwc)) {
        std::fprintf(stderr, "make_bench_jww: %s does not read\n", args[0].c_str());
        return 1;
    }
    JwwDrawing jww = NewJwwDrawing();
    jww.header.paperSize = static_cast<std::uint32_t>(jwc.header.paperSize);
    for (int g = 0; g < kJwwGroupCount; ++g)
        jww.header.groups[static_cast<std::size_t>(g)].scale = jwc.layerGroups[static_cast<std::size_t>(g)].scale;
    const auto common = [](std::uint8_t lineType, std::uint8_t pen, std::uint8_t layer) {
        JwwCommon c;
        c.penStyle = lineType;
        c.penColor = pen;
        c.layerGroup = layer / kJwwLayersPerGroup;
        c.layer = layer % kJwwLayersPerGroup;
        return c;
    };
    const double radians = std::numbers::pi / 180;
    for (const DrawingLine& l : jwc.lines)
        Append(jww.elements, JwwLine{common(l.lineType, l.pen, l.layer), l.x1, l.y1, l.x2, l.y2});
    for (const DrawingArc& a : jwc.arcs) {
        const bool whole = a.startAngle == a.endAngle;
        Append(jww.elements, JwwArc{common(a.lineType, a.pen, a.layer), a.cx, a.cy, a.radius, a.startAngle * radians,
                                    whole ? 2 * std::numbers::pi : (a.endAngle - a.startAngle) * radians,
                                    a.tilt * radians, a.flatness, whole ? 1u : 0u});
    }
    for (const DrawingText& t : jwc.texts) {
        const TextType& type = jwc.textTypes[t.textType < kTextTypeSlots ? t.textType : kTextTypeSlots - 1];
        Append(jww.elements, JwwText{common(1, 1, t.layer), t.x1, t.y1, t.x2, t.y2, 0, type.width / 10.0,
                                     type.height / 10.0, 0, 0, "", t.text});
    }
    for (const DrawingPoint& p : jwc.points) Append(jww.elements, JwwPoint{common(1, p.pen, p.layer), p.x, p.y, 0});
    std::ofstream(args[1], std::ios::binary) << BuildJww(jww).bytes;
    return 0;
}
