#include "cli/RunReport.h"

#include <filesystem>
#include <fstream>

#include "cli/Cli.h"
#include "os/System.h"
#include "text/Cp932.h"

namespace orvik::cli {
namespace {

// The length of the well-formed UTF-8 sequence `s` begins with, or 0.
std::size_t WellFormedLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s.front());
    if (lead < 0x80) return 1;
    if (lead < 0xC2 || lead > 0xF4) return 0;
    const std::size_t n = Utf8SequenceLength(s);
    if (n != (lead < 0xE0 ? 2u : lead < 0xF0 ? 3u : 4u)) return 0;
    // No overlong forms, UTF-16 surrogates or code points above U+10FFFF.
    const auto second = static_cast<unsigned char>(s[1]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
        return 0;
    return n;
}

// The text with each ASCII character and each byte that is not part of a
// well-formed UTF-8 sequence written as `escape(byte, isAscii)` says;
// other characters are kept.
template <typename Escape>
std::string Escaped(std::string_view s, Escape escape) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = WellFormedLength(s.substr(i));
        if (n > 1) {
            out.append(s.substr(i, n));
            i += n;
        } else {
            out += escape(static_cast<unsigned char>(s[i]), n == 1);
            ++i;
        }
    }
    return out;
}

std::string Hex(const char* prefix, unsigned byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    return std::string(prefix) + kDigits[byte >> 4] + kDigits[byte & 0xF];
}

std::string Json(const std::string& text) {
    return '"' +
           Escaped(text,
                   [](unsigned byte, bool ascii) -> std::string {
                       if (!ascii) return Hex("\\udc", byte);
                       switch (byte) {
                           case '"': return "\\\"";
                           case '\\': return "\\\\";
                           case '\n': return "\\n";
                           case '\r': return "\\r";
                           case '\t': return "\\t";
                           default: return byte < 0x20 ? Hex("\\u00", byte) : std::string(1, static_cast<char>(byte));
                       }
                   }) +
           '"';
}

// RFC 4180: quoted when it holds a comma, quote or line break; quotes doubled.
std::string Csv(const std::string& text) {
    std::string valid = Escaped(text, [](unsigned byte, bool ascii) {
        return ascii ? std::string(1, static_cast<char>(byte)) : Hex("\\x", byte);
    });
    if (!valid.empty() && std::string_view("=+-@\t\r").find(valid.front()) != std::string_view::npos)
        valid.insert(0, 1, '\'');
    if (valid.find_first_of(",\"\r\n") == std::string::npos) return valid;
    std::string out = "\"";
    for (char c : valid) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + '"';
}

}  // namespace

std::string ReportHeader(ReportFormat format) {
    if (format == ReportFormat::JsonLines) return {};
    return "input,output,status,code,message,lines,arcs,texts,points,scale,bytes,seconds\n";
}

std::string ReportLine(const ReportRecord& r, ReportFormat format) {
    if (format == ReportFormat::Csv) {
        return Csv(r.input) + ',' + Csv(r.output) + ',' + r.status + ',' + r.code + ',' + Csv(r.message) + ',' +
               std::to_string(r.lines) + ',' + std::to_string(r.arcs) + ',' + std::to_string(r.texts) + ',' +
               std::to_string(r.points) + ',' + Csv(r.scale) + ',' + std::to_string(r.bytes) + ',' +
               Decimal(r.seconds, 3) + '\n';
    }
    return "{\"input\":" + Json(r.input) + ",\"output\":" + Json(r.output) + ",\"status\":" + Json(r.status) +
           ",\"code\":" + Json(r.code) + ",\"message\":" + Json(r.message) + ",\"lines\":" + std::to_string(r.lines) +
           ",\"arcs\":" + std::to_string(r.arcs) + ",\"texts\":" + std::to_string(r.texts) +
           ",\"points\":" + std::to_string(r.points) + ",\"scale\":" + Json(r.scale) +
           ",\"bytes\":" + std::to_string(r.bytes) + ",\"seconds\":" + Decimal(r.seconds, 3) + "}\n";
}

bool IsEarlierReport(const std::string& path, ReportFormat format) {
    const std::string start = format == ReportFormat::Csv ? ReportHeader(format) : std::string("{\"input\":");
    std::ifstream file(os::FsPath(path), std::ios::binary);
    if (!file) return false;
    std::string head(start.size(), '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    const auto got = static_cast<std::size_t>(file.gcount());
    return got == 0 || (got == start.size() && head == start);
}

ReportFile::ReportFile(const std::string& path, ReportFormat format, const SaveRules& rules)
    : format_(format), file_(path, rules) {
    file_.Write(ReportHeader(format));
}

void ReportFile::Add(const ReportRecord& record) { file_.Write(ReportLine(record, format_)); }

void ReportFile::Finish() { file_.Commit(); }

}  // namespace orvik::cli
