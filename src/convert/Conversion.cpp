#include "convert/Conversion.h"

#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <ctime>

#include "dxf/AtomicFile.h"
#include "dxf/DxfWriter.h"
#include "convert/EntitySection.h"
#include "convert/FixedSections.h"
#include "convert/HeaderSection.h"
#include "convert/LayerAssignment.h"
#include "dxf/NumberFormat.h"
#include "convert/ReferenceScale.h"
#include "text/Messages.h"

namespace orvik {
namespace {

// Julian day number of 30 December 1899, the day count's origin.
constexpr long double kJulianDayOfDayZero = 2415019;

// '%s' は有効な浮動小数点数ではありません
std::string NotANumber(std::string_view text) {
    std::string message = "'";
    message += text;
    return message +
           "' \x82\xCD\x97\x4C\x8C\xF8\x82\xC8\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x82\xC5\x82\xCD"
           "\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
}

// Days from 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Extents {
    long double minX = 1E20L, minY = 1E20L, maxX = -1E20L, maxY = -1E20L;
    void Add(long double x, long double y) {
        if (x < minX) minX = x;
        if (x > maxX) maxX = x;
        if (y < minY) minY = y;
        if (y > maxY) maxY = y;
    }
};

float GroupScale(const JwcDrawing& drawing, std::uint8_t layer) {
    return drawing.LayerGroups[layer / kLayersPerGroup].Scale;
}

// Feeds every element to the statistics; returns the extents (texts and
// virtual points do not widen them).
Extents GatherStatistics(const JwcDrawing& d, TScales& scales) {
    Extents ext;
    for (const TSen& s : d.Sen) {
        scales.AddLine(GroupScale(d, s.Layer), s.X1, s.Y1, s.X2, s.Y2);
        ext.Add(s.X1, s.Y1);
        ext.Add(s.X2, s.Y2);
    }
    for (const TEnko& e : d.Enko) {
        scales.AddArc(GroupScale(d, e.Layer), e.CX, e.CY, e.Radius, e.Flatness, e.StartAngle, e.EndAngle, e.Tilt);
        for (const ArcPoint& p : ArcStatisticsPoints(e.CX, e.CY, e.Radius, e.Flatness, e.StartAngle, e.EndAngle, e.Tilt))
            ext.Add(p.x, p.y);
    }
    for (const TTen& t : d.Ten) {
        scales.AddPoint(GroupScale(d, t.Layer), t.X, t.Y);
        ext.Add(t.X, t.Y);
    }
    for (const TMoji2& m : d.Moji) scales.AddText(GroupScale(d, m.Layer), m.X1, m.Y1, m.X2, m.Y2);
    return ext;
}

}  // namespace

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

std::string HandSeedFor(const JwcDrawing& drawing, const THenkanInfo& info, int usedLayers) {
    const THeader& h = drawing.Header;
    const std::int64_t n = std::int64_t{h.LineCount} * (info.CurvePline ? 4 : 1) + h.ArcCount + h.TextCount +
                           h.VirtualPointCount + std::int64_t{h.PointCount} * (info.TenMode == kTenFilledCircle ? 4 : 1) +
                           usedLayers + 90;
    return FormatHandle(n);
}

std::string FileDateText(int year, int month, int day, int hour, int minute, int second) {
    second -= second % 2;  // file times have a two-second resolution
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30));
    const double time = static_cast<double>((hour * 3600 + minute * 60 + second) * 1000) / 86400000.0;
    return FormatReal(static_cast<long double>(days + time) + kJulianDayOfDayZero);
}

std::string FileDateOf(const std::string& path) {
    struct stat info {};
    std::time_t when = ::stat(path.c_str(), &info) == 0 ? info.st_mtime : std::time(nullptr);
    std::tm local{};
    ::localtime_r(&when, &local);
    return FileDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

bool IsUsableScale(long double scale) {
    const auto key = static_cast<float>(scale);
    return scale > 0 && std::isfinite(key) && key > 0;
}

namespace {

// What the sections need once the layers are decided and the statistics gathered.
struct Preparation {
    TScales scales;
    long double paperFactor = 1;
};

Preparation Prepare(JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, const ConversionRequest& request,
                    const LayerReportSink& report) {
    tables.PenColorTable[0] = kPenDefaultColor;
    for (int pen = 1; pen < kPenCount; ++pen) tables.PenColorTable[pen] = info.PenColor[pen - 1];

    const auto scale = ParseScaleText(request.scaleText);
    if (!scale) throw ConversionError(NotANumber(request.scaleText));
    if (!IsUsableScale(*scale)) throw ConversionError(ScaleNotPositive(request.scaleText));
    info.BaseScale = *scale;

    const LayerUsage usage = CountLayerUsage(drawing, info.HojosenDefpoints);
    const int usedLayers = AssignLayers(drawing, usage, info, tables);
    info.HandSeed = HandSeedFor(drawing, info, usedLayers);
    info.FileDate = FileDateOf(request.sourcePath);

    Preparation p;
    p.scales.RoundDelta = p.scales.RoundOffset = info.RoundBase;
    p.paperFactor = PaperFactor(drawing.Header.PaperSize, drawing.Header.PaperDivisor);
    const Extents ext = GatherStatistics(drawing, p.scales);
    info.ExtMinX = ext.minX;
    info.ExtMinY = ext.minY;
    info.ExtMaxX = ext.maxX;
    info.ExtMaxY = ext.maxY;
    p.scales.Analyze(p.paperFactor);

    FillLinetypeNames(info.SenJW, tables);
    info.DefpointsUsed = NeedsDefpoints(drawing, usage);
    if (report) report(tables, info);
    return p;
}

void WriteSections(DxfWriter& w, const JwcDrawing& drawing, const DxfTables& tables, const THenkanInfo& info,
                   const Preparation& p) {
    WriteHeaderSection(w, HeaderInputs{info, p.scales, p.paperFactor, drawing.Header.PaperSize});
    WriteClassesSection(w);
    WriteTablesSection(w, TablesInputs{drawing, tables, LimitsFor(drawing.Header.PaperSize, info.BaseScale), info.SenJW,
                                       info.DefpointsUsed});
    WriteBlocksSection(w);
    w.WriteGroup(0, "SECTION");
    w.WriteGroup(2, "ENTITIES");
    WriteEntities(w, EntityInputs{drawing, tables, info, p.scales, p.paperFactor});
    w.WriteGroup(0, "ENDSEC");
    WriteObjectsSection(w);
    WriteEndOfFile(w);
    w.Flush();
}

}  // namespace

void ConvertDrawing(JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, const ConversionRequest& request,
                    const LayerReportSink& report) {
    if (IsSameFile(request.sourcePath, request.outputPath))
        throw ConversionError(CannotCreateFile(request.outputPath, kSameFileAsInput));
    const Preparation p = Prepare(drawing, info, tables, request, report);
    AtomicFile file(request.outputPath);
    DxfWriter w(&file);
    WriteSections(w, drawing, tables, info, p);
    file.Commit();
}

void ConvertDrawingTo(JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, const ConversionRequest& request,
                      const LayerReportSink& report, ByteSink& sink) {
    const Preparation p = Prepare(drawing, info, tables, request, report);
    DxfWriter w(&sink);
    WriteSections(w, drawing, tables, info, p);
}

std::string BuildDxf(JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, const ConversionRequest& request,
                     const LayerReportSink& report) {
    StringSink sink;
    ConvertDrawingTo(drawing, info, tables, request, report, sink);
    return sink.Text();
}

}  // namespace orvik
