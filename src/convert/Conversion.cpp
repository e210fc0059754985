#include "convert/Conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>

#include "convert/BlockExplosion.h"
#include "convert/BlockNames.h"
#include "convert/EntitySection.h"
#include "convert/EntityWriters.h"
#include "convert/FixedSections.h"
#include "convert/HeaderSection.h"
#include "convert/LayerAssignment.h"
#include "convert/LayoutObjects.h"
#include "convert/Lineweights.h"
#include "convert/PenTables.h"
#include "convert/ProposedScales.h"
#include "convert/ReferenceScale.h"
#include "dxf/ColorPalette.h"
#include "dxf/DxfWriter.h"
#include "dxf/NumberFormat.h"
#include "geometry/Placement.h"
#include "numeric/Extended.h"
#include "os/System.h"
#include "output/AtomicFile.h"
#include "text/Messages.h"

namespace orvik {
namespace {

// Julian day number of 30 December 1899, the day count's origin.
const Extended kJulianDayOfDayZero = 2415019;

// Days from 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The four corners of `box` placed as the insertion places its block.
void AddPlacedBox(Extents& to, const Extents& box, const BlockInsert& insert) {
    if (box.minX > box.maxX) return;
    const Placement at = Placement::Of(insert.x, insert.y, insert.scaleX, insert.scaleY, insert.rotation);
    for (const Extended x : {box.minX, box.maxX})
        for (const Extended y : {box.minY, box.maxY}) {
            const auto [px, py] = at(static_cast<double>(x), static_cast<double>(y));
            to.Add(px, py);
        }
}

float GroupScale(const Drawing& drawing, std::uint8_t layer) {
    return drawing.layerGroups[layer / kLayersPerGroup].scale;
}

// Adds the box a text covers: its base line from (x1, y1) to (x2, y2) and a
// character's height to its left, or to both sides of a vertical text's
// column; a character's height around its start when it has no length.
// Heights are millimetres on paper, `paperFactor` of them a drawing unit.
void AddTextBox(Extents& to, const Drawing& d, const DrawingText& m, Extended paperFactor) {
    const TextType& type = d.textTypes[m.textType < kTextTypeSlots ? m.textType : kTextTypeSlots - 1];
    const double height = static_cast<double>((m.height >= 0 ? m.height : type.height / 10.0) / paperFactor);
    const double dx = m.x2 - m.x1, dy = m.y2 - m.y1, length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0)) {
        to.Add(m.x1 - height, m.y1 - height);
        to.Add(m.x1 + height, m.y1 + height);
        return;
    }
    const double nx = -dy / length * height, ny = dx / length * height;
    const double below = m.vertical ? -1 : 0;
    for (const auto& [x, y] : {std::pair{m.x1, m.y1}, std::pair{m.x2, m.y2}}) {
        to.Add(x + nx, y + ny);
        to.Add(x + below * nx, y + below * ny);
    }
}

// The box around each block's lines, arcs, points, solids and insertions,
// and its texts when asked, in its own coordinates (empty for a block
// without them).
std::vector<Extents> BlockBoxes(const Drawing& d, bool withTexts, Extended paperFactor) {
    std::vector<Extents> boxes(d.blocks.size());
    for (std::size_t k = 0; k < d.blocks.size(); ++k) {
        const Block& b = d.blocks[k];
        Extents& box = boxes[k];
        for (const DrawingLine& s : b.lines) box.Add(s.x1, s.y1), box.Add(s.x2, s.y2);
        for (const DrawingArc& e : b.arcs)
            for (const ArcPoint& p :
                 ArcStatisticsPoints(e.cx, e.cy, e.radius, e.flatness, e.startAngle, e.endAngle, e.tilt))
                box.Add(p.x, p.y);
        for (const DrawingPoint& t : b.points) box.Add(t.x, t.y);
        for (const DrawingSolid& s : b.solids)
            for (const auto& p : {s.p1, s.p2, s.p3, s.p4}) box.Add(p[0], p[1]);
        for (const BlockInsert& i : b.inserts)  // of blocks before this one
            if (i.block < k) AddPlacedBox(box, boxes[i.block], i);
        if (withTexts)
            for (const DrawingText& m : b.texts) AddTextBox(box, d, m, paperFactor);
    }
    return boxes;
}

// Feeds every element to the statistics; returns the extents.
Extents GatherStatistics(const Drawing& d, ScaleStatistics& scales) {
    Extents ext;
    for (const DrawingLine& s : d.lines) {
        scales.AddLine(GroupScale(d, s.layer), s.x1, s.y1, s.x2, s.y2);
        ext.Add(s.x1, s.y1);
        ext.Add(s.x2, s.y2);
    }
    for (const DrawingArc& e : d.arcs) {
        for (const ArcPoint& p :
             scales.AddArc(GroupScale(d, e.layer), e.cx, e.cy, e.radius, e.flatness, e.startAngle, e.endAngle, e.tilt))
            ext.Add(p.x, p.y);
    }
    for (const DrawingPoint& t : d.points) {
        scales.AddPoint(GroupScale(d, t.layer), t.x, t.y);
        ext.Add(t.x, t.y);
    }
    for (const DrawingText& m : d.texts) scales.AddText(GroupScale(d, m.layer), m.x1, m.y1, m.x2, m.y2);
    for (const DrawingSolid& s : d.solids)
        for (const auto& p : {s.p1, s.p2, s.p3, s.p4}) {
            scales.AddPoint(GroupScale(d, s.layer), p[0], p[1]);
            ext.Add(p[0], p[1]);
        }
    // An insertion covers the corners of its block's box, placed.
    const std::vector<Extents> boxes = BlockBoxes(d, false, 1);
    for (const BlockInsert& i : d.inserts) {
        if (i.block >= boxes.size()) continue;
        Extents placed;
        AddPlacedBox(placed, boxes[i.block], i);
        if (placed.minX > placed.maxX) continue;
        for (const auto& [x, y] : {std::pair{placed.minX, placed.minY}, std::pair{placed.maxX, placed.maxY}}) {
            scales.AddPoint(GroupScale(d, i.layer), x, y);
            ext.Add(x, y);
        }
    }
    return ext;
}

// Widens the extents by the boxes of the texts, the blocks' texts placed by
// their insertions among them: readers that clip a drawing to its extents
// would otherwise cut texts beyond its lines.
void AddTextBoxes(Extents& ext, const Drawing& d, Extended paperFactor) {
    for (const DrawingText& m : d.texts) AddTextBox(ext, d, m, paperFactor);
    const std::vector<Extents> boxes = BlockBoxes(d, true, paperFactor);
    for (const BlockInsert& i : d.inserts)
        if (i.block < boxes.size()) AddPlacedBox(ext, boxes[i.block], i);
}

}  // namespace

void Extents::Add(Extended x, Extended y) {
    if (x < minX) minX = x;
    if (x > maxX) maxX = x;
    if (y < minY) minY = y;
    if (y > maxY) maxY = y;
}

std::optional<Extended> ParseScaleText(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    Extended value = 0;
    if (!ReadExtended(text, value) || !IsFinite(value)) return std::nullopt;
    return value;
}

std::string HandSeedFor(const Drawing& drawing, const ConversionSettings& settings, int tableRecords) {
    const std::int64_t lineHandles = settings.curvesAsPolylines ? kCurveLineHandleAllowance : 1;
    const std::int64_t pointHandles = settings.pointMode == PointMode::FilledCircle ? kFilledPointHandles : 1;
    // A block takes its record, BLOCK and ENDBLK, and its elements.
    std::int64_t n = tableRecords + 90 + 3 * static_cast<std::int64_t>(drawing.blocks.size());
    ForEachElementSet(drawing, [&](const auto& s) {
        // A vertical text written a character at a time takes a handle a
        // character, not the one counted below.
        for (const DrawingText& t : s.texts)
            if (t.vertical) n += static_cast<std::int64_t>(TextRecordCount(t.text, true, settings.outputFormat)) - 1;
        n += static_cast<std::int64_t>(s.lines.size()) * lineHandles +
             static_cast<std::int64_t>(s.points.size()) * pointHandles +
             static_cast<std::int64_t>(s.arcs.size() + s.texts.size() + s.virtualPoints.size() + s.solids.size() +
                                       s.inserts.size());
    });
    return FormatHandle(n);
}

std::string FileDateText(int year, int month, int day, int hour, int minute, int second) {
    second -= second % 2;  // file times have a two-second resolution
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30));
    const double time = static_cast<double>((hour * 3600 + minute * 60 + second) * 1000) / 86400000.0;
    return FormatReal(static_cast<Extended>(days + time) + kJulianDayOfDayZero);
}

std::string FileDateOf(std::time_t time) {
    const std::tm local = os::LocalTime(time);
    return FileDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

namespace {

bool AnyNonFinite(std::initializer_list<double> values) {
    return std::any_of(values.begin(), values.end(), [](double v) { return !std::isfinite(v); });
}

std::int64_t CountNonFiniteElements(const Drawing& d) {
    std::int64_t n = 0;
    ForEachElementSet(d, [&](const auto& set) {
        for (const DrawingLine& l : set.lines) n += AnyNonFinite({l.x1, l.y1, l.x2, l.y2});
        for (const DrawingArc& a : set.arcs)
            n += AnyNonFinite({a.cx, a.cy, a.radius, a.flatness, a.startAngle, a.endAngle, a.tilt});
        for (const DrawingText& t : set.texts) n += AnyNonFinite({t.x1, t.y1, t.x2, t.y2, t.width, t.height});
        for (const DrawingPoint& p : set.points) n += AnyNonFinite({p.x, p.y});
        for (const DrawingSolid& s : set.solids)
            n += AnyNonFinite({s.p1[0], s.p1[1], s.p2[0], s.p2[1], s.p3[0], s.p3[1], s.p4[0], s.p4[1]});
        for (const BlockInsert& i : set.inserts) n += AnyNonFinite({i.x, i.y, i.scaleX, i.scaleY, i.rotation});
        for (const VirtualPoint& p : set.virtualPoints) n += AnyNonFinite({p.x, p.y});
    });
    return n;
}

// Counts the elements whose pens carry a printed width, and those whose pens
// have a colour of the drawing's own.
void CountPenLosses(const Drawing& d, std::int64_t& widths, std::int64_t& colors) {
    const std::size_t firstOwn = kPenCount + d.pens.fixedColors.size();
    const auto count = [&](int pen) {
        const auto p = static_cast<std::size_t>(pen);
        widths += p < d.pens.widths.size() && d.pens.widths[p] > 0;
        colors += p >= firstOwn && p < firstOwn + d.pens.ownColors.size();
    };
    ForEachElementSet(d, [&](const auto& set) {
        for (const DrawingLine& e : set.lines) count(e.pen);
        for (const DrawingArc& e : set.arcs) count(e.pen);
        for (const DrawingText& e : set.texts) count(e.pen);
        for (const DrawingPoint& e : set.points) count(e.pen);
        for (const DrawingSolid& e : set.solids) count(e.pen);
    });
}

}  // namespace

bool IsUsableScale(Extended scale) {
    const auto key = static_cast<float>(scale);
    return scale > 0 && std::isfinite(key) && key > 0;
}

namespace {

std::shared_ptr<const Drawing> Exploded(const Drawing& drawing, const ConversionSettings& settings,
                                        std::int64_t& leftOut) {
    if (!settings.explodeBlocks || drawing.inserts.empty()) return nullptr;
    ExplodedDrawing exploded = ExplodeBlocks(drawing);
    leftOut = exploded.insertsLeftOut;
    return std::make_shared<const Drawing>(std::move(exploded.drawing));
}

}  // namespace

Conversion::Conversion(const Drawing& source, const ConversionSettings& settings, const ConversionRequest& request)
    : settings_(settings),
      sourcePath_(request.sourcePath),
      exploded_(Exploded(source, settings, result_.insertsLeftOut)),
      drawing_(exploded_ ? *exploded_ : source) {
    const Drawing& drawing = drawing_;
    LayerTables& tables = result_.layers;
    MarkUsedLayers(drawing, tables);
    FillPenTables(drawing.pens, settings, tables);

    const auto scale = ParseScaleText(request.scaleText);
    if (!scale) throw FailureError(Reason::BadScale, NotANumber(request.scaleText));
    if (!IsUsableScale(*scale)) throw FailureError(Reason::BadScale, ScaleNotPositive(request.scaleText));
    result_.referenceScale = *scale;

    FillLinetypeNames(settings.jwLineTypes, drawing.extraLinetypes, tables);
    const LayerUsage usage = CountLayerUsage(drawing, settings.auxiliaryOnDefpoints);
    const int usedLayers = AssignLayers(drawing, usage, settings, tables);
    result_.fontStyles = FontStylesOf(drawing, settings.outputFormat);
    result_.handleSeed =
        HandSeedFor(drawing, settings,
                    usedLayers + static_cast<int>(drawing.extraLinetypes.size() + result_.fontStyles.Styles().size()));
    result_.fileDate = FileDateOf(request.drawingTime);

    scales_.roundDelta = scales_.roundOffset = settings.roundCoordinates;
    paperFactor_ =
        drawing.units == DrawingUnits::PaperMillimetres ? 1 : PaperFactor(drawing.paper.size, drawing.paper.divisor);
    result_.extents = GatherStatistics(drawing, scales_);
    if (IsForReaders(settings.outputFormat)) AddTextBoxes(result_.extents, drawing, paperFactor_);
    result_.nonFiniteElements = CountNonFiniteElements(drawing);
    scales_.Analyze(paperFactor_);
    result_.unroundedScales = scales_.UnroundedScales();

    if (IsForReaders(settings.outputFormat)) {
        std::int64_t widths = 0, colors = 0;
        CountPenLosses(drawing, widths, colors);
        if (!HasLineweights(settings.outputFormat)) result_.widthsLeftOut = widths;
        if (!HasTrueColors(settings.outputFormat)) result_.colorsApproximated = colors;
    }
    result_.blockNames = BlockNamesOf(drawing);
    result_.defpointsUsed = NeedsDefpoints(drawing, usage, tables.penCount);
}

void Conversion::WriteTo(ByteSink& sink, int workers) const {
    const OutputFormat format = settings_.outputFormat;
    const bool r12 = IsR12(format);
    DxfWriter w(&sink, TextEncodingOf(format), DxfWriter::kFirstHandleSeed, {}, r12 ? GroupSet::R12 : GroupSet::All);
    WriteHeaderSection(w, HeaderInputs{result_, scales_, paperFactor_, drawing_.paper.size, format});
    if (!r12) WriteClassesSection(w, format);
    const std::int32_t firstBlockRecord = WriteTablesSection(
        w, TablesInputs{drawing_, result_.layers, LimitsFor(drawing_.paper.size, result_.referenceScale),
                        settings_.jwLineTypes, result_.defpointsUsed, format, result_.blockNames, result_.fontStyles});
    const EntityInputs entities{drawing_, settings_, result_, scales_, paperFactor_};
    WriteBlocksSection(w, format, result_.blockNames, firstBlockRecord, [&](std::size_t block, std::int32_t record) {
        WriteBlockEntities(w, entities, drawing_.blocks[block], record);
    });
    w.WriteGroup(0, "SECTION");
    w.WriteGroup(2, "ENTITIES");
    WriteEntities(w, entities, workers);
    w.WriteGroup(0, "ENDSEC");
    if (!r12) WriteObjectsSection(w, format);
    WriteEndOfFile(w);
    w.Flush();
}

void Conversion::SaveAs(const std::string& outputPath, SaveRules rules, int workers, ByteSink* copy) const {
    if (os::FileId source; os::IdentityOf(sourcePath_, source)) rules.protectedFiles.push_back(source);
    AtomicFile file(outputPath, std::move(rules));
    TeeSink both(file, copy);
    WriteTo(both, workers);
    file.Commit();
}

std::string Conversion::Text() const {
    StringSink sink;
    WriteTo(sink);
    return sink.Text();
}

}  // namespace orvik
