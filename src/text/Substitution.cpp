#include "text/Substitution.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>
#include <vector>

#include "text/SubstitutionTables.h"

namespace orvik {
namespace {

using substitution::Replacement;

std::size_t CharLength(std::string_view text, std::size_t at) {
    return IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

void Apply(std::string& text, std::span<const Replacement> table) {
    for (const auto& row : table) text = ReplaceAll(text, row.pattern, row.replacement);
}

// Bytes at or below 20 (blanks and control characters) at either end.
std::string TrimBlanks(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

// Control bytes, DEL and lead bytes not followed by a second byte dropped.
std::string DropUnfitBytes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (IsLeadByte(byte)) {
            if (at + 1 < text.size() && IsTrailByte(static_cast<unsigned char>(text[at + 1]))) {
                out.append(text, at, 2);
                ++at;
            }
        } else if (!IsControlByte(text[at]) && byte != 0x7F) {
            out += text[at];
        }
    }
    return out;
}

// Where the last character starts, walking character boundaries from the front.
std::size_t LastCharacterStart(std::string_view text) {
    std::size_t at = 0, last = 0;
    while (at < text.size()) {
        last = at;
        at += CharLength(text, at);
    }
    return last;
}

// Drops trailing middle dots (full-width 81 45, half-width A5), keeping a
// string made only of dots at its first one.
std::string_view DropTrailingDots(std::string_view text) {
    constexpr std::string_view kFullDot = "\x81\x45", kHalfDot = "\xA5";
    while (!text.empty()) {
        const std::string_view last = text.substr(LastCharacterStart(text));
        if ((last == kFullDot || last == kHalfDot) && text.size() > last.size())
            text.remove_suffix(last.size());
        else
            break;
    }
    return text;
}

// TextForDxf's replacements, row by row in the order they are applied, and
// the bytes their patterns start with: a text holding none of those bytes is
// left as it is without searching row by row.
struct TextReplacements {
    std::vector<Replacement> rows;
    std::array<bool, 256> firstBytes{};
};

const TextReplacements& TextReplacementRows() {
    static const TextReplacements text = [] {
        namespace s = substitution;
        TextReplacements t;
        t.rows.insert(t.rows.end(), std::begin(s::kCircledToBracketed), std::end(s::kCircledToBracketed));
        t.rows.insert(t.rows.end(), std::begin(s::kRomanForText), std::end(s::kRomanForText));
        for (const auto& row : s::kLigatures) t.rows.push_back({row.pattern, row.forText});
        t.rows.insert(t.rows.end(), std::begin(s::kControlSequences), std::end(s::kControlSequences));
        for (const Replacement& row : t.rows) t.firstBytes[static_cast<unsigned char>(row.pattern.front())] = true;
        return t;
    }();
    return text;
}

}  // namespace

std::string EscapeControlBytes(std::string_view text) {
    if (std::none_of(text.begin(), text.end(), IsControlByte)) return std::string(text);
    return CaretNotation(text);
}

std::string CaretNotation(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (IsLeadByte(byte) && at + 1 < text.size() && IsTrailByte(static_cast<unsigned char>(text[at + 1]))) {
            out.append(text, at, 2);
            ++at;
        } else if (IsLeadByte(byte) && at + 1 < text.size() && IsControlByte(text[at + 1])) {
            // A lead byte without its second byte, before a control: its
            // caret would complete it (83 5E is a character), so it stands as "?".
            out += '?';
        } else if (IsControlByte(text[at])) {
            out += '^';
            out += static_cast<char>(byte + 0x40);
        } else if (byte == '^') {
            out += "^ ";
        } else {
            out += text[at];
        }
    }
    return out;
}

std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement) {
    if (pattern.empty() || text.find(pattern) == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.compare(at, pattern.size(), pattern) == 0) {
            out += replacement;
            at += pattern.size();
        } else {
            const std::size_t n = CharLength(text, at);
            out.append(text, at, n);
            at += n;
        }
    }
    return out;
}

std::string LayerNameForDxf(std::string_view name) {
    namespace s = substitution;
    std::string text(name);
    for (auto table :
         {std::span<const Replacement>(s::kKanaVoiced), std::span<const Replacement>(s::kKanaPlain),
          std::span<const Replacement>(s::kLayerPunctuation), std::span<const Replacement>(s::kCircledToDigits),
          std::span<const Replacement>(s::kRomanToAscii)})
        Apply(text, table);
    for (const auto& row : s::kLigatures) text = ReplaceAll(text, row.pattern, row.forLayerName);
    Apply(text, s::kUserDefined);
    Apply(text, s::kLayerNameForbidden);
    return TrimBlanks(DropUnfitBytes(text));
}

std::string TextForDxf(std::string_view text) {
    std::string out(DropTrailingDots(text));
    const TextReplacements& replacements = TextReplacementRows();
    if (std::any_of(out.begin(), out.end(),
                    [&](char c) { return replacements.firstBytes[static_cast<unsigned char>(c)]; }))
        Apply(out, replacements.rows);
    return out;
}

bool IsHalfWidthText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 0x20 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xDF);
    });
}

}  // namespace orvik
