// Two pictures of one drawing compared as their readers would see them: in
// blocks of 4 x 4 pixels, by their mean grey. Painters draw hairlines and
// glyph edges each their own way (anti-aliased or not), not elsewhere, so a
// block differs only where a shape or text is missing, moved or extra.
#pragma once

#include <QImage>

#include <cstdlib>

namespace orvik::testing {

struct BlockDifference {
    int blocks = 0;
    int differing = 0;  // blocks whose mean grey differs by more than a quarter of the range
};

inline BlockDifference CompareBlocks(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    const auto ink = [](const QImage& image, int bx, int by) {
        int sum = 0;
        for (int py = by * 4; py < by * 4 + 4; ++py)
            for (int px = bx * 4; px < bx * 4 + 4; ++px) sum += qGray(image.pixel(px, py));
        return sum / 16;
    };
    BlockDifference d;
    for (int by = 0; by < x.height() / 4; ++by)
        for (int bx = 0; bx < x.width() / 4; ++bx, ++d.blocks)
            d.differing += std::abs(ink(x, bx, by) - ink(y, bx, by)) > 64;
    return d;
}

}  // namespace orvik::testing
