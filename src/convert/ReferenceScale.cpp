#include "convert/ReferenceScale.h"

#include <algorithm>
#include <cmath>

#include "convert/ExactDecimal.h"
#include "dxf/PaperSizes.h"
#include "geometry/Trigonometry.h"
#include "numeric/Extended.h"

namespace orvik {
namespace {

std::int32_t DecimalsFor(float min, float max, float scale, Extended paperFactor) {
    if (max == min) return 0;
    const Extended span = (static_cast<Extended>(max) - min) * scale * paperFactor;
    // A group with a zero or negative scale has no meaningful extent.
    if (!(span > 0) || !IsFinite(span)) return 0;
    return 6 - DecimalCeiling(span);
}

}  // namespace

Extended PaperFactor(std::int32_t paperSize, std::int32_t paperDivisor) {
    const PaperSheet* sheet = FindPaperSheet(paperSize);
    return sheet ? sheet->width / paperDivisor : 1;
}

// Rounding works on the exact decimal grid: a delta of 12500 at -3 digits is
// 12.5 thousands and rounds to 13000, which multiplying by an inexact 0.001
// would not promise.
AxisMapping::AxisMapping(bool roundOffset, bool roundDelta, float scale, float first, std::int32_t digits,
                         Extended factor)
    : m_(scale * factor),
      first_(first),
      step_(PowerOfTen(digits >= 0 ? digits : -digits)),
      roundDelta_(roundDelta),
      stepIsFraction_(digits >= 0) {
    offset_ = first * m_;
    if (roundOffset) offset_ = Rounded(offset_);
}

std::array<ArcPoint, 2> ArcStatisticsPoints(Extended cx, Extended cy, Extended radius, Extended flatness,
                                            Extended startAngle, Extended endAngle, Extended tilt) {
    const bool whole = startAngle == endAngle || startAngle + startAngle == 0 || startAngle + startAngle == 360;
    if (whole) return {{{cx + radius, cy + radius * flatness}, {cx - radius, cy - radius * flatness}}};
    const CosSin s = CosAndSinDegrees(startAngle + tilt), e = CosAndSinDegrees(endAngle + tilt);
    return {
        {{cx + radius * s.cos, cy + radius * flatness * s.sin}, {cx + radius * e.cos, cy + radius * flatness * e.sin}}};
}

void ScaleStatistics::AddXY(float scale, Extended x, Extended y) {
    for (int i = 0; i < count_; ++i) {
        ScaleEntry& e = entries_[i];
        if (e.scale != scale) continue;
        // Compared in extended precision, kept as 32-bit reals; a NaN is passed over.
        if (x < e.minX) e.minX = static_cast<float>(x);
        if (e.maxX < x) e.maxX = static_cast<float>(x);
        if (y < e.minY) e.minY = static_cast<float>(y);
        if (e.maxY < y) e.maxY = static_cast<float>(y);
        return;
    }
    if (count_ == kCapacity) return;  // scales come from 16 layer groups: never reached
    ScaleEntry& e = entries_[count_++];
    e.scale = scale;
    e.firstX = e.minX = e.maxX = static_cast<float>(x);
    e.firstY = e.minY = e.maxY = static_cast<float>(y);
}

std::array<ArcPoint, 2> ScaleStatistics::AddArc(float scale, Extended cx, Extended cy, Extended radius,
                                                Extended flatness, Extended startAngle, Extended endAngle,
                                                Extended tilt) {
    const auto points = ArcStatisticsPoints(cx, cy, radius, flatness, startAngle, endAngle, tilt);
    for (const ArcPoint& p : points) AddXY(scale, p.x, p.y);
    return points;
}

void ScaleStatistics::Analyze(Extended paperFactor) {
    for (int i = 0; i < count_; ++i) {
        ScaleEntry& e = entries_[i];
        e.digitsX = DecimalsFor(e.minX, e.maxX, e.scale, paperFactor);
        e.digitsY = DecimalsFor(e.minY, e.maxY, e.scale, paperFactor);
        // A step of 10^-digits millimetres at 1:scale is 10^-digits / scale on paper.
        const auto coarse = [&](std::int32_t digits) {
            return digits < 0 && PowerOfTen(-digits) > kCoarsestPaperStep * e.scale;
        };
        e.unrounded = (roundDelta || roundOffset) && (coarse(e.digitsX) || coarse(e.digitsY));
    }
}

std::vector<float> ScaleStatistics::UnroundedScales() const {
    std::vector<float> scales;
    for (int i = 0; i < count_; ++i)
        if (entries_[i].unrounded) scales.push_back(entries_[i].scale);
    return scales;
}

const ScaleEntry* ScaleStatistics::Find(float scale) const {
    for (int i = 0; i < count_; ++i)
        if (entries_[i].scale == scale) return &entries_[i];
    return nullptr;
}

CoordinateMapping ScaleStatistics::MappingFor(float scale, Extended factor) const {
    const ScaleEntry* e = Find(scale);
    if (!e) return {};
    const bool offset = roundOffset && !e->unrounded, delta = roundDelta && !e->unrounded;
    return {AxisMapping(offset, delta, scale, e->firstX, e->digitsX, factor),
            AxisMapping(offset, delta, scale, e->firstY, e->digitsY, factor)};
}

CoordinateMapping ScaleStatistics::LinearMappingFor(float scale, Extended factor) const {
    const ScaleEntry* e = Find(scale);
    if (!e) return {};
    const bool delta = roundDelta && !e->unrounded;
    return {AxisMapping(false, delta, scale, 0, e->digitsX, factor),
            AxisMapping(false, delta, scale, 0, e->digitsY, factor)};
}

}  // namespace orvik
