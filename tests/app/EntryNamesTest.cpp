#include "app/EntryNames.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

// Whatever names a folder's files carry, an archive's entries stay inside
// the folder it is extracted to and show as what they are.
TEST(ArchiveEntryName, StaysInsideAndShowsWhatItIs) {
    const struct {
        const char* name;
        const char* entry;
    } cases[] = {
        {"plan.dxf", "plan.dxf"},
        {"trav/../../../../escape/x.dxf", "trav/escape/x.dxf"},
        {"trav/..\\..\\..\\..\\escape\\x.dxf", "trav/escape/x.dxf"},
        {"/etc/passwd", "etc/passwd"},
        {"\\\\server\\share\\a.dxf", "server/share/a.dxf"},
        {"a/./b//c.dxf", "a/b/c.dxf"},
        {"plan\xE2\x80\xAE"
         "fdp.dxf",
         "plan_fdp.dxf"},  // U+202E, right-to-left override
        {"a\xE2\x81\xA6"
         "b\xE2\x80\x8F"
         "c\xD8\x9C"
         "d.dxf",
         "a_b_c_d.dxf"},  // an isolate, a mark, the Arabic mark
        {"line\nbreak\t\x7F.dxf", "line_break__.dxf"},
        {"c1\xC2\x85.dxf", "c1_.dxf"},  // NEL
        {"図面/平面図.dxf", "図面/平面図.dxf"},
        {"\xC2\xA0nbsp.dxf", "\xC2\xA0nbsp.dxf"},  // a character that shows stays
        {"..", "_"},
        {"", "_"},
    };
    for (const auto& c : cases) EXPECT_EQ(ArchiveEntryName(c.name), c.entry) << c.name;
}

}  // namespace
}  // namespace orvik
