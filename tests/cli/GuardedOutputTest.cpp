// Every file a run writes — DXF, picture, thumbnail, report — is saved by
// the same rules: never over a drawing the run reads, never over an existing
// file without --force (a report may replace an earlier report), and no two
// drawings of a run, resumed or not, share an output.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "cli/CliRun.h"
#include "support/JwcBuilder.h"
#include "support/TempDir.h"

namespace orvik::cli {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;

std::string Drawing() {
    JwcBuilder b;
    b.HeaderTexts("T1", "T2").Group(0, 100).Layer(0, "A").Line(LineRecord{0, 0, 10, 10, 1, 2, 0});
    return b.Bytes();
}

// Makes the file newer than it is, by a second.
void Touch(const std::string& path) { fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(2)); }

TEST(GuardedOutput, NothingTheRunReadsOrMayNotReplaceIsWritten) {
    struct Case {
        const char* what;
        std::vector<const char*> files;  // made as drawings, or with "x" in them when named *.keep
        std::vector<std::string> args;  // "@" stands for the temporary folder
        const char* kept;  // a file whose bytes must not change
        int code;
    };
    const Case cases[] = {
        {"a picture named as its drawing",
         {"a.jwc"},
         {"render", "--force", "-o", "@/a.jwc", "@/a.jwc"},
         "a.jwc",
         kExitSomeFailed},
        {"a drawing found by its signature, named as its picture",
         {"f.svg"},
         {"render", "-r", "--force", "@"},
         "f.svg",
         kExitSomeFailed},
        {"a report named as a drawing",
         {"c.jwc"},
         {"convert", "--report", "@/c.jwc", "@/c.jwc"},
         "c.jwc",
         kExitSomeFailed},
        {"a report over another file",
         {"d.jwc", "notes.keep"},
         {"convert", "--report", "@/notes.keep", "@/d.jwc"},
         "notes.keep",
         kExitSomeFailed},
        {"a thumbnail named as its drawing",
         {"w/f.png"},
         {"convert", "-r", "--thumbnail", "--update", "@"},
         "w/f.png",
         kExitSomeFailed},
    };
    for (const Case& c : cases) {
        testing::TempDir dir;
        for (const char* name : c.files) dir.Write(name, std::string(name).ends_with(".keep") ? "x" : Drawing());
        const std::string before = ReadFileBytes(dir.File(c.kept));
        std::vector<std::string> args;
        for (const std::string& arg : c.args) args.push_back(arg[0] == '@' ? dir.Folder() + arg.substr(1) : arg);
        const CliRun run = Cli(args);
        EXPECT_EQ(run.code, c.code) << c.what << '\n' << run.err;
        EXPECT_EQ(ReadFileBytes(dir.File(c.kept)), before) << c.what;
    }
}

TEST(GuardedOutput, AReportReplacesOnlyAnEarlierReport) {
    testing::TempDir dir;
    const std::string drawing = dir.Write("a.jwc", Drawing());
    for (const char* format : {"jsonl", "csv"}) {
        const std::string report = dir.File(std::string("r.") + format);
        for (int run = 0; run < 2; ++run)
            EXPECT_EQ(Cli({"convert", "--force", "--report", report, "--report-format", format, drawing}).code, kExitOk)
                << format << run;
    }
    // Not a report of that kind: refused before any drawing is converted.
    fs::remove(dir.File("a.dxf"));
    const CliRun run = Cli({"convert", "--report", dir.File("r.jsonl"), "--report-format", "csv", drawing});
    EXPECT_EQ(run.code, kExitSomeFailed);
    EXPECT_NE(run.err.find("ファイルはすでに存在します"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir.File("a.dxf")));
}

// a.JWC and a.jwc both map to a.dxf: one is refused in the first run, and
// in a resumed one too, where the other's output is up to date.
TEST(GuardedOutput, TwoDrawingsForOneOutputAreRefusedInEveryRun) {
    testing::TempDir dir;
    dir.Write("in/a.JWC", Drawing());
    const std::string lower = dir.Write("in/a.jwc", Drawing() + "");
    const std::string out = dir.File("out");
    const auto convert = [&](bool update) {
        std::vector<std::string> args = {"convert", "-r", "-q", "-j", "1", "--output-dir", out, dir.File("in")};
        if (update) args.insert(args.begin() + 1, "--update");
        return Cli(args);
    };
    CliRun run = convert(false);
    EXPECT_EQ(run.code, kExitSomeFailed);
    const std::string first = ReadFileBytes(out + "/a.dxf");
    Touch(lower);
    run = convert(true);
    EXPECT_EQ(run.code, kExitSomeFailed);
    EXPECT_NE(run.err.find("この実行ですでに書き出したファイルです"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(out + "/a.dxf"), first);
}

// What a killed run left is mended by --update: a DXF file whose requested
// thumbnail is missing is not up to date, and the stale temporary files of
// an output that is up to date are removed.
TEST(GuardedOutput, UpdateMendsWhatAKilledRunLeft) {
    testing::TempDir dir;
    const std::string drawing = dir.Write("a.jwc", Drawing());
    ASSERT_EQ(Cli({"convert", "--thumbnail", drawing}).code, kExitOk);
    fs::remove(dir.File("a.png"));
    CliRun run = Cli({"convert", "--update", "--thumbnail", drawing});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    EXPECT_TRUE(fs::exists(dir.File("a.png")));

    const std::string stale = dir.Write(".a.dxf.Xy12Z9", "half a file");
    fs::last_write_time(stale, fs::last_write_time(stale) - std::chrono::minutes(1));
    run = Cli({"convert", "--update", drawing});
    EXPECT_NE(run.out.find("出力ファイルの方が新しいので変換しません"), std::string::npos) << run.out;
    EXPECT_FALSE(fs::exists(stale));
}

}  // namespace
}  // namespace orvik::cli
