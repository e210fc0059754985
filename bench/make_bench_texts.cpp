// Writes a drawing of 300,000 texts of 120 characters for the picture
// benchmark: every text the same string, kept once in the pool as a
// drawing's repeated labels are (7.2 MB of drawing, 36 MB of text shown).
//
// Usage: make_bench_texts OUTPUT.jwc
#include <string>

#include "ToolArguments.h"
#include "support/JwcBuilder.h"

using namespace orvik;

int main(int argc, char** argv) {
    const std::vector<std::string> args = ToolArguments(argc, argv, "make_bench_texts OUTPUT.jwc", 1, 1);
    JwcBuilder b;
    b.Paper(2, 518).Group(0, 100, "plan").PoolAt("0000:0000");
    for (int type = 0; type < 11; ++type) b.TextType(type, 0, 20, 25);
    for (int i = 0; i < 300000; ++i) {
        const float x = static_cast<float>(i % 300), y = static_cast<float>(i / 300) * 0.5f;
        if (i == 0)
            b.Text(TextRecord{x, y, x + 1, y, std::string(120, 'A'), std::nullopt, 0, 0, 0});
        else
            b.Text(TextRecord{x, y, x + 1, y, "", 0, static_cast<std::uint8_t>(i % 11),
                              static_cast<std::uint8_t>(i % 16), 0});
    }
    b.WriteTo(args[0]);
    return 0;
}
