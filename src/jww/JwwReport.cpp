#include "jww/JwwReport.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "jww/JwwLimits.h"
#include "numeric/DecimalText.h"
#include "text/Messages.h"
#include "text/Substitution.h"

namespace orvik {
namespace {

std::string Number(std::int64_t n) { return std::to_string(n); }

// A scale as the user wrote it: 100, 0.5.
std::string ScaleText(double scale) { return ShortestText(scale); }

std::string_view PaperName(std::uint32_t paper) {
    static constexpr std::string_view kNames[] = {"A0", "A1", "A2", "A3", "A4",  "",    "",    "",
                                                  "2A", "3A", "4A", "5A", "10m", "50m", "100m"};
    return paper < std::size(kNames) ? kNames[paper] : std::string_view();
}

// The label padded with ideographic spaces to eight full-width characters, then " = ".
std::string Label(std::string_view label) {
    std::string out(label);
    while (out.size() < 16) out += kLabelPad;
    return out + " = ";
}

void GroupsInUse(const JwwElementList& list, std::set<int>& groups) {
    const auto add = [&](const auto& items) {
        for (const auto& e : items) groups.insert(e.common.layerGroup % kJwwGroupCount);
    };
    add(list.lines), add(list.arcs), add(list.points), add(list.solids), add(list.inserts), add(list.dimensions);
    for (const JwwText& t : list.texts)
        if (!t.IsSetting()) groups.insert(t.common.layerGroup % kJwwGroupCount);
}

}  // namespace

std::vector<std::string> JwwSummaryLines(const JwwDrawing& d) {
    std::vector<std::string> lines;
    const std::string& memo = d.header.memo;
    for (std::size_t at = 0; at <= memo.size();) {  // the memo's lines, each as a line of the log
        const auto end = memo.find("\r\n", at);
        const std::string line = memo.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!line.empty() || end != std::string::npos) lines.push_back(EscapeControlBytes(line));
        if (end == std::string::npos) break;
        at = end + 2;
    }
    std::string version = Label(kJwwVersionLabel) + Number(d.header.version);
    if (d.header.version > kJwwNewestVersion) version += kReadAsVersion700;
    lines.push_back(version);
    lines.push_back(Label(kPaperLabel) + std::string(PaperName(d.header.paperSize)));
    std::set<int> groups;
    GroupsInUse(d.elements, groups);
    // Each scale once, in the order of the groups, with how many use it
    // where more than one does.
    std::vector<std::pair<std::string, int>> inUse;
    for (int g : groups) {
        std::string scale = ScaleText(d.header.groups[static_cast<std::size_t>(g)].scale);
        const auto known =
            std::find_if(inUse.begin(), inUse.end(), [&](const auto& entry) { return entry.first == scale; });
        if (known != inUse.end())
            ++known->second;
        else
            inUse.emplace_back(std::move(scale), 1);
    }
    std::string scales;
    for (const auto& [scale, count] : inUse) {
        scales += (scales.empty() ? "1/" : ", 1/") + scale;
        if (count > 1) scales += std::string(kOpenParenthesis) + Number(count) + std::string(kGroupsClose);
    }
    lines.push_back(Label(kScaleLabel) + scales);
    const JwwElementList& e = d.elements;
    std::int64_t temporary = 0, settings = 0;
    for (const JwwPoint& p : e.points) temporary += p.temporary != 0;
    for (const JwwText& t : e.texts) settings += t.IsSetting();
    const auto count = [&](std::string_view label, std::size_t n, std::string aside = {}) {
        lines.push_back(Label(label) + Number(static_cast<std::int64_t>(n)) + aside);
    };
    // A count with what it leaves out beside it in parentheses, when anything.
    const auto aside = [](std::string_view opening, std::int64_t n, std::string_view closing) {
        return n ? std::string(opening) + Number(n) + std::string(closing) : std::string();
    };
    count(kLinesLabel, e.lines.size());
    count(kArcsLabel, e.arcs.size());
    count(kTextsLabel, e.texts.size() - static_cast<std::size_t>(settings),
          aside(kSettingsAside, settings, kCloseParenthesis));
    count(kPointsLabel, e.points.size() - static_cast<std::size_t>(temporary),
          aside(kTemporaryAside, temporary, kCloseParenthesis));
    count(kSolidsLabel, e.solids.size());
    count(kInsertsLabel, e.inserts.size());
    count(kDimensionsLabel, e.dimensions.size());
    count(kDefinitionsLabel, d.blocks.size() + e.definitions.size());
    const auto readImages =
        std::count_if(d.images.begin(), d.images.end(), [](const JwwImage& i) { return !i.leftOut; });
    count(kImagesLabel, static_cast<std::size_t>(readImages), aside(kOverLimitAside, d.imagesLeftOut, kLeftOutClose));
    if (d.replacedCharacters > 0)
        lines.push_back(Label(kNotInCp932Label) + Number(d.replacedCharacters) + std::string(kReplacedByQuestionMark));
    return lines;
}

std::string NotCarriedLine(const NotCarried& n) {
    std::string line(kNotCarriedLabel);
    const auto part = [&](std::string_view label, std::int64_t count) {
        if (count == 0) return;
        line += ' ';
        line += label;
        line += ' ';
        line += Number(count);
        line += kCountSuffix;
    };
    part(kSolidsName, n.solids);
    part(kInsertsName, n.inserts);
    part(kImagesName, n.images);
    return line;
}

std::string ImagesLeftOutLine(std::int64_t count) {
    return ImagesNotSaved(count, kJwwImageCountLimit, kJwwImagesTotalLimit >> 20);
}

}  // namespace orvik
