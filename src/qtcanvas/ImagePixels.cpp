#include "qtcanvas/ImagePixels.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// The painter's line walk keeps places in 16.16 fixed point, so it holds
// its pixels only on images less than 32,768 pixels across and down; larger
// ones are left to the painter.
constexpr int kLargestSide = 32767;

// A place in 26.6 fixed point, cut toward zero as the painter cuts it.
int Fixed(double pixels)
{
    return static_cast<int>(pixels * 64.);
}

// Walks a line of a one-pixel pen with square caps along its major axis `a`
// from a1 to a2 (26.6), its minor axis `b` going from b1 to b2, and plots
// one pixel at each whole step of `a`: the pixels the painter's own line walk
// sets. The caps reach half a pixel past both ends.
template <typename Plot>
void WalkLine(int a1, int b1, int a2, int b2, Plot plot)
{
    if (a1 > a2) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    // The minor axis's step for each whole pixel of the major one, 16.16,
    // cut toward zero.
    const int step = static_cast<int>(static_cast<std::int64_t>(b2 - b1) * 65536 / (a2 - a1));
    int b = b1 * 1024;
    a1 -= 32;
    a2 += 32;
    b -= step >> 1;
    int a = (a1 + 32) >> 6;
    const int end = (a2 + 32) >> 6;
    if (a == end)
        return;
    // From the first end to the middle of the first pixel, rounded up on a
    // rising line.
    b += (((a * 64) + (step > 0 ? 32 : 0) - a1) * step) >> 6;
    for (; a < end; ++a, b += step)
        plot(a, b >> 16);
}

}  // namespace

ImagePixels::ImagePixels(QPainter& painter)
{
    QPaintDevice* device = painter.device();
    QPaintEngine* engine = painter.paintEngine();
    if (device == nullptr || device->devType() != QInternal::Image || engine == nullptr ||
        engine->type() != QPaintEngine::Raster || engine->paintDevice() != device || painter.hasClipping() ||
        !engine->systemClip().isEmpty())
        return;
    auto* image = static_cast<QImage*>(device);
    const QTransform& transform = painter.deviceTransform();
    if ((image->format() != QImage::Format_ARGB32_Premultiplied && image->format() != QImage::Format_RGB32) ||
        !image->isDetached() || image->width() > kLargestSide || image->height() > kLargestSide ||
        transform.type() > QTransform::TxTranslate || std::abs(transform.dx()) > kLargestSide ||
        std::abs(transform.dy()) > kLargestSide || transform.dx() != std::floor(transform.dx()) ||
        transform.dy() != std::floor(transform.dy()))
        return;
    // The painter's engine writes into this very buffer.
    pixels_ = reinterpret_cast<std::uint32_t*>(image->bits());
    pixelsPerRow_ = image->bytesPerLine() / 4;
    format_ = image->format();
    width_ = image->width();
    height_ = image->height();
    moveX_ = static_cast<int>(transform.dx());
    moveY_ = static_cast<int>(transform.dy());
}

void ImagePixels::Fill(QRect area, std::uint32_t argb)
{
    const QRect onImage = area.translated(moveX_, moveY_) & QRect(0, 0, width_, height_);
    for (int y = onImage.top(); y <= onImage.bottom(); ++y)
        std::fill_n(pixels_ + static_cast<std::ptrdiff_t>(y) * pixelsPerRow_ + onImage.left(), onImage.width(), argb);
}

void ImagePixels::Put(const QImage& block, QPoint at)
{
    const auto rowBytes = static_cast<std::size_t>(block.width()) * 4;
    for (int y = 0; y < block.height(); ++y)
        std::memcpy(pixels_ + static_cast<std::ptrdiff_t>(at.y() + y) * pixelsPerRow_ + at.x(), block.constScanLine(y),
                    rowBytes);
}

bool ImagePixels::Draws(QPointF from, QPointF to) const
{
    // The painter draws a line between points it holds equal as a dot.
    const auto onImage = [this](QPointF point) {
        const double x = point.x() + moveX_;
        const double y = point.y() + moveY_;
        return x >= 0 && x < width_ && y >= 0 && y < height_;
    };
    return usable() && !(from == to) && onImage(from) && onImage(to);
}

void ImagePixels::Line(QPointF from, QPointF to, std::uint32_t argb)
{
    const int x1 = Fixed(from.x() + moveX_);
    const int y1 = Fixed(from.y() + moveY_);
    const int x2 = Fixed(to.x() + moveX_);
    const int y2 = Fixed(to.y() + moveY_);
    if (std::abs(x2 - x1) < std::abs(y2 - y1))
        WalkLine(y1, x1, y2, x2, [&](int y, int x) { Set(x, y, argb); });
    else if (x1 != x2)
        WalkLine(x1, y1, x2, y2, [&](int x, int y) { Set(x, y, argb); });
}
