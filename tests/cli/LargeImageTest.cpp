#include "cli/LargeImage.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <limits>

TEST(LargeImage, IsAnOrdinaryImageToPaintCopyAndCompare)
{
    QImage image = LargeRgbImage(1152, 3937);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.bytesPerLine(), 1152 * 4);
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        painter.fillRect(QRect(1000, 3900, 152, 37), Qt::red);
    }
    QImage plain(1152, 3937, QImage::Format_RGB32);
    plain.fill(Qt::white);
    for (int y = 3900; y < 3937; ++y)
        for (int x = 1000; x < 1152; ++x)
            plain.setPixel(x, y, qRgb(255, 0, 0));
    EXPECT_TRUE(image == plain);
    // A copy outlives the image it came from.
    const QImage copy = [] {
        QImage first = LargeRgbImage(3, 2);
        first.fill(Qt::blue);
        return first.copy();
    }();
    EXPECT_EQ(copy.pixel(2, 1), qRgb(0, 0, 255));
}

TEST(LargeImage, SizesNoMemoryCanHoldGiveANullImage)
{
    constexpr int kMost = std::numeric_limits<int>::max();
    EXPECT_TRUE(LargeRgbImage(kMost, kMost).isNull());
    EXPECT_TRUE(LargeRgbImage(0, 10).isNull());
    EXPECT_TRUE(LargeRgbImage(10, -1).isNull());
}
