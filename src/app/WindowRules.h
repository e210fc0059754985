// How both desktop windows behave where it is no matter of their toolkit:
// the colours the pen boxes offer, the spin controls' range and step, and
// the sign before a batch drawing's name.
#pragma once

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/JobStatuses.h"
#include "app/SettingChecks.h"
#include "app/WindowCommands.h"
#include "app/WindowTexts.h"

namespace orvik {

// Colours as 24-bit values with red in the low byte and blue in the high
// byte (Windows' COLORREF).
constexpr int RgbValue(int red, int green, int blue) { return red | green << 8 | blue << 16; }

// The seven AutoCAD colours the pens can take, in list order: the swatch's
// RgbValue and the colour number.
inline constexpr std::pair<int, int> kPenColors[] = {
    {RgbValue(255, 0, 0), 1}, {RgbValue(255, 255, 0), 2}, {RgbValue(0, 255, 0), 3},     {RgbValue(0, 255, 255), 4},
    {RgbValue(0, 0, 255), 5}, {RgbValue(255, 0, 255), 6}, {RgbValue(255, 255, 255), 7},
};

// The two percentages' spin controls step from kPercentMinimum to kMaxPercent.
inline constexpr int kPercentMinimum = 10;

// A spin control's step: from the number in its field (a typed one clamped
// to the range) or, when the field holds none, from its last position; the
// result stays within the range, never wrapping.
inline int SpinStep(std::string_view fieldText, int position, int delta, int minimum, int maximum) {
    while (!fieldText.empty() && fieldText.front() == ' ') fieldText.remove_prefix(1);
    while (!fieldText.empty() && fieldText.back() == ' ') fieldText.remove_suffix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(fieldText.data(), fieldText.data() + fieldText.size(), value);
    const bool typed = !fieldText.empty() && error == std::errc() && end == fieldText.data() + fieldText.size();
    const int from = typed ? std::clamp(value, minimum, maximum) : position;
    return std::clamp(from + delta, minimum, maximum);
}

// The sign before a batch drawing's name in the list (UTF-8): none until the
// save reaches it or when it was converted whole.
inline std::string_view BatchMarkSign(const std::optional<BatchMark>& mark) {
    return mark ? RowOf(mark->status).sign : std::string_view();
}

}  // namespace orvik
