#include "cli/RunReport.h"

#include <cstdio>

namespace orvik::cli {
namespace {

// The length of the UTF-8 sequence at `at`, or 0 when the bytes there are not one.
std::size_t Utf8Length(const std::string& s, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = byte(at);
    const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || at + n > s.size()) return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
    return n;
}

// Valid UTF-8, each broken byte replaced by U+FFFD.
std::string ValidUtf8(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8Length(s, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(s, i, n);
            i += n;
        }
    }
    return out;
}

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (char c : ValidUtf8(text)) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + '"';
}

// RFC 4180: quoted when it holds a comma, quote or line break; quotes doubled.
std::string Csv(const std::string& text) {
    const std::string valid = ValidUtf8(text);
    if (valid.find_first_of(",\"\r\n") == std::string::npos) return valid;
    std::string out = "\"";
    for (char c : valid) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + '"';
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
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
               std::to_string(r.points) + ',' + Csv(r.scale) + ',' + std::to_string(r.bytes) + ',' + Seconds(r.seconds) +
               '\n';
    }
    return "{\"input\":" + Json(r.input) + ",\"output\":" + Json(r.output) + ",\"status\":" + Json(r.status) +
           ",\"code\":" + Json(r.code) + ",\"message\":" + Json(r.message) + ",\"lines\":" + std::to_string(r.lines) +
           ",\"arcs\":" + std::to_string(r.arcs) + ",\"texts\":" + std::to_string(r.texts) +
           ",\"points\":" + std::to_string(r.points) + ",\"scale\":" + Json(r.scale) +
           ",\"bytes\":" + std::to_string(r.bytes) + ",\"seconds\":" + Seconds(r.seconds) + "}\n";
}

}  // namespace orvik::cli
