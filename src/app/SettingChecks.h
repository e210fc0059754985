// The toolkit-free part of convert-and-save: the checks of the numeric
// settings with their messages, and the naming of output files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/SettingsTable.h"
#include "input/DrawingDriver.h"
#include "text/Messages.h"

namespace orvik {

// The defaults the checks write back into a refused field.
// The aspect is reset to 60, not to its default of 70.
inline constexpr std::string_view kFallbackAspectText = "60";

// A point radius as its field shows it: "0.5000".
std::string RadiusText(float mm);

// The default point radius and text reduction as their fields show them:
// "0.5000" and "90".
std::string DefaultRadiusText();
std::string DefaultReductionText();

// The point radius field: digits with at most one ".", greater than 0 and
// within the range of a 32-bit real.
std::optional<float> ParsePointRadius(std::string_view text);

// The largest percentage (text reduction, half-width aspect): two digits.
inline constexpr int kMaxPercent = 99;

// A percentage field (text reduction, half-width aspect): one or two
// digits, greater than 0.
std::optional<int> ParsePercentage(std::string_view text);

// A percentage field as the window reads it: an empty field is 0, a number
// past kMaxPercent is taken as kMaxPercent; none when it is no integer.
std::optional<long> WindowPercentage(const std::string& text);

// The settings the window's controls describe (see WindowPercentage), when
// every text is usable.
std::optional<ConversionSettings> WindowSettingsFrom(const SettingTexts& texts);

// A settings field's text as the window checks it when a save begins.
struct FieldCheck {
    enum class Verdict : std::uint8_t {
        Usable,
        Refused,  // told in a message box; the field shows `text` again
        NotANumber,  // a percentage that is no integer at all: the general error report
    };
    Verdict verdict = Verdict::Usable;
    std::string message;  // CP932
    // Usable: the text as the settings take it (a percentage past 99 as 99);
    // Refused: what the field shows again (its default; the aspect's 60).
    std::string text;
};
FieldCheck CheckWindowField(const Setting& field, const std::string& text);

// A field's text as an integer: optional blanks and sign, then digits.
std::optional<long> ParseInteger(std::string_view text);

// The path with the extension of its file name replaced by `extension`
// (".svg"), or `extension` appended when the file name has none.
std::string PathWithExtension(std::string_view path, std::string_view extension);

// The DXF file's path beside the drawing: PathWithExtension(path, ".dxf").
std::string DxfPathFor(std::string_view path);

}  // namespace orvik
