// Reference scale and coordinate mapping.
//
// A drawing stores coordinates in its units (divisions of the paper, or
// millimetres on it), each layer group with its own scale; the DXF file is
// in millimetres at one reference scale. Every coordinate and radius written
// goes through MapX/MapY/MapR: the drawing value times the paper factor (its
// units to paper millimetres; 1 for millimetres) times the reference scale.
// With rounding on, mapped values are rounded to the number of decimals that
// six significant digits across the drawing's extent allow, which absorbs
// the single-precision noise of a file's 32-bit coordinates.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>
#include "numeric/Extended.h"

namespace orvik {

// The paper's long side in millimetres divided by the drawing's divisor;
// exactly 1 for paper codes without a known size.
Extended PaperFactor(std::int32_t paperSize, std::int32_t paperDivisor);

// One axis of the mapping: (value - first) * m and first * m, m = scale *
// factor, each part rounded to `digits` decimals when its flag is on. All but
// the value is fixed for a conversion, so the offset part is worked out once.
class AxisMapping {
public:
    AxisMapping() = default;  // maps every value to 0
    AxisMapping(bool roundOffset, bool roundDelta, float scale, float first, std::int32_t digits, Extended factor);
    Extended operator()(Extended value) const {
        const Extended delta = (value - first_) * m_;
        return (roundDelta_ ? Rounded(delta) : delta) + offset_;
    }

private:
    // x to `digits` decimals.
    Extended Rounded(Extended x) const {
        return stepIsFraction_ ? RoundHalfAway(x * step_) / step_ : RoundHalfAway(x / step_) * step_;
    }

    Extended m_ = 0;
    Extended offset_ = 0;  // first * m, rounded when asked
    Extended first_ = 0;
    Extended step_ = 1;  // 10^|digits|
    bool roundDelta_ = false;
    bool stepIsFraction_ = true;  // digits >= 0: round to 1/step
};

struct CoordinateMapping {
    AxisMapping x, y;
    Extended X(Extended v) const { return x(v); }
    Extended Y(Extended v) const { return y(v); }
    Extended R(Extended v) const { return x(v); }  // radii scale as X does
};

struct ScaleEntry {
    float scale = 0;
    float minX = 0, maxX = 0, minY = 0, maxY = 0;
    float firstX = 0, firstY = 0;
    std::int32_t digitsX = 0, digitsY = 0;
    // The grid the extent gives would move coordinates by more than a
    // printed sheet shows apart (one coordinate far off, as a damaged number
    // puts it, widens the extent): the entry's coordinates are not rounded.
    bool unrounded = false;
};

struct ArcPoint {
    Extended x, y;
};

// Statistics per distinct scale, in the order scales were first met.
class ScaleStatistics {
public:
    static constexpr int kCapacity = 33;

    bool roundDelta = false;
    bool roundOffset = true;

    void AddXY(float scale, Extended x, Extended y);
    void AddLine(float scale, Extended x1, Extended y1, Extended x2, Extended y2) {
        AddXY(scale, x1, y1);
        AddXY(scale, x2, y2);
    }
    void AddText(float scale, Extended x1, Extended y1, Extended x2, Extended y2) { AddLine(scale, x1, y1, x2, y2); }
    void AddPoint(float scale, Extended x, Extended y) { AddXY(scale, x, y); }
    // Two points of a circle, arc or ellipse (angles in degrees): the extreme
    // points of a whole one, otherwise the two end points (ArcStatisticsPoints,
    // returned for the extents).
    std::array<ArcPoint, 2> AddArc(float scale, Extended cx, Extended cy, Extended radius, Extended flatness,
                                   Extended startAngle, Extended endAngle, Extended tilt);

    // Decimal places per entry from its extent: 6 - ceiling(log10(extent * scale * paperFactor));
    // an entry whose grid would be coarser than kCoarsestPaperStep on paper is left unrounded.
    void Analyze(Extended paperFactor);
    static inline const Extended kCoarsestPaperStep = 1;  // millimetres on the sheet

    // The mapping of the elements of one scale's entry; with no entry for the
    // scale, everything maps to 0.
    CoordinateMapping MappingFor(float scale, Extended factor) const;
    // The same scaling and rounding taking 0 to 0: for coordinates relative
    // to an origin, as a block's are.
    CoordinateMapping LinearMappingFor(float scale, Extended factor) const;

    Extended MapX(float scale, Extended factor, Extended value) const { return MappingFor(scale, factor).X(value); }
    Extended MapY(float scale, Extended factor, Extended value) const { return MappingFor(scale, factor).Y(value); }
    Extended MapR(float scale, Extended factor, Extended value) const { return MapX(scale, factor, value); }

    // The scales whose coordinates are left unrounded (Analyze), in order.
    std::vector<float> UnroundedScales() const;

    int Count() const { return count_; }
    const ScaleEntry& Entry(int i) const { return entries_[i]; }

private:
    const ScaleEntry* Find(float scale) const;

    std::array<ScaleEntry, kCapacity> entries_{};
    int count_ = 0;
};

// The two points of an arc record that the statistics and the extents take:
// for a whole circle or ellipse (equal angles, or a start angle of exactly 0
// or 180 degrees) its extreme points (cx +- r, cy +- r * flatness), otherwise
// its end points, start first. The tilt turns the angles, not the flattening.
std::array<ArcPoint, 2> ArcStatisticsPoints(Extended cx, Extended cy, Extended radius, Extended flatness,
                                            Extended startAngle, Extended endAngle, Extended tilt);

}  // namespace orvik
