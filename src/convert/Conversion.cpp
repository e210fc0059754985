#include "convert/Conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>

#include "convert/EntitySection.h"
#include "convert/FixedSections.h"
#include "convert/HeaderSection.h"
#include "convert/LayerAssignment.h"
#include "convert/ProposedScales.h"
#include "convert/ReferenceScale.h"
#include "dxf/AtomicFile.h"
#include "dxf/DxfWriter.h"
#include "dxf/NumberFormat.h"
#include "os/System.h"
#include "text/Messages.h"

namespace orvik {
namespace {

// Julian day number of 30 December 1899, the day count's origin.
constexpr long double kJulianDayOfDayZero = 2415019;

// Days from 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

float GroupScale(const JwcDrawing& drawing, std::uint8_t layer) {
    return drawing.layerGroups[layer / kLayersPerGroup].scale;
}

// Feeds every element to the statistics; returns the extents.
Extents GatherStatistics(const JwcDrawing& d, ScaleStatistics& scales) {
    Extents ext;
    for (const JwcLine& s : d.lines) {
        scales.AddLine(GroupScale(d, s.layer), s.x1, s.y1, s.x2, s.y2);
        ext.Add(s.x1, s.y1);
        ext.Add(s.x2, s.y2);
    }
    for (const JwcArc& e : d.arcs) {
        for (const ArcPoint& p :
             scales.AddArc(GroupScale(d, e.layer), e.cx, e.cy, e.radius, e.flatness, e.startAngle, e.endAngle, e.tilt))
            ext.Add(p.x, p.y);
    }
    for (const JwcPoint& t : d.points) {
        scales.AddPoint(GroupScale(d, t.layer), t.x, t.y);
        ext.Add(t.x, t.y);
    }
    for (const JwcText& m : d.texts) scales.AddText(GroupScale(d, m.layer), m.x1, m.y1, m.x2, m.y2);
    for (const JwcSolid& s : d.solids)
        for (const auto& p : {s.p1, s.p2, s.p3, s.p4}) {
            scales.AddPoint(GroupScale(d, s.layer), p[0], p[1]);
            ext.Add(p[0], p[1]);
        }
    return ext;
}

}  // namespace

void Extents::Add(long double x, long double y) {
    if (x < minX) minX = x;
    if (x > maxX) maxX = x;
    if (y < minY) minY = y;
    if (y > maxY) maxY = y;
}

std::optional<long double> ParseScaleText(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string HandSeedFor(const JwcDrawing& drawing, const ConversionSettings& settings, int usedLayers) {
    const JwcHeader& h = drawing.header;
    const std::int64_t n = std::int64_t{h.lineCount} * (settings.curvesAsPolylines ? 4 : 1) + h.arcCount +
                           h.textCount + h.virtualPointCount +
                           std::int64_t{h.pointCount} * (settings.pointMode == PointMode::FilledCircle ? 4 : 1) +
                           static_cast<std::int64_t>(drawing.solids.size()) + usedLayers + 90;
    return FormatHandle(n);
}

std::string FileDateText(int year, int month, int day, int hour, int minute, int second) {
    second -= second % 2;  // file times have a two-second resolution
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30));
    const double time = static_cast<double>((hour * 3600 + minute * 60 + second) * 1000) / 86400000.0;
    return FormatReal(static_cast<long double>(days + time) + kJulianDayOfDayZero);
}

std::string FileDateOf(const std::string& path) {
    std::time_t when = 0;
    if (!os::ModificationTime(path, when)) when = std::time(nullptr);
    const std::tm local = os::LocalTime(when);
    return FileDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

namespace {

bool AnyNonFinite(std::initializer_list<double> values) {
    return std::ranges::any_of(values, [](double v) { return !std::isfinite(v); });
}

std::int64_t CountNonFiniteElements(const JwcDrawing& d) {
    std::int64_t n = 0;
    for (const JwcLine& l : d.lines) n += AnyNonFinite({l.x1, l.y1, l.x2, l.y2});
    for (const JwcArc& a : d.arcs) n += AnyNonFinite({a.cx, a.cy, a.radius, a.flatness, a.startAngle, a.endAngle, a.tilt});
    for (const JwcText& t : d.texts) n += AnyNonFinite({t.x1, t.y1, t.x2, t.y2});
    for (const JwcPoint& p : d.points) n += AnyNonFinite({p.x, p.y});
    for (const JwcSolid& s : d.solids) n += AnyNonFinite({s.p1[0], s.p1[1], s.p2[0], s.p2[1], s.p3[0], s.p3[1], s.p4[0], s.p4[1]});
    const auto virtualPoints = std::min(d.virtualPoints.size(), static_cast<std::size_t>(std::max(0, d.header.virtualPointCount)));
    for (std::size_t i = 0; i < virtualPoints; ++i) n += AnyNonFinite({d.virtualPoints[i].x, d.virtualPoints[i].y});
    return n;
}

}  // namespace

bool IsUsableScale(long double scale) {
    const auto key = static_cast<float>(scale);
    return scale > 0 && std::isfinite(key) && key > 0;
}

Conversion::Conversion(const JwcDrawing& drawing, const ConversionSettings& settings,
                       const ConversionRequest& request)
    : drawing_(drawing), settings_(settings), sourcePath_(request.sourcePath) {
    LayerTables& tables = result_.layers;
    MarkUsedLayers(drawing, tables);
    tables.penColorTable[0] = kPenDefaultColor;
    for (int pen = 1; pen < kPenCount; ++pen) tables.penColorTable[pen] = settings.penColors[pen - 1];
    if (drawing.source == DrawingSource::JwwFile) {
        tables.penCount = kJwwPenCount;
        for (std::size_t pen = kPenCount; pen < kJwwPenCount; ++pen) tables.penColorTable[pen] = kJwwPenDefaultColors[pen - kPenCount];
    }

    const auto scale = ParseScaleText(request.scaleText);
    if (!scale) throw ConversionError(NotANumber(request.scaleText));
    if (!IsUsableScale(*scale)) throw ConversionError(ScaleNotPositive(request.scaleText));
    result_.referenceScale = *scale;

    const LayerUsage usage = CountLayerUsage(drawing, settings.auxiliaryOnDefpoints);
    const int usedLayers = AssignLayers(drawing, usage, settings, tables);
    result_.handleSeed = HandSeedFor(drawing, settings, usedLayers);
    result_.fileDate = FileDateOf(request.sourcePath);

    scales_.roundDelta = scales_.roundOffset = settings.roundCoordinates;
    // A JWW drawing's coordinates are millimetres on paper already.
    paperFactor_ = drawing.source == DrawingSource::JwwFile ? 1 : PaperFactor(drawing.header.paperSize, drawing.header.paperDivisor);
    result_.extents = GatherStatistics(drawing, scales_);
    result_.nonFiniteElements = CountNonFiniteElements(drawing);
    scales_.Analyze(paperFactor_);

    FillLinetypeNames(settings.jwLineTypes, tables);
    result_.defpointsUsed = NeedsDefpoints(drawing, usage, tables.penCount);
}

void Conversion::WriteTo(ByteSink& sink, int workers) const {
    const JwcHeader& header = drawing_.header;
    DxfWriter w(&sink, TextEncodingOf(settings_.outputFormat));
    WriteHeaderSection(w, HeaderInputs{result_, scales_, paperFactor_, header.paperSize, settings_.outputFormat});
    WriteClassesSection(w);
    WriteTablesSection(w, TablesInputs{drawing_, result_.layers, LimitsFor(header.paperSize, result_.referenceScale),
                                       settings_.jwLineTypes, result_.defpointsUsed, settings_.outputFormat});
    WriteBlocksSection(w);
    w.WriteGroup(0, "SECTION");
    w.WriteGroup(2, "ENTITIES");
    WriteEntities(w, EntityInputs{drawing_, settings_, result_, scales_, paperFactor_}, workers);
    w.WriteGroup(0, "ENDSEC");
    WriteObjectsSection(w);
    WriteEndOfFile(w);
    w.Flush();
}

void Conversion::SaveAs(const std::string& outputPath, SaveRules rules, int workers) const {
    if (os::FileId source; os::IdentityOf(sourcePath_, source)) rules.protectedFiles.push_back(source);
    AtomicFile file(outputPath, std::move(rules));
    WriteTo(file, workers);
    file.Commit();
}

std::string Conversion::Text() const {
    StringSink sink;
    WriteTo(sink);
    return sink.Text();
}

}  // namespace orvik
