#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <cstdint>

class QPainter;

// The pixels of a 32-bit image a painter draws on, written straight.
//
// Qt's raster engine sets each pixel of a one-pixel pen's line as a span of
// its own and hands every span to its blending code, which costs far more
// than the pixel. Where a painter draws onto such an image in whole pixels
// with no clip, the canvas writes lines and copies kept texts itself: the
// very pixels the painter's own calls set, which the paint tests compare.
class ImagePixels {
public:
    // Lines for the image `painter` paints on, or an object that draws
    // nothing (`usable()` false) where the painter may clip, blend or
    // paint somewhere other than straight into a 32-bit image.
    explicit ImagePixels(QPainter& painter);

    bool usable() const { return pixels_ != nullptr; }
    QImage::Format format() const { return format_; }
    // The painter's whole-pixel translation to the image.
    QPoint move() const { return {moveX_, moveY_}; }

    // Whether `area`, in the image's own pixels, meets the image.
    bool Meets(const QRectF& area) const { return QRectF(0, 0, width_, height_).intersects(area); }
    // Whether `area`, in the image's own pixels, lies wholly on the image.
    bool Holds(QRect area) const { return QRect(0, 0, width_, height_).contains(area); }
    // `block` copied with its top-left corner at `at`, in the image's own
    // pixels; the block must be of the image's format and `Holds` its place.
    void Put(const QImage& block, QPoint at);

    // `area`, in the painter's coordinates, filled with `argb`; the parts off
    // the image are left out.
    void Fill(QRect area, std::uint32_t argb);

    // Whether a line from `from` to `to` (the painter's coordinates) lies
    // where `Line` draws it as the painter's one-pixel pen would: both ends
    // on the image, and not a dot.
    bool Draws(QPointF from, QPointF to) const;
    // The line of a one-pixel pen with square caps, in `argb`; only for a
    // line `Draws` accepts.
    void Line(QPointF from, QPointF to, std::uint32_t argb);

private:
    void Set(int x, int y, std::uint32_t argb)
    {
        if (static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
            static_cast<unsigned>(y) < static_cast<unsigned>(height_))
            pixels_[static_cast<std::ptrdiff_t>(y) * pixelsPerRow_ + x] = argb;
    }

    std::uint32_t* pixels_ = nullptr;
    QImage::Format format_ = QImage::Format_Invalid;
    std::ptrdiff_t pixelsPerRow_ = 0;
    int width_ = 0;
    int height_ = 0;
    // The painter's whole-pixel translation to the image.
    int moveX_ = 0;
    int moveY_ = 0;
};
