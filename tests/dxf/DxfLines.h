// Reading back what a DxfWriter wrote, for tests: the lines, and the groups
// of one header variable or one record.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace orvik::testing {

// The text split at CR LF (the last line's CR LF included).
inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

using Groups = std::vector<std::pair<std::string, std::string>>;

// The groups of the text, as (code line, value line).
inline Groups SplitGroups(const std::string& text) {
    const auto lines = SplitLines(text);
    Groups groups;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) groups.emplace_back(lines[i], lines[i + 1]);
    return groups;
}

// The value groups of header variable `name`: everything up to the next group 9 or 0.
inline Groups HeaderVariable(const std::string& text, const std::string& name) {
    const Groups groups = SplitGroups(text);
    Groups out;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (groups[i] != std::make_pair(std::string("  9"), name)) continue;
        for (std::size_t j = i + 1; j < groups.size() && groups[j].first != "  9" && groups[j].first != "  0"; ++j)
            out.push_back(groups[j]);
    }
    return out;
}

// The records (a group 0 and what follows it) whose group 0 is `type`.
inline std::vector<Groups> Records(const std::string& text, const std::string& type) {
    const Groups groups = SplitGroups(text);
    std::vector<Groups> out;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (groups[i] != std::make_pair(std::string("  0"), type)) continue;
        Groups record{groups[i]};
        for (std::size_t j = i + 1; j < groups.size() && groups[j].first != "  0"; ++j) record.push_back(groups[j]);
        out.push_back(record);
    }
    return out;
}

// The value of the first group with `code` in a record.
inline std::string Value(const Groups& record, const std::string& code) {
    for (const auto& [c, v] : record)
        if (c == code) return v;
    return "<none>";
}

}  // namespace orvik::testing
