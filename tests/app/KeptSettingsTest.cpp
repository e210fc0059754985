#include "app/KeptSettings.h"

#include <gtest/gtest.h>

#include "support/MapStore.h"

#include "app/WindowRules.h"

namespace orvik {
namespace {

using namespace std::string_literals;

using testing::MapStore;

TEST(KeptSettings, WhatIsStoredComesBack) {
    SettingTexts changed = TextsOf(ConversionSettings{});
    changed["roundCoordinates"] = "false"s;
    changed["pointMode"] = "3"s;
    changed["pointRadius"] = "1.25"s;
    changed["textShrink"] = "\x82\x58"s;  // a full-width 9 typed in: kept as typed (CP932)
    changed["explodeBlocks"] = "true"s;
    changed["penColors"] = "7,6,5,4,3,2"s;
    changed["outputFormat"] = "utf8"s;
    MapStore store;
    StoreSettingTexts(store, changed);
    EXPECT_EQ(store.Value("conversion/textShrink"), "\xEF\xBC\x99");  // UTF-8 in the store
    EXPECT_EQ(store.Value("conversion/pointMode"), "3");  // the keys and forms an older version kept
    EXPECT_EQ(store.Value("conversion/penColors"), "7,6,5,4,3,2");
    EXPECT_EQ(StoredSettingTexts(store), changed);
}

// What an older version or a damaged store holds: nothing kept (the
// window's defaults), keys missing and values that are none of their
// setting's (their defaults).
TEST(KeptSettings, MissingAndUnusableValuesTakeTheDefaults) {
    const SettingTexts defaults = TextsOf(ConversionSettings{});
    EXPECT_FALSE(StoredSettingTexts(MapStore()));
    SettingTexts expected = defaults;
    expected["pointMode"] = "2"s;
    EXPECT_EQ(StoredSettingTexts(MapStore({{"conversion/pointMode", "2"}})), expected);
    const auto damaged = StoredSettingTexts(MapStore({{"conversion/pointMode", "9"},
                                                      {"conversion/penColors", "0,8,x,2"},
                                                      {"conversion/outputFormat", "dxf2018"},
                                                      {"conversion/explodeBlocks", "1"}}));
    EXPECT_EQ(damaged, defaults);
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
