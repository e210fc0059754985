// Which typed characters the settings fields take; anything else is
// discarded with a beep. Backspace (8) and code 16 always pass.
#pragma once

namespace orvik {

// The point radius: a decimal number.
constexpr bool PointRadiusKeyAccepted(char32_t c) { return c == 8 || c == 16 || c == '.' || (c >= '0' && c <= '9'); }

// The two percentages: digits only.
constexpr bool PercentKeyAccepted(char32_t c) { return c == 8 || c == 16 || (c >= '0' && c <= '9'); }

}  // namespace orvik
