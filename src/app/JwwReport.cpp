#include "app/ReadReport.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <utility>
#include <vector>

#include "convert/LayerAssignment.h"
#include "jww/JwwLimits.h"
#include "text/Messages.h"
#include "text/Substitution.h"

namespace orvik {
namespace {

std::string Number(std::int64_t n) { return std::to_string(n); }

// A scale as the user wrote it: 100, 0.5.
std::string ScaleText(double scale) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, scale).ptr);
}

std::string_view PaperName(std::uint32_t paper) {
    static constexpr std::string_view kNames[] = {"A0", "A1", "A2", "A3", "A4",  "",    "",    "",
                                                  "2A", "3A", "4A", "5A", "10m", "50m", "100m"};
    return paper < std::size(kNames) ? kNames[paper] : std::string_view();
}

// The label padded with ideographic spaces to eight full-width characters, then " = ".
std::string Label(std::string_view label) {
    std::string out(label);
    while (out.size() < 16) out += "\x81\x40";  //
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
    std::string version =
        Label("JWW \x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93") + Number(d.header.version);  // JWW バージョン
    if (d.header.version > kJwwNewestVersion)
        version +=
            "\x81\x69"
            "700 \x82\xC6\x82\xB5\x82\xC4\x93\xC7\x82\xDD\x82\xDC\x82\xB5\x82\xBD\x81\x6A";  // （700 として読みました）
    lines.push_back(version);
    lines.push_back(Label("\x97\x70\x8E\x86") + std::string(PaperName(d.header.paperSize)));  // 用紙
    std::set<int> groups;
    GroupsInUse(d.elements, groups);
    // Each scale once, in the order of the groups, with how many use it
    // where more than one does.
    std::vector<std::pair<std::string, int>> inUse;
    for (int g : groups) {
        std::string scale = ScaleText(d.header.groups[static_cast<std::size_t>(g)].scale);
        const auto known = std::ranges::find(inUse, scale, &std::pair<std::string, int>::first);
        if (known != inUse.end())
            ++known->second;
        else
            inUse.emplace_back(std::move(scale), 1);
    }
    std::string scales;
    for (const auto& [scale, count] : inUse) {
        scales += (scales.empty() ? "1/" : ", 1/") + scale;
        if (count > 1)
            scales += "\x81\x69" + Number(count) + " \x83\x4F\x83\x8B\x81\x5B\x83\x76\x81\x6A";  // （n グループ）
    }
    lines.push_back(Label("\x8F\x6B\x8E\xDA") + scales);  // 縮尺
    const JwwElementList& e = d.elements;
    std::int64_t temporary = 0, settings = 0;
    for (const JwwPoint& p : e.points) temporary += p.temporary != 0;
    for (const JwwText& t : e.texts) settings += t.IsSetting();
    const auto count = [&](std::string_view label, std::size_t n, std::string aside = {}) {
        lines.push_back(Label(label) + Number(static_cast<std::int64_t>(n)) + aside);
    };
    count("\x92\xBC\x90\xFC\x82\xCC\x90\x94", e.lines.size());  // 直線の数
    count("\x89\x7E\x8C\xCA\x82\xCC\x90\x94", e.arcs.size());  // 円弧の数
    count("\x95\xB6\x8E\x9A\x97\xF1\x82\xCC\x90\x94",
          e.texts.size() - static_cast<std::size_t>(settings),  // 文字列の数
          settings ? "\x81\x69\x90\xDD\x92\xE8 " + Number(settings) + "\x81\x6A" : std::string());  // （設定 / ）
    count("\x8E\xC0\x93\x5F\x82\xCC\x90\x94", e.points.size() - static_cast<std::size_t>(temporary),  // 実点の数
          temporary ? "\x81\x69\x89\xBC\x93\x5F " + Number(temporary) + "\x81\x6A" : std::string());  // （仮点 / ）
    count("\x83\x5C\x83\x8A\x83\x62\x83\x68\x82\xCC\x90\x94", e.solids.size());  // ソリッドの数
    count("\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60\x82\xCC\x90\x94", e.inserts.size());  // ブロック図形の数
    count("\x90\xA1\x96\x40\x82\xCC\x90\x94", e.dimensions.size());  // 寸法の数
    count("\x83\x75\x83\x8D\x83\x62\x83\x4E\x92\xE8\x8B\x60\x82\xCC\x90\x94",
          d.blocks.size() + e.definitions.size());  // ブロック定義の数
    count("\x89\xE6\x91\x9C\x82\xCC\x90\x94", d.images.size(),  // 画像の数
          d.imagesLeftOut ? "\x81\x69\x8F\xE3\x8C\xC0\x82\xF0\x92\xB4\x82\xA6\x82\xBD " + Number(d.imagesLeftOut) +
                                " \x8C\xC2\x82\xF0\x8F\x9C\x82\xAD\x81\x6A"
                          : std::string());  // （上限を超えた / 個を除く）
    if (d.replacedCharacters > 0)
        lines.push_back(
            Label("CP932 \x82\xC9\x82\xC8\x82\xA2\x95\xB6\x8E\x9A") + Number(d.replacedCharacters) +
            "\x81\x69? \x82\xC9\x92\x75\x82\xAB\x8A\xB7\x82\xA6\x82\xDC\x82\xB5\x82\xBD\x81\x6A");  // CP932 にない文字 / （? に置き換えました）
    return lines;
}

std::string NotCarriedLine(const NotCarried& n) {
    std::string line =
        "\x95\xCF\x8A\xB7\x82\xB5\x82\xC4\x82\xA2\x82\xC8\x82\xA2\x97\x76\x91\x66:";  // 変換していない要素:
    const auto part = [&](std::string_view label, std::int64_t count) {
        if (count == 0) return;
        line += ' ';
        line += label;
        line += ' ';
        line += Number(count);
        line += " \x8C\x8F";  // 件
    };
    part("\x83\x5C\x83\x8A\x83\x62\x83\x68", n.solids);  // ソリッド
    part("\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60", n.inserts);  // ブロック図形
    part("\x89\xE6\x91\x9C", n.images);  // 画像
    return line;
}

std::string ImagesLeftOutLine(std::int64_t count) {
    return "\x93\xAF\x8D\xAB\x89\xE6\x91\x9C " + Number(count) +  // 同梱画像
           " \x8C\xC2\x82\xF0\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81\x69"
           "1 \x90\x7D\x96\xCA\x82\xC9 " +  //  個を保存しません（1 図面に
           Number(kJwwImageCountLimit) +
           " \x8C\xC2\x81\x41\x8D\x87\x8C\x76 " + Number(kJwwImagesTotalLimit >> 20) +  //  個、合計
           " MB \x82\xDC\x82\xC5\x81\x6A";  //  MB まで）
}

std::string ShownName(std::string_view name) {
    constexpr std::size_t kLongest = 64;
    const std::string cut = CutToCharacters(name, kLongest);
    return EscapeControlBytes(cut) + (cut.size() < name.size() ? "..." : "");
}

}  // namespace orvik
