#include "jww/JwwWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "jww/JwwReader.h"
#include "output/ByteSink.h"
#include "support/JwwBuilder.h"
#include "support/JwwSamples.h"

namespace orvik {
namespace {

std::string WrittenBack(const std::string& bytes, Failure* error = nullptr) {
    JwwDrawing read;
    ReadJww(bytes, read, error, true);
    StringSink sink;
    WriteJww(read, sink);
    return sink.Text();
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The first byte where two files differ, or -1.
std::int64_t FirstDifference(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return static_cast<std::int64_t>(i);
    return a.size() == b.size() ? -1 : static_cast<std::int64_t>(n);
}

// JW_CAD's own files, read and written again, are the same bytes.
TEST(JwwWriter, RealDrawingsComeBackByteForByte) {
    const std::filesystem::path folder = testing::JwwSamplesFolder();
    if (folder.empty()) GTEST_SKIP() << "no real drawings beside the project";
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".jww") continue;
        const std::string bytes = FileBytes(entry.path());
        Failure error;
        const std::string back = WrittenBack(bytes, &error);
        EXPECT_EQ(error.reason, Reason::None) << entry.path();
        EXPECT_EQ(FirstDifference(back, bytes), -1) << entry.path() << ": " << back.size() << " of " << bytes.size();
        ++compared;
    }
    EXPECT_GE(compared, 5);
}

// A small drawing of the version, its strings in the form given, with the
// text "XX" and, when `many`, points past MFC's 16-bit object tags.
std::string Made(std::uint32_t version, bool utf16, bool many = false) {
    JwwDrawing d = NewJwwDrawing(version);
    d.form.utf16Strings = utf16;
    d.header.memo = "memo";
    Append(d.elements, JwwLine{{}, 0, 0, 10, 10});
    Append(d.elements, JwwText{{}, 0, 0, 5, 0, 1, 2.5, 2.5, 0, 0, "font", "XX"});
    for (int i = 0; many && i < 40000; ++i) Append(d.elements, JwwPoint{{}, double(i), 0, 0});
    if (version >= 700) d.images.push_back({"a.png.gz", 0, std::string("\x89PNG") + std::string(300, 'p')});
    return BuildJww(d).bytes;
}

std::string Replaced(std::string bytes, std::string_view from, std::string_view to) {
    const std::size_t at = bytes.find(from);
    return at == std::string::npos ? std::string() : bytes.replace(at, from.size(), to);
}

// Where the header's runs of other fields begin: after the memo (a CP932
// "memo": 5 bytes), the paper, the write group and the 16 groups.
constexpr std::size_t kOtherFieldsAt = 12 + 5 + 8 + 16 * 148;

// Files whose forms the writer would not choose itself come back as they
// were: the forms are kept where the file model does not hold them.
TEST(JwwWriter, FormsOfTheFileComeBack) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string settings = Made(600, false);
    for (std::size_t i = 0; i < 56; ++i) settings[kOtherFieldsAt + i] = static_cast<char>(0xA0 + i);
    const Case cases[] = {
        {"the header's other fields", settings},
        {"a character CP932 cannot hold", Replaced(Made(700, true), "X\0X\0"s, "\x3D\xD8\x00\xDE"s)},
        {"an unpaired surrogate", Replaced(Made(700, true), "X\0X\0"s, "\x00\xD8X\0"s)},
        {"a CP932 string among UTF-16 ones", Replaced(Made(700, true), "\xFF\xFE\xFF\x02X\0X\0"s, "\x02XX"s)},
        {"UTF-16 among CP932 strings", Replaced(Made(600, false), "\x02XX"s, "\xFF\xFE\xFF\x02X\0X\0"s)},
        {"a longer length form", Replaced(Made(600, false), "\x02XX"s, "\xFF\x02\x00XX"s)},
        {"a class's own schema", Replaced(Made(700, true),
                                          "\xFF\xFF\xBC\x02\x08\x00"
                                          "CDataSen"s,
                                          "\xFF\xFF\x58\x02\x08\x00"
                                          "CDataSen"s)},
        {"32-bit object tags", Made(700, true, true)},
        {"a newer version", Made(701, true)},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.bytes.empty()) << c.what;
        Failure error;
        const std::string back = WrittenBack(c.bytes, &error);
        EXPECT_EQ(error.reason, Reason::None) << c.what;
        EXPECT_EQ(FirstDifference(back, c.bytes), -1) << c.what;
    }
}

// What the file model does not hold is not taken when the model says
// otherwise: a changed string is written in the drawing's form.
TEST(JwwWriter, AChangedStringIsWrittenAnew) {
    using namespace std::string_literals;
    const std::string longForm = Replaced(Made(600, false), "\x02XX"s, "\xFF\x02\x00XX"s);
    JwwDrawing read;
    ASSERT_TRUE(ReadJww(longForm, read, nullptr, true));
    read.elements.texts[0].text = "YY";
    StringSink sink;
    WriteJww(read, sink);
    EXPECT_EQ(sink.Text(), Replaced(Made(600, false), "\x02XX"s, "\x02YY"s));
}

// A file cut anywhere is read as far as it goes, and what was read is
// written as a whole file that reads back to its end.
TEST(JwwWriter, ADrawingReadInPartIsWrittenWhole) {
    const std::string bytes = Made(700, true);
    int written = 0;
    for (std::size_t cut = 12; cut < bytes.size(); cut += 29) {
        JwwDrawing read;
        ReadJww(bytes.substr(0, cut), read, nullptr, true);
        StringSink sink;
        WriteJww(read, sink);
        JwwDrawing again;
        Failure error;
        EXPECT_TRUE(ReadJww(sink.Text(), again, &error)) << cut << ": " << static_cast<int>(error.reason);
        ++written;
    }
    EXPECT_GT(written, 50);
}

}  // namespace
}  // namespace orvik
