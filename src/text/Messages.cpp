#include "text/Messages.h"

#include <cerrno>

#include "text/Cp932.h"

namespace orvik {
namespace {

struct ErrorText {
    int error;
    std::string_view text;
};

constexpr std::string_view kAccessDenied =
    "\x83\x41\x83\x4E\x83\x5A\x83\x58\x82\xAA\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD";  // アクセスが拒否されました

constexpr ErrorText kErrorTexts[] = {
    {EACCES, kAccessDenied},
    {EPERM, kAccessDenied},
    {ENOENT,
     "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xDC\x82\xBD\x82\xCD\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x82"
     "\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1"},  // ファイルまたはフォルダーが見つかりません
    {ENOTDIR,
     "\x83\x70\x83\x58\x82\xCC\x93\x72\x92\x86\x82\xC9\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x82\xC5"
     "\x82\xC8\x82\xA2\x82\xE0\x82\xCC\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7"},  // パスの途中にフォルダーでないものがあります
    {EISDIR, "\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x82\xC5\x82\xB7"},  // フォルダーです
    {ENOSPC,
     "\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xCC\x8B\xF3\x82\xAB\x97\x65\x97\xCA\x82\xAA\x91\xAB\x82\xE8\x82"
     "\xDC\x82\xB9\x82\xF1"},  // ディスクの空き容量が足りません
#ifdef EDQUOT  // no disk quotas on Windows
    {EDQUOT,
     "\x83\x66\x83\x42\x83\x58\x83\x4E\x8E\x67\x97\x70\x97\xCA\x82\xCC\x8F\xE3\x8C\xC0\x82\xC9\x92\x42\x82"
     "\xB5\x82\xDC\x82\xB5\x82\xBD"},  // ディスク使用量の上限に達しました
#endif
    {EROFS,
     "\x93\xC7\x82\xDD\x8E\xE6\x82\xE8\x90\xEA\x97\x70\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x83\x56\x83"
     "\x58\x83\x65\x83\x80\x82\xC5\x82\xB7"},  // 読み取り専用のファイルシステムです
    {ENAMETOOLONG, "\x96\xBC\x91\x4F\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7"},  // 名前が長すぎます
    {ELOOP,
     "\x83\x56\x83\x93\x83\x7B\x83\x8A\x83\x62\x83\x4E\x83\x8A\x83\x93\x83\x4E\x82\xAA\x8F\x7A\x8A\xC2\x82"
     "\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7"},  // シンボリックリンクが循環しています
    {EIO,
     "\x93\xFC\x8F\x6F\x97\xCD\x83\x47\x83\x89\x81\x5B\x82\xAA\x8B\x4E\x82\xAB\x82\xDC\x82\xB5\x82\xBD"},  // 入出力エラーが起きました
    {EMFILE,
     "\x8A\x4A\x82\xA2\x82\xC4\x82\xA2\x82\xE9\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x91\xBD\x82\xB7\x82"
     "\xAC\x82\xDC\x82\xB7"},  // 開いているファイルが多すぎます
    {EFBIG,
     "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x91\xE5\x82\xAB\x82\xB7\x82\xAC\x82\xDC\x82\xB7"},  // ファイルが大きすぎます
    {ENOMEM, kOutOfMemory},
    {EBUSY, "\x8E\x67\x97\x70\x92\x86\x82\xC5\x82\xB7"},  // 使用中です
};

constexpr std::string_view kSystemError =
    "\x83\x56\x83\x58\x83\x65\x83\x80\x83\x47\x83\x89\x81\x5B ";  // システムエラー

// The text between single quotes.
std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted += text;
    quoted += '\'';
    return quoted;
}

}  // namespace

std::string SystemErrorText(int error) {
    for (const ErrorText& row : kErrorTexts)
        if (row.error == error) return std::string(row.text);
    return std::string(kSystemError) + std::to_string(error);
}

std::string WithReason(std::string_view message, std::string_view reason) {
    return std::string(message) + std::string(kOpenParenthesis) + std::string(reason) + std::string(kCloseParenthesis);
}

std::string CannotCreateFile(std::string_view utf8Path, std::string_view reason) {
    // ファイル %s を作成できません
    return WithReason("\x83\x74\x83\x40\x83\x43\x83\x8B " + Utf8ToCp932(PrintableName(utf8Path)) +
                          " \x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1",
                      reason);
}

std::string NamingFileAsItIs(std::string_view cp932Message, std::string_view utf8Path) {
    std::string text = Cp932ToUtf8(cp932Message);
    const std::string name = PrintableName(utf8Path);
    const std::string held = Cp932ToUtf8(Utf8ToCp932(name));
    if (held == name) return text;
    if (const std::size_t at = text.find(held); at != std::string::npos) text.replace(at, held.size(), name);
    return text;
}

std::string CannotWriteFile(std::string_view utf8Path, std::string_view reason) {
    // ストリームへの書き込みエラー: %s
    return WithReason(
        "\x83\x58\x83\x67\x83\x8A\x81\x5B\x83\x80\x82\xD6\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD"
        "\x83\x47\x83\x89\x81\x5B: " +
            Utf8ToCp932(PrintableName(utf8Path)),
        reason);
}

std::string NotANumber(std::string_view text) {
    // ' は有効な浮動小数点数ではありません
    return Quoted(text) +
           " \x82\xCD\x97\x4C\x8C\xF8\x82\xC8\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x82\xC5\x82\xCD"
           "\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
}

std::string NotAnInteger(std::string_view text) {
    // ' は有効な整数値ではありません
    return Quoted(text) +
           " \x82\xCD\x97\x4C\x8C\xF8\x82\xC8\x90\xAE\x90\x94\x92\x6C\x82\xC5\x82\xCD\x82\xA0\x82\xE8"
           "\x82\xDC\x82\xB9\x82\xF1";
}

std::string ScaleNotPositive(std::string_view scaleText) {
    // 基準縮尺は0より大きい数値にしてください:
    return "\x8A\xEE\x8F\x80\x8F\x6B\x8E\xDA\x82\xCD"
           "0\x82\xE6\x82\xE8\x91\xE5\x82\xAB\x82\xA2\x90\x94\x92\x6C\x82"
           "\xC9\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2: " +
           std::string(scaleText);
}

namespace {

// "（AT バイト目）"
std::string AtByte(std::int64_t at) {
    return "\x81\x69" + std::to_string(at) + " \x83\x6F\x83\x43\x83\x67\x96\xDA\x81\x6A";
}  // （ / バイト目）

}  // namespace

std::string FileEndsInside(std::string_view part, std::int64_t at, std::int64_t fileSize) {
    return std::string(part) +
           "\x82\xCC\x93\x72\x92\x86\x82\xC5\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8F\x49\x82\xED\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x69" +  // の途中でファイルが終わっています（
           std::to_string(at) +
           " \x83\x6F\x83\x43\x83\x67\x96\xDA\x82\xA9\x82\xE7\x81\x41\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x91\xE5\x82\xAB\x82\xB3 " +  //  バイト目から、ファイルの大きさ
           std::to_string(fileSize) + " \x83\x6F\x83\x43\x83\x67\x81\x6A";  //  バイト）
}

std::string HeaderFieldNotANumber(int block, int field, std::string_view text, std::int64_t at) {
    std::string shown;
    for (const char c : text) shown += c == '\0' ? ' ' : c;
    return "\x83\x77\x83\x62\x83\x5F\x81\x5B \x83\x75\x83\x8D\x83\x62\x83\x4E" +
           std::to_string(block) +  // ヘッダー ブロック
           " \x82\xCC\x8D\x80\x96\xDA " + std::to_string(field) +  //  の項目
           " \x82\xAA\x90\xB3\x82\xB5\x82\xA2\x90\x94\x92\x6C\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1: \"" +
           shown + "\"" +  //  が正しい数値ではありません:
           AtByte(at);
}

std::string CountIsNegative(std::string_view part, std::int64_t count) {
    return std::string(part) + "\x82\xCC\x90\x94\x82\xAA\x95\x89\x82\xCC\x92\x6C\x82\xC5\x82\xB7: " +
           std::to_string(count);  // の数が負の値です:
}

std::string CountDoesNotFit(std::string_view part, std::int64_t count, std::int64_t fileSize, std::int64_t at) {
    return std::string(part) + "\x82\xCC\x90\x94 " + std::to_string(count) +  // の数
           " \x82\xAA\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x91\xE5\x82\xAB\x82\xB3 " +
           std::to_string(fileSize) +  //  がファイルの大きさ
           " \x83\x6F\x83\x43\x83\x67\x82\xC9\x8D\x87\x82\xA2\x82\xDC\x82\xB9\x82\xF1" +  //  バイトに合いません
           (at >= 0 ? AtByte(at) : std::string());
}

std::string CountAboveLimit(std::string_view part, std::int64_t count, std::int64_t limit) {
    return std::string(part) + "\x82\xCC\x90\x94 " + std::to_string(count) +
           " \x82\xAA\x8F\xE3\x8C\xC0\x82\xCC " +  // の数 / が上限の
           std::to_string(limit) + " \x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7";  //  を超えています
}

std::string UnknownClassIn(std::string_view part, std::string_view name, std::int64_t at) {
    return std::string(part) + "\x82\xC9 JWW \x82\xC9\x82\xC8\x82\xA2\x83\x4E\x83\x89\x83\x58 " +
           std::string(name) +  // に JWW にないクラス
           " \x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7" + AtByte(at);  //  があります
}

std::string NotADefinitionIn(std::string_view part, std::string_view name, std::int64_t at) {
    return std::string(part) +
           "\x82\xC9\x81\x41\x83\x75\x83\x8D\x83\x62\x83\x4E\x92\xE8\x8B\x60\x82\xC5\x82\xC8\x82\xA2 " +  // に、ブロック定義でない
           std::string(name) + " \x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7" + AtByte(at);  //  があります
}

std::string UnknownReference(std::string_view part, std::int64_t at, std::int64_t index) {
    return std::string(part) + "\x82\xCC " + std::to_string(at) +  // の
           " \x83\x6F\x83\x43\x83\x67\x96\xDA\x82\xAA\x81\x41\x93\xC7\x82\xF1\x82\xBE\x82\xE0\x82\xCC\x82\xC9\x82\xC8\x82\xA2\x94\xD4\x8D\x86 " +  //  バイト目が、読んだものにない番号
           std::to_string(index) + " \x82\xF0\x8E\x77\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7";  //  を指しています
}

std::string BlockHoldsItself(std::int64_t block, std::int64_t at) {
    return "\x83\x75\x83\x8D\x83\x62\x83\x4E\x92\xE8\x8B\x60 " + std::to_string(block) +  // ブロック定義
           " \x82\xAA\x8E\xA9\x95\xAA\x8E\xA9\x90\x67\x82\xF0\x8A\xDC\x82\xF1\x82\xC5\x82\xA2\x82\xDC\x82\xB7" +
           AtByte(at);  //  が自分自身を含んでいます
}

std::string BlocksNestTooDeep(std::int64_t limit, std::int64_t at) {
    return "\x83\x75\x83\x8D\x83\x62\x83\x4E\x92\xE8\x8B\x60\x82\xCC\x93\xFC\x82\xEA\x8E\x71\x82\xAA " +
           std::to_string(limit) +  // ブロック定義の入れ子が
           " \x92\x69\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7" + AtByte(at);  //  段を超えています
}

std::string ImageTooLarge(std::string_view name, std::int64_t size, std::int64_t at) {
    return "\x93\xAF\x8D\xAB\x89\xE6\x91\x9C " + std::string(name) + " \x82\xCC\x91\xE5\x82\xAB\x82\xB3 " +
           std::to_string(size) +  // 同梱画像 / の大きさ
           " \x83\x6F\x83\x43\x83\x67\x82\xAA\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC9\x8E\xFB\x82\xDC\x82\xE7\x82\xC8\x82\xA2\x82\xA9\x91\xE5\x82\xAB\x82\xB7\x82\xAC\x82\xDC\x82\xB7" +  //  バイトがファイルに収まらないか大きすぎます
           AtByte(at);
}

std::string ImageNotInflated(std::string_view name, std::int64_t at) {
    return "\x93\xAF\x8D\xAB\x89\xE6\x91\x9C " + std::string(name) +
           " \x82\xF0\x93\x57\x8A\x4A\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1" +
           AtByte(at);  // 同梱画像 / を展開できません
}

std::string BytesAfterTheEnd(std::int64_t count, std::int64_t at) {
    return "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x8F\x49\x82\xED\x82\xE8\x82\xC9\x97\x5D\x95\xAA\x82\xC8 " +
           std::to_string(count) +  // ファイルの終わりに余分な
           " \x83\x6F\x83\x43\x83\x67\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7" + AtByte(at);  //  バイトがあります
}

std::string TooManyRepeats(std::int64_t bytes, std::int64_t at) {
    return "\x8C\x4A\x82\xE8\x95\xD4\x82\xB5\x8E\x51\x8F\xC6\x82\xB3\x82\xEA\x82\xE9\x97\x76\x91\x66\x82\xAA\x91\xBD\x82\xB7\x82\xAC\x82\xDC\x82\xB7\x81\x69\x8D\x87\x8C\x76 " +  // 繰り返し参照される要素が多すぎます（合計
           std::to_string(bytes) + " \x83\x6F\x83\x43\x83\x67\x81\x41" +  //  バイト、
           std::to_string(at) + " \x83\x6F\x83\x43\x83\x67\x96\xDA\x81\x6A";  //  バイト目）
}

std::string ImagesNotSaved(std::int64_t count, std::int64_t limit, std::int64_t megabytes) {
    return "\x93\xAF\x8D\xAB\x89\xE6\x91\x9C " + std::to_string(count) +  // 同梱画像
           " \x8C\xC2\x82\xF0\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81\x69"
           "1 \x90\x7D\x96\xCA\x82\xC9 " +  //  個を保存しません（1 図面に
           std::to_string(limit) +
           " \x8C\xC2\x81\x41\x8D\x87\x8C\x76 " +  //  個、合計
           std::to_string(megabytes) + " MB \x82\xDC\x82\xC5\x81\x6A";  //  MB まで）
}

std::string ShapesNotDrawn(bool limitReached, std::int64_t limit, std::int64_t tooDeep, int depth) {
    std::string line =
        "\x8A\x47\x82\xC9\x95\x60\x82\xA2\x82\xC4\x82\xA2\x82\xC8\x82\xA2\x83\x75\x83\x8D\x83\x62\x83\x4E\x82\xCC\x90\x7D\x8C\x60:";  // 絵に描いていないブロックの図形:
    if (limitReached)
        line += " \x8F\xE3\x8C\xC0\x81\x69" + std::to_string(limit) +  //  上限（
                " \x8C\xC2\x81\x6A\x82\xC9\x92\x42\x82\xB5\x82\xDC\x82\xB5\x82\xBD";  //  個）に達しました
    if (tooDeep > 0)
        line += " \x93\xFC\x82\xEA\x8E\x71\x82\xAA " + std::to_string(depth) +  //  入れ子が
                " \x92\x69\x82\xE6\x82\xE8\x90\x5B\x82\xA2\x91\x7D\x93\xFC " +  //  段より深い挿入
                std::to_string(tooDeep) + " \x8C\x8F";  //  件
    return line;
}

std::string DxfBrokenAt(std::int64_t line, std::string_view how) {
    return std::to_string(line) + " \x8D\x73\x96\xDA: " + std::string(how);  // N 行目: ...
}

}  // namespace orvik
