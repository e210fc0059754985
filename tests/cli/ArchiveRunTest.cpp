// Whole archives through `orvik-cli convert -r`: the walk, the mirrored
// output tree, parallel runs, the report, resume with --update and a killed run.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <regex>
#include <thread>

#include "cli/CliRun.h"
#include "dxf/DxfLines.h"
#include "support/JwcBuilder.h"
#include "support/JwwBuilder.h"
#include "support/TempDir.h"

namespace orvik::cli {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;

std::string Drawing(float scale = 100) {
    JwcBuilder b;
    b.HeaderTexts("T1", "T2").Group(0, scale).Layer(0, "A").Line(LineRecord{0, 0, 10, 10, 1, 2, 0});
    return b.Bytes();
}

std::string Damaged() {
    JwcBuilder b;
    b.Group(0, 100).Line(LineRecord{0, 0, 10, 10, 1, 2, 0}).Line(LineRecord{5, 5, 6, 6, 1, 1, 0});
    return b.Bytes().substr(0, static_cast<std::size_t>(b.SectionOffset(FilePart::Arcs) - 10));
}

// The report's records by input path below `root`: status and code.
std::map<std::string, std::string> Records(const std::string& report, const std::string& root) {
    std::map<std::string, std::string> records;
    const std::regex record(R"re(\{"input":"([^"]*)","output":"[^"]*","status":"([^"]*)","code":"([^"]*)")re");
    for (auto it = std::sregex_iterator(report.begin(), report.end(), record); it != std::sregex_iterator(); ++it)
        records[fs::path((*it)[1].str()).lexically_relative(root).string()] = (*it)[2].str() + " " + (*it)[3].str();
    return records;
}

// Every file below the folder with its bytes.
std::map<std::string, std::string> Tree(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) files[e.path().lexically_relative(folder).string()] = ReadFileBytes(e.path().string());
    return files;
}

class ArchiveRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.Write("archive/a.jwc", Drawing());
        dir_.Write("archive/PLAN.JWC", Drawing(50));
        dir_.Write("archive/sub/deep/b.jwc", Drawing());
        dir_.Write("archive/sub/renamed.bak", Drawing());  // a drawing by its signature
        dir_.Write("archive/sub/cut.jwc", Damaged());
        dir_.Write("archive/sub/fake.jwc", "not a drawing");
        dir_.Write("archive/readme.txt", "not a drawing, not named as one");
        dir_.Write("archive/blocked/c.jwc", Drawing());
        fs::create_directory_symlink(dir_.File("archive"), dir_.File("archive/sub/loop"));
        archive_ = dir_.File("archive");
    }
    CliRun Convert(std::vector<std::string> args) {
        args.insert(args.begin(), "convert");
        args.push_back(archive_);
        return Cli(args);
    }
    testing::TempDir dir_;
    std::string archive_;
};

// Every drawing is accounted for, by name or by signature, loops and
// non-drawings aside; the output tree mirrors the archive; a folder that
// cannot be made is a write failure of its drawings, and the run goes on.
TEST_F(ArchiveRunTest, AccountsForEveryDrawingAndMirrorsTheTree) {
    for (const char* out : {"out1/blocked", "out2/blocked"}) dir_.Write(out, "a file where the folder should be");
    const CliRun run = Convert({"-r", "--output-dir", dir_.File("out1"), "-j", "1", "--report", dir_.File("r.jsonl")});
    EXPECT_EQ(run.code, kExitSomeFailed) << run.err;
    const std::map<std::string, std::string> expected = {
        {"PLAN.JWC", "converted "},
        {"a.jwc", "converted "},
        {"blocked/c.jwc", "failed write-failed"},
        {"sub/cut.jwc", "failed truncated-records"},
        {"sub/deep/b.jwc", "converted "},
        {"sub/fake.jwc", "refused not-a-drawing"},
        {"sub/renamed.bak", "converted "},
    };
    EXPECT_EQ(Records(ReadFileBytes(dir_.File("r.jsonl")), archive_), expected);
    for (const char* out : {"PLAN.dxf", "a.dxf", "sub/deep/b.dxf", "sub/renamed.dxf"})
        EXPECT_TRUE(ReadFileBytes(dir_.File("out1/") + out).ends_with("EOF\r\n")) << out;
    EXPECT_NE(run.err.find("変換: 4 件、一部だけ読めた図面: 0 件、スキップ: 0 件、失敗: 3 件"), std::string::npos);

    // Two at once: the same files, byte for byte, and the same log in the same order.
    const CliRun parallel = Convert(
        {"-r", "--output-dir", dir_.File("out2"), "-j", "2", "--report", dir_.File("r.csv"), "--report-format", "csv"});
    EXPECT_TRUE(Tree(dir_.File("out2")) == Tree(dir_.File("out1")));
    EXPECT_TRUE(parallel.out == std::regex_replace(run.out, std::regex("out1"), "out2"));
    EXPECT_TRUE(ReadFileBytes(dir_.File("r.csv")).starts_with("input,output,status,code,message,"));
}

// --update converts only what is missing or older than its drawing, so a run
// killed halfway and started again does only the rest; the killed run left
// no half-written DXF behind.
TEST_F(ArchiveRunTest, ResumesAKilledRunWithUpdate) {
    for (int i = 0; i < 300; ++i) dir_.Write("archive/many/d" + std::to_string(1000 + i) + ".jwc", Drawing());
    const std::string out = dir_.File("out");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Convert({"-r", "-q", "--output-dir", out, "-j", "1"});
        ::_exit(0);
    }
    // Killed once a few drawings are written.
    for (int tries = 0; tries < 5000; ++tries) {
        std::error_code ec;
        if (fs::exists(out + "/many/d1005.dxf", ec)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    int complete = 0;
    for (const auto& e : fs::recursive_directory_iterator(out)) {
        if (e.path().extension() != ".dxf") continue;
        EXPECT_TRUE(ReadFileBytes(e.path().string()).ends_with("  0\r\nEOF\r\n")) << e.path();
        ++complete;
    }
    const CliRun resumed = Convert({"-r", "-q", "--update", "--output-dir", out, "--report", dir_.File("r.jsonl")});
    const std::string report = ReadFileBytes(dir_.File("r.jsonl"));
    int skipped = 0, converted = 0;
    for (const auto& [input, result] : Records(report, archive_)) {
        skipped += result == "skipped up-to-date";
        converted += result == "converted ";
    }
    EXPECT_EQ(skipped, complete);
    EXPECT_EQ(skipped + converted, 300 + 5);  // the 300, and the archive's five good drawings
    EXPECT_EQ(resumed.out, "");  // -q: only problems and the summary

    const CliRun again = Convert({"-r", "-q", "--update", "--output-dir", out});
    EXPECT_NE(again.err.find("変換: 0 件、一部だけ読めた図面: 0 件、スキップ: 305 件"), std::string::npos) << again.err;
}

// JWW drawings are found as JWC ones are: by their name in any case, or by
// their signature whatever their name; both formats convert in one run.
TEST(ArchiveOfBothFormats, FindsAndConvertsJwwDrawings) {
    testing::TempDir dir;
    JwwDrawing jww = NewJwwDrawing();
    Append(jww.elements, JwwLine{{}, 0, 0, 10, 10});
    jww.form.utf16Strings = true;
    const std::string bytes = BuildJww(jww).bytes;
    dir.Write("in/A.JWW", bytes);
    dir.Write("in/sub/copy.bak", bytes);
    dir.Write("in/b.jwc", Drawing());
    const CliRun run =
        Cli({"convert", "-r", "-q", "--output-dir", dir.File("out"), "--report", dir.File("r.jsonl"), dir.File("in")});
    EXPECT_EQ(run.code, kExitOk) << run.err;
    const std::map<std::string, std::string> expected = {
        {"A.JWW", "converted "}, {"b.jwc", "converted "}, {"sub/copy.bak", "converted "}};
    EXPECT_EQ(Records(ReadFileBytes(dir.File("r.jsonl")), dir.File("in")), expected);
    EXPECT_TRUE(ReadFileBytes(dir.File("out/A.dxf")).ends_with("EOF\r\n"));
}

// Two runs at once over one archive, neither forcing: every output is
// written by one of them, and the other refuses it as existing, however
// their saves interleave.
TEST_F(ArchiveRunTest, TwoRunsAtOnceNeverBothWriteAnOutput) {
    for (int i = 0; i < 150; ++i) dir_.Write("archive/many/d" + std::to_string(1000 + i) + ".jwc", Drawing());
    const std::string out = dir_.File("out");
    pid_t children[2];
    for (int run = 0; run < 2; ++run) {
        children[run] = ::fork();
        ASSERT_GE(children[run], 0);
        if (children[run] == 0) {
            Convert({"-r", "-q", "-j", "1", "--output-dir", out, "--report",
                     dir_.File(run == 0 ? "r0.jsonl" : "r1.jsonl")});
            ::_exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    int converted = 0, exists = 0;
    for (const char* report : {"r0.jsonl", "r1.jsonl"})
        for (const auto& [input, result] : Records(ReadFileBytes(dir_.File(report)), archive_)) {
            converted += result == "converted ";
            exists += result == "refused exists";
        }
    EXPECT_EQ(converted, 150 + 5);  // the 150, and the archive's five good drawings
    EXPECT_EQ(exists, 150 + 5);
}

// Entries the walk cannot examine are said with their reason, recorded and
// counted as failed: a drawing below a path too long for the system, and
// links named as drawings that lead nowhere or to themselves.
TEST_F(ArchiveRunTest, SaysWhatItCannotExamine) {
    // Folders nested deeper than the longest path the system takes, made
    // folder by folder relative to the last.
    const std::string part(200, 'd');
    int fd = ::open(archive_.c_str(), O_RDONLY | O_DIRECTORY);
    for (int depth = 0; depth < 25 && fd >= 0; ++depth) {
        ::mkdirat(fd, part.c_str(), 0755);
        const int next = ::openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    ASSERT_GE(fd, 0);
    const int file = ::openat(fd, "deep.jwc", O_WRONLY | O_CREAT, 0644);
    const std::string drawing = Drawing();
    ASSERT_EQ(::write(file, drawing.data(), drawing.size()), static_cast<ssize_t>(drawing.size()));
    ::close(file);
    ::close(fd);
    fs::create_symlink("nowhere.jwc", dir_.File("archive/dangling.jwc"));
    fs::create_symlink("looping.jwc", dir_.File("archive/looping.jwc"));
    const CliRun run = Convert({"-r", "-q", "--output-dir", dir_.File("out"), "--report", dir_.File("r.jsonl")});
    EXPECT_EQ(run.code, kExitSomeFailed);
    EXPECT_NE(run.err.find("archive/dangling.jwc: 調べられません（ファイルまたはフォルダーが見つかりません）"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("archive/looping.jwc: 調べられません（シンボリックリンクが循環しています）"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("（名前が長すぎます）"), std::string::npos) << run.err;
    const std::map<std::string, std::string> records = Records(ReadFileBytes(dir_.File("r.jsonl")), archive_);
    EXPECT_EQ(records.at("dangling.jwc"), "refused unreadable");
    EXPECT_EQ(records.at("looping.jwc"), "refused unreadable");
    EXPECT_EQ(std::ranges::count_if(records, [](const auto& r) { return r.first.starts_with(std::string(200, 'd')); }),
              1);
    std::error_code ec;
    fs::remove_all(archive_, ec);  // the temporary folder's own removal cannot reach so deep a path
}

}  // namespace
}  // namespace orvik::cli
