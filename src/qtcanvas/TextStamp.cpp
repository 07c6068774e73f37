#include "qtcanvas/TextStamp.h"

#include "qtcanvas/TextShapes.h"

#include <QBrush>
#include <QGlyphRun>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

#include <cmath>

namespace {

// Whole pixels around the cell where the glyphs may reach.
int Margin(const StampPlace& place)
{
    return place.cell.height() + 2;
}

// An image of `size` filled with `fill`, the text drawn on it with its cell
// at `cell` and its glyphs at `start`.
QImage DrawnOn(QRgb fill, QSize size, const TextShape& shape, const StampPlace& place, const QRectF& cell,
               QPointF start, const QPen& pen, const QBrush& background)
{
    QImage image(size, place.format);
    image.fill(fill);
    QPainter scratch(&image);
    scratch.setRenderHints(place.hints);
    scratch.setPen(pen);
    DrawTextShape(scratch, shape, cell, start, background);
    return image;
}

}  // namespace

StampPlace PlaceOf(const QRectF& cell, QPointF start, QRgb colour, QImage::Format format, QPainter::RenderHints hints,
                   QPoint& origin)
{
    origin = QPoint(static_cast<int>(std::floor(start.x())), static_cast<int>(std::floor(start.y())));
    StampPlace place;
    place.colour = colour;
    place.format = format;
    place.hints = hints;
    place.phaseX = static_cast<int>((start.x() - origin.x()) * 64);
    place.phaseY = static_cast<int>((start.y() - origin.y()) * 64);
    // The raster engine fills the pixels between the rounded edges.
    place.cell = QRect(QPoint(qRound(cell.left()), qRound(cell.top())),
                       QPoint(qRound(cell.right()) - 1, qRound(cell.bottom()) - 1))
                     .translated(-origin);
    return place;
}

void DrawTextShape(QPainter& painter, const TextShape& shape, const QRectF& cell, QPointF start,
                   const QBrush& background)
{
    painter.fillRect(cell, background);
    // Whether the painter moves glyphs by its transform depends on its
    // engine, so they are drawn with none, at their device places (a whole
    // number of pixels away from the painter's).
    const QTransform transform = painter.worldTransform();
    const bool moved = !transform.isIdentity();
    if (moved)
        painter.setWorldTransform(QTransform());
    for (const QGlyphRun& run : shape.runs)
        painter.drawGlyphRun(start, run);
    if (moved)
        painter.setWorldTransform(transform);
}

QImage MakeStamp(const TextShape& shape, const StampPlace& place, const QRectF& cell, QPointF start, QPoint origin,
                 const QPen& pen, const QBrush& background)
{
    // The text is drawn again on scratch images a whole number of pixels
    // away, at the same places past whole pixels. Moving by `corner` keeps
    // every place exact while it stays at or after the device's corner.
    const int margin = Margin(place);
    const QPoint corner = origin - QPoint(margin, margin);
    if (place.cell.isEmpty() || corner.x() < 0 || corner.y() < 0)
        return {};
    const QRect wanted = place.cell.translated(margin, margin);
    const QSize size(wanted.right() + 1 + margin, wanted.bottom() + 1 + margin);
    const QRectF scratchCell = cell.translated(-corner);
    const QPointF scratchStart = start - corner;
    // The scratch images must hold every pixel the glyphs may set, a pixel
    // or two past their outlines.
    if (!QRectF(QPointF(0, 0), QSizeF(size)).contains(shape.ink.translated(scratchStart).adjusted(-2, -2, 2, 2)))
        return {};
    // Drawn over black and over white: a pixel the text leaves alone keeps
    // each, one it covers wholly is the same on both. Every pixel in the
    // cell must be covered, and no other touched; so the cell lies where
    // the place says, and a copy sets exactly what drawing sets.
    const QImage overBlack = DrawnOn(0xff000000, size, shape, place, scratchCell, scratchStart, pen, background);
    const QImage overWhite = DrawnOn(0xffffffff, size, shape, place, scratchCell, scratchStart, pen, background);
    for (int y = 0; y < size.height(); ++y) {
        const auto* black = reinterpret_cast<const QRgb*>(overBlack.constScanLine(y));
        const auto* white = reinterpret_cast<const QRgb*>(overWhite.constScanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const bool untouched = black[x] == 0xff000000 && white[x] == 0xffffffff;
            if (wanted.contains(x, y) ? black[x] != white[x] : !untouched)
                return {};
        }
    }
    return overBlack.copy(wanted);
}
