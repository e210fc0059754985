// The text styles of the drawing's fonts (texts that name a font of their
// own, as JW_CAD for Windows' do), in the formats for readers, which name
// their styles: one STYLE per font and weight its texts use (their vertical
// texts are written a character at a time, upright). Its name is the format's style name, '#', the font's name made fit
// as layer names are, and "#BOLD" for bold ("KST32B#ＭＳゴシック#BOLD"):
// LibreCAD takes the name up to the '#' for its font, as it does with the
// format's own styles. The record carries the font's family name and
// weight as AutoCAD keeps a TrueType font's (XDATA of "ACAD": 1000 the
// family, 1071 pitch and family, character set and the bold flag), so that
// AutoCAD draws the font the drawing names. Italic texts keep their
// oblique angle and name no italic face, which would slant them twice.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "convert/OutputFormat.h"
#include "model/Drawing.h"

namespace orvik {

struct FontStyle {
    std::string name;  // CP932
    std::string family;  // the font's name as the drawing gives it, CP932
    bool bold = false;
    // The 1071 value: variable pitch, Swiss family, the Shift-JIS character set, bold.
    std::int64_t FontFlags() const;
};

class FontStyles {
public:
    // The styles the drawing's texts take, in the order they are written.
    const std::vector<FontStyle>& Styles() const { return styles_; }
    // The style of a text; empty when it takes the format's own.
    std::string_view NameOf(const DrawingText& text) const;

    friend FontStyles FontStylesOf(const Drawing& drawing, OutputFormat format);

private:
    std::vector<FontStyle> styles_;
    std::vector<std::int32_t> byFont_;  // (font - 1) * 2 + bold -> index in styles_, or -1
};

FontStyles FontStylesOf(const Drawing& drawing, OutputFormat format);

}  // namespace orvik
