#include "gui/ColorComboBox.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace orvik {
namespace {

void AddSeven(ColorComboBox& box) {
    const int colors[] = {RgbValue(255, 0, 0), RgbValue(255, 255, 0), RgbValue(0, 255, 0),    RgbValue(0, 255, 255),
                          RgbValue(0, 0, 255), RgbValue(255, 0, 255), RgbValue(255, 255, 255)};
    for (int i = 0; i < 7; ++i) box.AddColor(colors[i], i + 1);
}

TEST(ColorComboBox, SelectsByColourNumber) {
    ColorComboBox box;
    AddSeven(box);
    EXPECT_EQ(box.count(), 7);
    EXPECT_EQ(box.itemText(3), "");
    EXPECT_EQ(box.GetItemColor(0), 255);  // red in the low byte
    EXPECT_EQ(box.GetItemColor(4), 0xFF0000);
    box.SetColorNumber(4);
    EXPECT_EQ(box.currentIndex(), 3);
    EXPECT_EQ(box.ColorNumber(), 4);
    box.SetColorNumber(9);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.ColorNumber(), 0);
}

TEST(ColorComboBox, TheSwatchFollowsTheBoxWidth) {
    const QRect swatch = SwatchRect(QRect(0, 0, 50, 16), 73, 17);
    EXPECT_EQ(swatch.left(), 2);
    EXPECT_EQ(swatch.left() + swatch.width(), 48);  // exclusive
    EXPECT_EQ(swatch.top(), 2);
    EXPECT_EQ(swatch.top() + swatch.height(), 14);
    EXPECT_EQ(SwatchRect(QRect(10, 32, 50, 16), 73, 17), QRect(12, 34, 46, 12));
}

TEST(ColorComboBox, PaintsTheSwatchInsideABlackOutline) {
    ColorComboBox box;
    AddSeven(box);
    box.resize(73, 20);
    QImage image(73, 16, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    box.DrawItem(painter, 3, QRect(0, 0, 73, 16), false);
    painter.end();
    const int right = 73 - box.ScrollWidth() - 8;  // exclusive
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(right - 1, 13), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 8), QColor(0, 255, 255));  // cyan inside
    EXPECT_NE(image.pixelColor(right, 8), QColor(Qt::black));  // the right edge itself is outside
    EXPECT_NE(image.pixelColor(1, 1), QColor(Qt::black));
}

}  // namespace
}  // namespace orvik
