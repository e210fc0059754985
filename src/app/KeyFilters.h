// Which typed characters the settings fields take; anything else is
// discarded with a beep. Only printable characters are judged: control
// characters (Tab, Return, Esc, Backspace, Delete, Ctrl+letter) keep their
// usual meaning, as a Windows edit's character filter leaves them.
#pragma once

namespace orvik {

// A typed character the filter judges: printable, not a control character.
constexpr bool IsTypedCharacter(char32_t c) { return c >= 0x20 && c != 0x7F; }

// The point radius: a decimal number.
constexpr bool PointRadiusKeyAccepted(char32_t c) { return c == '.' || (c >= '0' && c <= '9'); }

// The two percentages: digits only.
constexpr bool PercentKeyAccepted(char32_t c) { return c >= '0' && c <= '9'; }

}  // namespace orvik
