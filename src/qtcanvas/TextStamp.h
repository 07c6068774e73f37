#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRgb>

class QBrush;
class QPen;
class QPointF;
class QRectF;
struct TextShape;

// Where a text's pixels fall against the pixel grid, and in what colour.
// The canvas fills a text's white cell and then draws its glyphs; two texts
// of one shape with the same place leave the same pixels, a whole number of
// pixels apart.
struct StampPlace {
    QRgb colour = 0;
    QImage::Format format = QImage::Format_Invalid;
    QPainter::RenderHints hints;
    // The glyphs' start past its whole pixel, in 1/64 pixels.
    int phaseX = 0;
    int phaseY = 0;
    // The cell's pixels, from that whole pixel.
    QRect cell;
    friend bool operator==(const StampPlace&, const StampPlace&) = default;
};

// The place of a text whose white cell the painter fills at `cell` and whose
// glyphs start at `start`, both in device pixels; `origin` receives the
// whole pixel the glyphs start in.
StampPlace PlaceOf(const QRectF& cell, QPointF start, QRgb colour, QImage::Format format, QPainter::RenderHints hints,
                   QPoint& origin);

// A text's pixels at one place, kept to draw the text again as a copy.
struct TextStamp {
    // Made on the second draw at the place: one draw is not worth the two a
    // stamp takes.
    enum class Stage { New, DrawnOnce, Made };
    StampPlace place;
    Stage stage = Stage::New;
    // Null where the text draws outside its cell, over pixels a copy
    // cannot know.
    QImage pixels;
};

// How the canvas draws a text: the white cell, then the glyphs, placed
// without the painter's transform at `start` (device pixels).
void DrawTextShape(QPainter& painter, const TextShape& shape, const QRectF& cell, QPointF start,
                   const QBrush& background);

// The pixels `shape` leaves in its cell when a painter draws it with `pen`
// and `background` at `cell` and `start` (device pixels), the place of
// which PlaceOf gave as `place` and `origin`. Null unless every pixel it sets
// lies in that cell, where none depends on what was there before.
QImage MakeStamp(const TextShape& shape, const StampPlace& place, const QRectF& cell, QPointF start, QPoint origin,
                 const QPen& pen, const QBrush& background);
