#include "cli/PngEncoder.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <random>

namespace {

QImage Decoded(const QByteArray& png)
{
    QImage image;
    image.loadFromData(png, "PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

// An image whose every byte is random: it compresses to more than it holds,
// so the compressed data spans many chunks.
QImage Noise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(17);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(static_cast<int>(random() & 0xFF), static_cast<int>(random() & 0xFF),
                                      static_cast<int>(random() & 0xFF)));
    return image;
}

}  // namespace

TEST(PngEncoder, EveryPixelComesBackAsItWas)
{
    for (const QImage& image : {Noise(1, 1), Noise(1, 300), Noise(300, 1), Noise(400, 300)}) {
        const QImage back = Decoded(EncodePng(image));
        ASSERT_EQ(back.size(), image.size());
        EXPECT_TRUE(back == image) << image.width() << " x " << image.height();
    }
}

TEST(PngEncoder, RowsLikeTheOneAboveAndBlankPagesComeBack)
{
    // Up-filtered rows of zeros, and differences that wrap below zero.
    QImage image(500, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 400; y += 2)
        image.setPixel(y % 500, y, qRgb(0, 1, 254));
    for (int y = 100; y < 300; ++y)
        image.setPixel(250, y, qRgb(12, 200, 7));
    const QByteArray png = EncodePng(image);
    EXPECT_TRUE(Decoded(png) == image);
    EXPECT_LT(png.size(), 500 * 400 / 20);  // it does compress
}

TEST(PngEncoder, KeepsTheResolutionAndDropsTransparency)
{
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30, 255));
    image.setPixel(1, 1, qRgba(200, 100, 50, 0));
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(11811);
    QImage back;
    ASSERT_TRUE(back.loadFromData(EncodePng(image), "PNG"));
    EXPECT_FALSE(back.hasAlphaChannel());
    EXPECT_EQ(back.dotsPerMeterX(), 3780);
    EXPECT_EQ(back.dotsPerMeterY(), 11811);
    EXPECT_EQ(back.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(back.pixel(3, 2), qRgb(10, 20, 30));
}
