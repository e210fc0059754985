// The machine-readable report of a convert run (--report FILE): one record
// per drawing (and per folder that could not be read), as JSON Lines or CSV.
// Statuses and reason codes are stable names that scripts may rely on.
#pragma once

#include <cstdint>
#include <string>

namespace orvik::cli {

struct ReportRecord {
    std::string input;
    std::string output;  // empty when nothing was to be written
    // converted, partly-read, skipped, refused, failed
    std::string status;
    // A stable code of why, empty when converted: not-a-drawing, unreadable,
    // missing, truncated-records, no-scale, bad-scale, exists, up-to-date,
    // write-failed, out-of-memory, unreadable-folder.
    std::string code;
    std::string message;  // the reason in words (UTF-8)
    std::int64_t lines = 0, arcs = 0, texts = 0, points = 0;
    std::string scale;  // the reference scale used
    std::int64_t bytes = 0;
    double seconds = 0;
};

enum class ReportFormat { JsonLines, Csv };

// The text of the report: for CSV a header line first. Strings are written
// as UTF-8 (bytes that are not UTF-8 become U+FFFD).
std::string ReportHeader(ReportFormat format);
std::string ReportLine(const ReportRecord& record, ReportFormat format);

}  // namespace orvik::cli
