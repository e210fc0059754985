#include "app/KeptSettings.h"

#include <gtest/gtest.h>

#include "support/MapStore.h"

#include "app/WindowRules.h"

namespace orvik {
namespace {

using testing::MapStore;

bool operator==(const ControlValues& a, const ControlValues& b) {
    return a.roundCoordinates == b.roundCoordinates && a.pointMode == b.pointMode && a.pointRadius == b.pointRadius &&
           a.jwLineTypes == b.jwLineTypes && a.curvesAsPolylines == b.curvesAsPolylines &&
           a.shrinkTexts == b.shrinkTexts && a.textShrink == b.textShrink &&
           a.narrowHalfWidthTexts == b.narrowHalfWidthTexts && a.halfWidthAspect == b.halfWidthAspect &&
           a.plainLayerNames == b.plainLayerNames && a.auxiliaryOnDefpoints == b.auxiliaryOnDefpoints &&
           a.explodeBlocks == b.explodeBlocks && a.penColors == b.penColors && a.outputFormat == b.outputFormat;
}

TEST(KeptSettings, WhatIsStoredComesBack) {
    ControlValues changed = ControlsOf(ConversionSettings{});
    changed.roundCoordinates = !changed.roundCoordinates;
    changed.pointMode = PointMode::Point;
    changed.pointRadius = "1.25";
    changed.textShrink = "\x82\x58";  // a full-width 9 typed in: kept as typed (CP932)
    changed.explodeBlocks = true;
    changed.penColors = {7, 6, 5, 4, 3, 2};
    changed.outputFormat = OutputFormat::Utf8;
    MapStore store;
    StoreControls(store, changed);
    EXPECT_EQ(store.Value("conversion/textShrink"), "\xEF\xBC\x99");  // UTF-8 in the store
    const std::optional<ControlValues> back = StoredControls(store);
    ASSERT_TRUE(back);
    EXPECT_TRUE(*back == changed);
}

// What an older version or a damaged store holds: nothing kept (the
// window's defaults), keys missing and values out of range (their defaults).
TEST(KeptSettings, MissingAndUnusableValuesTakeTheDefaults) {
    const ControlValues defaults = ControlsOf(ConversionSettings{});
    EXPECT_FALSE(StoredControls(MapStore()));
    const auto circle = StoredControls(MapStore({{"conversion/pointMode", "2"}}));
    ASSERT_TRUE(circle);
    ControlValues expected = defaults;
    expected.pointMode = PointMode::Circle;
    EXPECT_TRUE(*circle == expected);
    const auto damaged = StoredControls(MapStore({{"conversion/pointMode", "9"},
                                                  {"conversion/penColors", "0,8,x,2"},
                                                  {"conversion/outputFormat", "dxf2018"},
                                                  {"conversion/explodeBlocks", "1"}}));
    ASSERT_TRUE(damaged);
    expected = defaults;
    expected.penColors[3] = 2;
    EXPECT_TRUE(*damaged == expected);
}

TEST(WindowRules, SpinStepsFromTheFieldWithinTheRange) {
    struct Case {
        const char* field;
        int position, delta, expected;
    };
    const Case cases[] = {
        {"42", 70, 1, 43},  {" 42 ", 70, -1, 41},  // the typed number, not the last position
        {"", 70, 1, 71},    {"4a", 70, -1, 69},  // no number: the last position
        {"150", 70, 1, 99}, {"5", 70, -1, 10},  // a typed number outside the range is clamped first
        {"99", 70, 1, 99},  {"10", 70, -1, 10},  // no wrapping
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpinStep(c.field, c.position, c.delta, kPercentMinimum, kMaxPercent), c.expected)
            << '"' << c.field << '"';
}

}  // namespace
}  // namespace orvik
