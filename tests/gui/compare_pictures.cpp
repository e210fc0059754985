// compare-pictures A.png B.png: exit 0 when the two pictures are the same
// size and fewer than one in a thousand of their 4 x 4 blocks differ (the
// rule the PDF test uses), 1 otherwise, saying how many did.
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "support/PictureBlocks.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: compare-pictures A.png B.png\n");
        return 2;
    }
    const QImage a(QString::fromLocal8Bit(argv[1])), b(QString::fromLocal8Bit(argv[2]));
    if (a.isNull() || b.isNull() || a.size() != b.size()) {
        std::fprintf(stderr, "compare-pictures: %s and %s are not two pictures of one size\n", argv[1], argv[2]);
        return 1;
    }
    const orvik::testing::BlockDifference d = orvik::testing::CompareBlocks(a, b);
    std::printf("%d of %d blocks differ\n", d.differing, d.blocks);
    return d.differing < d.blocks / 1000 ? 0 : 1;
}
