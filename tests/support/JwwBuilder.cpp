#include "support/JwwBuilder.h"

#include "jww/JwwWriter.h"
#include "output/ByteSink.h"

namespace orvik {
namespace {

template <class T>
void Push(JwwElementList& list, std::deque<T>& items, JwwKind kind, T e) {
    list.order.push_back(kind);
    items.push_back(std::move(e));
}

}  // namespace

JwwBuilt BuildJww(const JwwDrawing& drawing) {
    StringSink sink;
    const JwwParts parts = WriteJww(drawing, sink);
    return {sink.Text(), parts.elements, parts.blocks, parts.images};
}

JwwDrawing NewJwwDrawing(std::uint32_t version) {
    JwwDrawing d;
    d.header.version = version;
    d.header.paperSize = 3;
    for (JwwLayerGroup& g : d.header.groups) {
        g.state = 2;
        g.scale = 1;
        for (JwwLayer& layer : g.layers) layer.state = 2;
    }
    d.header.groups[0].state = 3;
    d.header.groups[0].layers[0].state = 3;
    return d;
}

void Append(JwwElementList& list, JwwLine e) { Push(list, list.lines, JwwKind::Line, std::move(e)); }
void Append(JwwElementList& list, JwwArc e) { Push(list, list.arcs, JwwKind::Arc, std::move(e)); }
void Append(JwwElementList& list, JwwPoint e) { Push(list, list.points, JwwKind::Point, std::move(e)); }
void Append(JwwElementList& list, JwwText e) { Push(list, list.texts, JwwKind::Text, std::move(e)); }
void Append(JwwElementList& list, JwwSolid e) { Push(list, list.solids, JwwKind::Solid, std::move(e)); }
void Append(JwwElementList& list, JwwBlockInsert e) { Push(list, list.inserts, JwwKind::BlockInsert, std::move(e)); }
void Append(JwwElementList& list, JwwDimension e) { Push(list, list.dimensions, JwwKind::Dimension, std::move(e)); }

JwwBlockDefinition& Append(JwwElementList& list, std::unique_ptr<JwwBlockDefinition> e) {
    list.order.push_back(JwwKind::BlockDefinition);
    return *list.definitions.emplace_back(std::move(e));
}

}  // namespace orvik
