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

}  // namespace
}  // namespace orvik
