#include "app/ReadReport.h"

#include <string_view>

namespace orvik {
namespace {

// The sections as the user knows them (CP932).
std::string_view SectionName(JwcSection section) {
    switch (section) {
        case JwcSection::HeaderBlocks:
            return "\x83\x77\x83\x62\x83\x5F\x81\x5B";  // ヘッダー
        case JwcSection::VirtualPoints:
            return "\x89\xBC\x91\x7A\x93\x5F";  // 仮想点
        case JwcSection::TextTypes:
            return "\x95\xB6\x8E\x9A\x8E\xED";  // 文字種
        case JwcSection::GroupScales:
            // レイヤグループの縮尺
            return "\x83\x8C\x83\x43\x83\x84\x83\x4F\x83\x8B\x81\x5B\x83\x76\x82\xCC\x8F\x6B\x8E\xDA";
        case JwcSection::LayerFlags:
            return "\x83\x8C\x83\x43\x83\x84\x82\xCC\x8F\xF3\x91\xD4";  // レイヤの状態
        case JwcSection::Lines:
            return "\x92\xBC\x90\xFC";  // 直線
        case JwcSection::Arcs:
            return "\x89\x7E\x8C\xCA";  // 円弧
        case JwcSection::Texts:
            return "\x95\xB6\x8E\x9A\x97\xF1";  // 文字列
        case JwcSection::TextPool:
            return "\x95\xB6\x8E\x9A\x97\xF1\x83\x66\x81\x5B\x83\x5E";  // 文字列データ
        case JwcSection::Points:
            return "\x8E\xC0\x93\x5F";  // 実点
        case JwcSection::LayerNames:
            return "\x83\x8C\x83\x43\x83\x84\x96\xBC";  // レイヤ名
        case JwcSection::GroupNames:
            // レイヤグループ名
            return "\x83\x8C\x83\x43\x83\x84\x83\x4F\x83\x8B\x81\x5B\x83\x76\x96\xBC";
    }
    return {};
}

// Field values are printed without their NUL padding.
std::string Printable(std::string_view text) {
    std::string out;
    for (char c : text) out += c == '\0' ? ' ' : c;
    return out;
}

}  // namespace

std::string DescribeLoadError(const LoadError& e) {
    using std::to_string;
    const std::string section(SectionName(e.section));
    switch (e.failure) {
        case LoadFailure::None:
            return {};
        case LoadFailure::CannotOpen:
            return "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1";  // ファイルを開けません
        case LoadFailure::Truncated:
            // {section}の途中でファイルが終わっています（{offset} バイト目から、ファイルの大きさ {size} バイト）
            return section +
                   "\x82\xCC\x93\x72\x92\x86\x82\xC5\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8F\x49"
                   "\x82\xED\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x69" +
                   to_string(e.offset) +
                   " \x83\x6F\x83\x43\x83\x67\x96\xDA\x82\xA9\x82\xE7\x81\x41\x83\x74\x83\x40\x83\x43"
                   "\x83\x8B\x82\xCC\x91\xE5\x82\xAB\x82\xB3 " +
                   to_string(e.fileSize) + " \x83\x6F\x83\x43\x83\x67\x81\x6A";
        case LoadFailure::InvalidField:
            // ヘッダー ブロック{b} の項目 {f} が正しい数値ではありません: "{text}"（{offset} バイト目）
            return "\x83\x77\x83\x62\x83\x5F\x81\x5B \x83\x75\x83\x8D\x83\x62\x83\x4E" +
                   to_string(e.block) + " \x82\xCC\x8D\x80\x96\xDA " + to_string(e.field) +
                   " \x82\xAA\x90\xB3\x82\xB5\x82\xA2\x90\x94\x92\x6C\x82\xC5\x82\xCD\x82\xA0\x82\xE8"
                   "\x82\xDC\x82\xB9\x82\xF1: \"" +
                   Printable(e.fieldText) + "\"\x81\x69" + to_string(e.offset) +
                   " \x83\x6F\x83\x43\x83\x67\x96\xDA\x81\x6A";
        case LoadFailure::NegativeCount:
            // {section}の数が負の値です: {count}
            return section + "\x82\xCC\x90\x94\x82\xAA\x95\x89\x82\xCC\x92\x6C\x82\xC5\x82\xB7: " +
                   to_string(e.count);
        case LoadFailure::CountTooLarge:
            // {section}の数 {count} がファイルの大きさ {size} バイトに合いません
            return section + "\x82\xCC\x90\x94 " + to_string(e.count) +
                   " \x82\xAA\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x91\xE5\x82\xAB\x82\xB3 " +
                   to_string(e.fileSize) +
                   " \x83\x6F\x83\x43\x83\x67\x82\xC9\x8D\x87\x82\xA2\x82\xDC\x82\xB9\x82\xF1";
        case LoadFailure::TooManyVirtualPoints:
            // {section}の数 {count} が上限の 101 を超えています
            return section + "\x82\xCC\x90\x94 " + to_string(e.count) +
                   " \x82\xAA\x8F\xE3\x8C\xC0\x82\xCC 101 \x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2"
                   "\x82\xDC\x82\xB7";
        case LoadFailure::OutOfMemory:
            return "\x83\x81\x83\x82\x83\x8A\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82\xF1";  // メモリが足りません
    }
    return {};
}

}  // namespace orvik
