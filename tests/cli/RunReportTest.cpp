// The run's report and its log as scripts and terminals read them: cells
// that are no formulas, names whose bytes stay recoverable and can neither
// move the cursor nor forge a line, and numbers that do not depend on the
// locale.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <regex>

#include "cli/CliRun.h"
#include "cli/RunReport.h"
#include "support/JwcBuilder.h"
#include "support/TempDir.h"

namespace orvik::cli {
namespace {

using testing::ReadFileBytes;

TEST(RunReport, CellsAreNoFormulasAndBrokenNamesStayApart) {
    struct Case {
        std::string input, csvCell, jsonValue;
    };
    const Case cases[] = {
        {"=HYPERLINK(\"x\").jwc", "\"'=HYPERLINK(\"\"x\"\").jwc\"", R"("=HYPERLINK(\"x\").jwc")"},
        {"+a.jwc", "'+a.jwc", R"("+a.jwc")"},
        {"-a.jwc", "'-a.jwc", R"("-a.jwc")"},
        {"@a.jwc", "'@a.jwc", R"("@a.jwc")"},
        {"\tb.jwc", "'\tb.jwc", R"("\tb.jwc")"},
        {"a=b.jwc", "a=b.jwc", R"("a=b.jwc")"},
        {"\x8C\x9A.jwc", "\\x8c\\x9a.jwc", R"("\udc8c\udc9a.jwc")"},  // CP932 bytes, no UTF-8
        {"\xED\xA0\x80.jwc", "\\xed\\xa0\\x80.jwc", R"("\udced\udca0\udc80.jwc")"},  // a surrogate
        {"図.jwc", "図.jwc", R"("図.jwc")"},
    };
    for (const Case& c : cases) {
        ReportRecord record;
        record.input = c.input;
        const std::string csv = ReportLine(record, ReportFormat::Csv);
        EXPECT_EQ(csv.substr(0, csv.find(",,")), c.csvCell) << c.input;
        const std::string json = ReportLine(record, ReportFormat::JsonLines);
        EXPECT_EQ(json.substr(9, json.find(",\"output\"") - 9), c.jsonValue) << c.input;
    }
}

// Each record reaches the disk as it is added (a killed run leaves them in
// the temporary file); the report takes its name only complete.
TEST(RunReport, RecordsReachTheDiskAsTheRunGoes) {
    testing::TempDir dir;
    const std::string path = dir.File("r.jsonl");
    ReportFile report(path, ReportFormat::JsonLines, {});
    ReportRecord record;
    record.input = "a.jwc";
    report.Add(record);
    const auto temporary = [&] {
        for (const auto& e : std::filesystem::directory_iterator(dir.Folder())) return ReadFileBytes(e.path().string());
        return std::string();
    };
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(temporary(), ReportLine(record, ReportFormat::JsonLines));
    report.Finish();
    EXPECT_EQ(ReadFileBytes(path), ReportLine(record, ReportFormat::JsonLines));
}

TEST(RunReport, NamesReachTheTerminalWithTheirControlsVisible) {
    testing::TempDir dir;
    JwcBuilder b;
    b.Group(0, 100).Layer(0, "A").Line(LineRecord{0, 0, 10, 10, 1, 2, 0});
    const std::string title = dir.Write("\x1b]0;X\a\x1b[2J.jwc", b.Bytes());
    const std::string forged = dir.Write("a\nb.jwc", "not a drawing");
    const CliRun run = Cli({"convert", title, forged, dir.File("gone\x1b.jwc")});
    for (const std::string& text : {run.out, run.err}) {
        EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
        EXPECT_EQ(text.find('\a'), std::string::npos) << text;
        EXPECT_EQ(text.find("a\nb"), std::string::npos) << text;
    }
    EXPECT_NE(run.out.find("^[]0;X^G^[[2J.jwc"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("a^Jb.jwc"), std::string::npos) << run.err;
}

// Under a locale that writes a decimal comma (Qt applies the user's at
// start-up), pictures keep their ellipses and texts and the report stays
// valid. install-deps.sh --tests generates de_DE.UTF-8.
TEST(RunReport, NumbersDoNotFollowTheLocale) {
    testing::TempDir dir;
    const std::string sample = ORVIK_SOURCE_DIR "/samples/plan.jwc";
    const auto render = [&](const char* name) {
        const std::string svg = dir.File(name);
        Cli({"render", "-o", svg, sample});
        return ReadFileBytes(svg);
    };
    const std::string plain = render("c.svg");
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is missing";
    const std::string german = render("de.svg");
    const CliRun run = Cli({"convert", "-o", dir.Folder(), "--report", dir.File("r.csv"), "--report-format", "csv",
                            sample, dir.File("missing.jwc")});
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(german == plain);
    const std::string report = ReadFileBytes(dir.File("r.csv"));
    EXPECT_TRUE(std::regex_search(report, std::regex(",[0-9]+\\.[0-9]{3}\n$"))) << report;
    for (std::size_t at = 0, end; (end = report.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string row = report.substr(at, end - at);
        EXPECT_EQ(std::count(row.begin(), row.end(), ','), 11) << row;
    }
    EXPECT_TRUE(std::regex_search(run.err, std::regex("（[0-9]+\\.[0-9] 秒）"))) << run.err;
}

}  // namespace
}  // namespace orvik::cli
