// Writes the archive for the parallel-conversion benchmark: 2,000 small
// drawings (a few hundred elements) in 40 nested folders, and 20 large ones
// (100,000 lines each), some with upper-case names.
//
// Usage: make_bench_archive FOLDER
#include <cstdio>
#include <filesystem>
#include <string>

#include "ToolArguments.h"
#include "support/JwcBuilder.h"

using namespace orvik;

namespace {

std::string DrawingBytes(int lines, int seed) {
    JwcBuilder b;
    b.HeaderTexts("BENCH", std::to_string(seed)).Group(0, 100).Layer(0, "A").Layer(1, "B");
    for (int i = 0; i < lines; ++i) {
        const float x = static_cast<float>((i * 7 + seed) % 1000), y = static_cast<float>((i * 13) % 700);
        b.Line(LineRecord{x, y, x + 3.5f, y + 1.25f, static_cast<std::uint8_t>(1 + i % 9),
                          static_cast<std::uint8_t>(1 + i % 6), static_cast<std::uint8_t>(i % 2)});
    }
    for (int i = 0; i < lines / 10; ++i)
        b.Arc(ArcRecord{static_cast<float>(i % 300), static_cast<float>(i % 200), 2.5f});
    return b.Bytes();
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = ToolArguments(argc, argv, "make_bench_archive FOLDER", 1, 1);
    namespace fs = std::filesystem;
    const fs::path root = args[0];
    const std::string small = DrawingBytes(300, 1), large = DrawingBytes(100000, 2);
    for (int i = 0; i < 2000; ++i) {
        const fs::path folder = root / ("site" + std::to_string(i % 40)) / ("floor" + std::to_string(i % 3));
        fs::create_directories(folder);
        const std::string name = (i % 5 == 0 ? "PLAN" : "plan") + std::to_string(i) + (i % 5 == 0 ? ".JWC" : ".jwc");
        std::FILE* f = std::fopen((folder / name).c_str(), "wb");
        if (!f) return 1;
        std::fwrite(small.data(), 1, small.size(), f);
        std::fclose(f);
    }
    for (int i = 0; i < 20; ++i) {
        const fs::path folder = root / "large";
        fs::create_directories(folder);
        std::FILE* f = std::fopen((folder / ("large" + std::to_string(i) + ".jwc")).c_str(), "wb");
        if (!f) return 1;
        std::fwrite(large.data(), 1, large.size(), f);
        std::fclose(f);
    }
    return 0;
}
