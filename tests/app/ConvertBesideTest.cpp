#include "app/ConvertBeside.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/MapStore.h"
#include "support/TempDir.h"

namespace orvik {
namespace {

using testing::MapStore;

std::string Sample() { return testing::ReadFileBytes(std::string(ORVIK_SOURCE_DIR) + "/samples/plan.jwc"); }

// The verb converts beside the drawing with what the window keeps, asks
// before it replaces any DXF (saying when it is newer than the drawing),
// keeps it on no, and converts nothing with kept values the window itself
// would refuse.
TEST(ConvertBeside, FollowsTheKeptSettingsAndAsksBeforeReplacing) {
    enum class Existing { None, Older, Newer };
    struct Case {
        const char* name;
        MapStore kept;
        Existing existing;
        ReplaceAnswer answer;
        bool converted;
        bool reported;
    };
    const Case cases[] = {
        {"nothing kept", {}, Existing::None, ReplaceAnswer::No, true, false},
        {"utf8 kept",
         {{"conversion/pointMode", "1"}, {"conversion/outputFormat", "utf8"}},
         Existing::None,
         ReplaceAnswer::No,
         true,
         false},
        {"older DXF replaced", {}, Existing::Older, ReplaceAnswer::Yes, true, false},
        {"older DXF kept", {}, Existing::Older, ReplaceAnswer::No, false, false},
        {"newer DXF replaced", {}, Existing::Newer, ReplaceAnswer::Yes, true, false},
        {"newer DXF kept", {}, Existing::Newer, ReplaceAnswer::No, false, false},
        {"unusable shrink",
         {{"conversion/pointMode", "1"}, {"conversion/textShrink", "0"}},
         Existing::None,
         ReplaceAnswer::Yes,
         false,
         true},
    };
    for (const Case& c : cases) {
        testing::TempDir dir;
        const std::string drawing = dir.Write("平面図.jwc", Sample());
        const std::string dxf = dir.File("平面図.dxf");
        const auto drawn = std::filesystem::last_write_time(drawing);
        if (c.existing != Existing::None) {
            dir.Write("平面図.dxf", "old");
            std::filesystem::last_write_time(dxf, drawn + std::chrono::hours(c.existing == Existing::Newer ? 1 : -1));
        }
        std::vector<std::string> questions;
        const BesideRun run = ConvertAllBeside({drawing}, c.kept, [&](const std::string& text, bool more) {
            EXPECT_FALSE(more) << c.name;
            questions.push_back(text);
            return c.answer;
        });
        const std::string written = testing::ReadFileBytes(dxf);
        EXPECT_EQ(written.size() > 1000, c.converted) << c.name;
        EXPECT_EQ(!BesideRunReport(run).empty(), c.reported) << c.name;
        EXPECT_EQ(run.AllDone(), !c.reported) << c.name;
        if (c.existing == Existing::None) {
            EXPECT_TRUE(questions.empty()) << c.name;
        } else {
            ASSERT_EQ(questions.size(), 1u) << c.name;
            EXPECT_TRUE(questions[0].starts_with(dxf + "\r\n")) << c.name;
            EXPECT_TRUE(questions[0].ends_with("ファイルはすでに存在します。\r\n上書きしますか？")) << c.name;
            EXPECT_EQ(questions[0].find("図面より新しく") != std::string::npos, c.existing == Existing::Newer)
                << c.name;
        }
        if (c.converted) {
            EXPECT_EQ(written.find("AC1021") != std::string::npos, std::string(c.name) == "utf8 kept") << c.name;
        } else if (c.existing != Existing::None) {
            EXPECT_EQ(written, "old") << c.name;
        }
    }
}

// A selection is one run: "all" answers the question for every later DXF,
// and one report names the first few drawings not converted, counting the rest.
TEST(ConvertBeside, ASelectionIsOneRunWithOneReport) {
    testing::TempDir dir;
    std::vector<std::string> drawings;
    for (const char* name : {"a", "b", "c"}) {
        drawings.push_back(dir.Write(std::string(name) + ".jwc", Sample()));
        dir.Write(std::string(name) + ".dxf", "old");
    }
    for (const char* name : {"도면A", "도면B", "도면C", "도면D"})
        drawings.push_back(dir.Write(std::string(name) + ".jwc", ""));
    std::vector<bool> asked;
    const BesideRun run = ConvertAllBeside(drawings, MapStore{}, [&](const std::string&, bool more) {
        asked.push_back(more);
        return ReplaceAnswer::All;
    });
    EXPECT_EQ(asked, std::vector<bool>{true});
    for (const char* name : {"a", "b", "c"})
        EXPECT_GT(testing::ReadFileBytes(dir.File(std::string(name) + ".dxf")).size(), 1000u);
    EXPECT_FALSE(run.AllDone());
    const std::string report = BesideRunReport(run);
    EXPECT_EQ(report.find(dir.File("a.jwc")), std::string::npos);
    EXPECT_TRUE(report.ends_with("\r\n\r\nほか 1 件")) << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 2 * 2 + 3 * 1 + 2) << report;
}

}  // namespace
}  // namespace orvik
