#include "app/ConvertBeside.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/MapStore.h"
#include "support/TempDir.h"

namespace orvik {
namespace {

using testing::MapStore;

// The verb converts beside the drawing with what the window keeps, keeps a
// DXF newer than the drawing, replaces an older one, and converts nothing
// with kept values the window itself would refuse.
TEST(ConvertBeside, FollowsTheKeptSettingsAndKeepsANewerDxf) {
    enum class Existing { None, Older, Newer };
    struct Case {
        const char* name;
        MapStore kept;
        Existing existing;
        bool converted;
        bool reported;
    };
    const Case cases[] = {
        {"nothing kept", {}, Existing::None, true, false},
        {"utf8 kept",
         {{"conversion/pointMode", "1"}, {"conversion/outputFormat", "utf8"}},
         Existing::None,
         true,
         false},
        {"older DXF", {}, Existing::Older, true, false},
        {"newer DXF", {}, Existing::Newer, false, true},
        {"unusable shrink",
         {{"conversion/pointMode", "1"}, {"conversion/textShrink", "0"}},
         Existing::None,
         false,
         true},
    };
    for (const Case& c : cases) {
        testing::TempDir dir;
        const std::string drawing =
            dir.Write("plan.jwc", testing::ReadFileBytes(std::string(ORVIK_SOURCE_DIR) + "/samples/plan.jwc"));
        const std::string dxf = dir.File("plan.dxf");
        const auto drawn = std::filesystem::last_write_time(drawing);
        if (c.existing != Existing::None) {
            dir.Write("plan.dxf", "old");
            std::filesystem::last_write_time(dxf, drawn + std::chrono::hours(c.existing == Existing::Newer ? 1 : -1));
        }
        const BesideConversion done = ConvertBeside(drawing, c.kept);
        EXPECT_EQ(done.output, dxf) << c.name;
        const std::string written = testing::ReadFileBytes(dxf);
        EXPECT_EQ(written.size() > 1000, c.converted) << c.name;
        EXPECT_EQ(!BesideConversionReport(drawing, done).empty(), c.reported) << c.name;
        if (c.converted) {
            EXPECT_EQ(written.find("AC1021") != std::string::npos, std::string(c.name) == "utf8 kept") << c.name;
        }
        if (c.existing == Existing::Newer) {
            EXPECT_EQ(written, "old") << c.name;
        }
    }
}

}  // namespace
}  // namespace orvik
