// The machine-readable report of a convert run (--report FILE): one record
// per drawing (and per folder that could not be read), as JSON Lines or CSV.
// Statuses and reason codes are the stable names of app/DrawingJob.h, which
// scripts may rely on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/DrawingJob.h"

namespace orvik::cli {

struct ReportRecord {
    std::string input;
    std::string output;  // empty when nothing was to be written
    std::string status;  // StatusName
    std::string code;  // ReasonCode, empty when converted
    std::string message;  // the reason in words (UTF-8)
    std::int64_t lines = 0, arcs = 0, texts = 0, points = 0;
    std::string scale;  // the reference scale used
    std::int64_t bytes = 0;
    double seconds = 0;
};

enum class ReportFormat { JsonLines, Csv };

// The text of the report: for CSV a header line first. Strings are written
// as UTF-8. A name's bytes that are not UTF-8 stay recoverable: in JSON each
// becomes the escape \udcXX (XX the byte, as Python's "surrogateescape"
// reads it back), in CSV the text \xXX. A CSV cell that a spreadsheet would
// take for a formula (=, +, -, @, tab, CR first) starts with an apostrophe.
std::string ReportHeader(ReportFormat format);
std::string ReportLine(const ReportRecord& record, ReportFormat format);

// Whether the file at `path` is empty or begins as a report of this format
// does, so that a run may replace it without --force.
bool IsEarlierReport(const std::string& path, ReportFormat format);

// The report being written: each record goes to the disk as it is added,
// into a temporary file that takes the report's name complete at Finish.
// Throws FailureError (CP932) when the file cannot be written.
class ReportFile {
public:
    ReportFile(const std::string& path, ReportFormat format, const SaveRules& rules);
    void Add(const ReportRecord& record);
    void Finish();

private:
    ReportFormat format_;
    AtomicFile file_;
};

}  // namespace orvik::cli
