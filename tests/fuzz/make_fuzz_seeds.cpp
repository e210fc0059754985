// Writes the seed corpus for the JWC reader's fuzz target: well-formed
// drawings of every shape the builder can make, and a few broken ones.
//
// Usage: make_fuzz_seeds FOLDER
#include <cstdio>
#include <string>

#include "support/JwcBuilder.h"

using namespace orvik;
using namespace orvik::testing;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    auto write = [&](const std::string& name, const JwcBuilder& b) { b.WriteTo(folder + "/" + name + ".jwc"); };

    JwcBuilder full;
    full.HeaderTexts("seed", "drawing").Group(0, 100, "plan").Group(1, 50).Layer(0, "wall").Layer(17, "ABCDEFGH");
    full.TextType(0, 7, 25, 30).Line(TSen{1, 2, 3, 4, 1, 2, 0, 0, 64, 0}).Line(TSen{3, 4, 5, 6, 5, 1, 17, 0, 192, 0});
    full.Arc(ArcRecord{0, 0, 5}).Arc(ArcRecord{1, 1, 2, 5000, AngleUnits(30), AngleUnits(-60), AngleUnits(15), 9});
    full.Text(TextRecord{0, 0, 10, 0, "text"}).Text(TextRecord{0, 0, 0, -10, "\x8F\x63", std::nullopt, 3, 1, 32});
    full.Point(TTen{1, 1, 0, 1}).VirtualPoint(2, 2, 0);
    write("full", full);

    JwcBuilder words = full;
    write("word-scales", words.FloatScales(false));
    write("empty", JwcBuilder{});
    JwcBuilder pool = full;
    write("pool-positions", pool.PoolAt("0010:0000").PoolBytes(std::string("abc\0def", 7)).Text(TextRecord{0, 0, 1, 0, "", 0x104}));
    JwcBuilder shortBlock;
    write("short-block", shortBlock.SetBlock(2, "1,0,0,0,0").Line(TSen{}));
    JwcBuilder badField = full;
    write("bad-field", badField.SetField(3, 7, "1.5"));
    JwcBuilder hugeCount = full;
    write("huge-count", hugeCount.SetField(2, 1, "2000000000"));
    return 0;
}
