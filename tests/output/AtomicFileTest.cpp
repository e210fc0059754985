#include "output/AtomicFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "failure/Failure.h"
#include "support/TempDir.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::TempDir;

std::size_t EntriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

// Saves "new" at dir/out.dxf; the reason of the refusal, or "" when saved.
std::string SaveNew(const TempDir& dir) {
    try {
        AtomicFile file(dir.File("out.dxf"));
        file.Write("new");
        file.Commit();
        return "";
    } catch (const FailureError& e) {
        return Cp932ToUtf8(e.what());
    }
}

TEST(AtomicFile, ReplacesOnlyARegularFileOrNothing) {
    struct Case {
        const char* what;
        std::function<void(const TempDir&)> place;  // what stands at out.dxf before
        const char* reason;  // "" when the save succeeds
    };
    const Case cases[] = {
        {"nothing", [](const TempDir&) {}, ""},
        {"a regular file", [](const TempDir& d) { d.Write("out.dxf", "old"); }, ""},
        {"a folder", [](const TempDir& d) { fs::create_directories(d.File("out.dxf/inner")); }, "（フォルダーです）"},
        {"a FIFO", [](const TempDir& d) { ::mkfifo(d.File("out.dxf").c_str(), 0600); },
         "（通常のファイルではありません）"},
        {"a symbolic link", [](const TempDir& d) { fs::create_symlink(d.Write("target", "kept"), d.File("out.dxf")); },
         "（通常のファイルではありません）"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        c.place(dir);
        const std::size_t before = EntriesIn(dir.File(""));
        const std::string reason = SaveNew(dir);
        SCOPED_TRACE(c.what);
        if (*c.reason == '\0') {
            EXPECT_EQ(reason, "");
            EXPECT_EQ(ReadFileBytes(dir.File("out.dxf")), "new");
            EXPECT_EQ(fs::status(dir.File("out.dxf")).permissions() & fs::perms::owner_write, fs::perms::owner_write);
        } else {
            EXPECT_EQ(reason, "ファイル " + dir.File("out.dxf") + " を作成できません" + c.reason);
            EXPECT_NE(fs::symlink_status(dir.File("out.dxf")).type(), fs::file_type::regular);
        }
        EXPECT_EQ(EntriesIn(dir.File("")), std::max<std::size_t>(before, 1));  // no temporary file left
    }
    TempDir dir;
    EXPECT_THROW(AtomicFile(dir.File("missing/out.dxf")), FailureError);
}

TEST(AtomicFile, AnUncommittedSaveLeavesTheOldFile) {
    TempDir dir;
    dir.Write("out.dxf", "old");
    {
        AtomicFile file(dir.File("out.dxf"));
        file.Write("half of it");
    }
    EXPECT_EQ(ReadFileBytes(dir.File("out.dxf")), "old");
    EXPECT_EQ(EntriesIn(dir.File("")), 1u);
}

TEST(AtomicFile, SavesUnderTheLongestNameTheFileSystemTakes) {
    TempDir dir;
    const std::string name = std::string(251, 'x') + ".dxf";  // 255 bytes
    AtomicFile file(dir.File(name));
    EXPECT_LT(fs::path(file.TemporaryPath()).filename().string().size(), 80u);
    file.Write("new");
    file.Commit();
    EXPECT_EQ(ReadFileBytes(dir.File(name)), "new");
}

TEST(AtomicFile, RemovesStaleTemporaryFilesOfItsOutputOnly) {
    TempDir dir;
    const timeval anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    auto temporary = [&](const std::string& name, bool old) {
        const std::string path = dir.Write(name, "left over");
        if (old) ::utimes(path.c_str(), anHourAgo);
        return path;
    };
    const std::string stale = temporary(".out.dxf.Ab12Cd", true);
    const std::string fresh = temporary(".out.dxf.Ef34Gh", false);  // its writer may not have locked it yet
    const std::string otherOutput = temporary(".other.dxf.Ij56Kl", true);
    const std::string locked = temporary(".out.dxf.Mn78Op", true);  // a save under way
    const int holder = ::open(locked.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);

    EXPECT_EQ(SaveNew(dir), "");
    EXPECT_FALSE(fs::exists(stale));
    for (const std::string& kept : {fresh, otherOutput, locked}) EXPECT_TRUE(fs::exists(kept)) << kept;
    ::close(holder);
}

TEST(AtomicFile, ASignalRemovesTheTemporaryFile) {
    TempDir dir;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RemoveTemporaryFilesOnSignals();
        AtomicFile file(dir.File("out.dxf"));
        file.Write("half of it");
        ::raise(SIGTERM);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(EntriesIn(dir.File("")), 0u);
}

TEST(FileIdentity, ComparesFilesNotNames) {
    TempDir dir;
    const std::string a = dir.Write("a.jwc", "drawing");
    const std::string b = dir.Write("b.jwc", "drawing");
    fs::create_hard_link(a, dir.File("hard.jwc"));
    fs::create_symlink(a, dir.File("soft.jwc"));
    fs::create_directory(dir.File("sub"));
    struct Case {
        std::string other;
        bool same;
    };
    const Case cases[] = {
        {a, true},  {dir.File("sub/../a.jwc"), true}, {dir.File("hard.jwc"), true}, {dir.File("soft.jwc"), true},
        {b, false}, {dir.File("missing.dxf"), false},
    };
    os::FileId first, second;
    ASSERT_TRUE(os::IdentityOf(a, first));
    for (const auto& c : cases) EXPECT_EQ(os::IdentityOf(c.other, second) && second == first, c.same) << c.other;
}

// Saves on many threads at once give every file the mode any new file gets
// (0666 less the umask) and leave the process's umask as it was.
TEST(AtomicFile, ConcurrentSavesKeepTheUmask) {
    TempDir dir;
    for (const mode_t mask : {mode_t{022}, mode_t{077}}) {
        const mode_t before = ::umask(mask);
        std::vector<std::thread> threads;
        for (int t = 0; t < 8; ++t)
            threads.emplace_back([&, t] {
                for (int i = 0; i < 25; ++i) SaveFile(dir.File(std::to_string(t * 100 + i) + ".dxf"), "x", {});
            });
        for (std::thread& t : threads) t.join();
        EXPECT_EQ(::umask(before), mask);
        for (const auto& e : fs::directory_iterator(dir.Folder())) {
            struct stat info {};
            ::stat(e.path().c_str(), &info);
            EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << e.path();
            fs::remove(e.path());
        }
    }
}

// Without leave to replace, a file that is there, or appears while the save
// is written (another run), is kept and the save refused; the files the run
// reads are refused under any name, even with leave to replace.
TEST(AtomicFile, RulesKeepExistingFilesAndInputs) {
    TempDir dir;
    const std::string input = dir.Write("in.jwc", "drawing");
    fs::create_hard_link(input, dir.File("in.dxf"));
    os::FileId id;
    ASSERT_TRUE(os::IdentityOf(input, id));
    const auto refusal = [](const std::function<void()>& save) {
        try {
            save();
            return std::string("saved");
        } catch (const FailureError& e) {
            const Reason why = e.ReasonOf();
            return std::string(why == Reason::Exists          ? "exists: "
                               : why == Reason::OutputIsInput ? "input: "
                                                              : "other: ") +
                   Cp932ToUtf8(e.what());
        }
    };
    const SaveRules keep{false, {}}, protect{true, {id}};
    dir.Write("there.dxf", "there");
    EXPECT_EQ(refusal([&] { SaveFile(dir.File("there.dxf"), "new", keep); }),
              "exists: ファイル " + dir.File("there.dxf") + " を作成できません（ファイルはすでに存在します。）");
    EXPECT_EQ(refusal([&] {
                  AtomicFile file(dir.File("late.dxf"), keep);
                  file.Write("new");
                  dir.Write("late.dxf", "other run");
                  file.Commit();
              }).substr(0, 8),
              "exists: ");
    EXPECT_EQ(refusal([&] { SaveFile(dir.File("in.dxf"), "new", protect); }),
              "input: ファイル " + dir.File("in.dxf") + " を作成できません（入力の図面と同じファイルです）");
    EXPECT_EQ(refusal([&] { SaveFile(dir.File("fresh.dxf"), "new", keep); }), "saved");
    EXPECT_EQ(ReadFileBytes(dir.File("there.dxf")), "there");
    EXPECT_EQ(ReadFileBytes(dir.File("late.dxf")), "other run");
    EXPECT_EQ(ReadFileBytes(input), "drawing");
    EXPECT_EQ(EntriesIn(dir.Folder()), 5u);  // no temporary file left
}

}  // namespace
}  // namespace orvik
