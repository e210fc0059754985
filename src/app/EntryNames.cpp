#include "app/EntryNames.h"

#include <algorithm>

#include "text/Cp932.h"

namespace orvik {
namespace {

// A character that moves or hides text rather than showing: the C0 and C1
// controls, DEL, and the bidirectional marks, embeddings, overrides and
// isolates (U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069).
bool Hidden(std::string_view c) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(c[i]); };
    if (c.size() == 1) return byte(0) < 0x20 || byte(0) == 0x7F;
    if (c.size() == 2) return (byte(0) == 0xC2 && byte(1) < 0xA0) || (byte(0) == 0xD8 && byte(1) == 0x9C);
    if (c.size() != 3 || byte(0) != 0xE2) return false;
    if (byte(1) == 0x80) return byte(2) == 0x8E || byte(2) == 0x8F || (byte(2) >= 0xAA && byte(2) <= 0xAE);
    return byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9;
}

}  // namespace

std::string ArchiveEntryName(std::string_view name) {
    std::string shown;
    for (std::size_t at = 0; at < name.size();) {
        const std::string_view c = name.substr(at, Utf8SequenceLength(name.substr(at)));
        shown += c == "\\" ? std::string_view("/") : Hidden(c) ? std::string_view("_") : c;
        at += c.size();
    }
    std::string entry;
    for (std::size_t at = 0; at <= shown.size();) {
        const std::size_t slash = std::min(shown.find('/', at), shown.size());
        const std::string_view part = std::string_view(shown).substr(at, slash - at);
        if (!part.empty() && part != "." && part != "..") {
            if (!entry.empty()) entry += '/';
            entry += part;
        }
        at = slash + 1;
    }
    return entry.empty() ? "_" : entry;
}

}  // namespace orvik
