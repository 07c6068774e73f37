#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRectF>
#include <QString>

#include "qtcanvas/TextStamp.h"

#include <vector>

class QPaintDevice;

// A text as QPainter::drawText lays it out in one font: its glyphs placed
// relative to the start of its baseline, every place a whole number of
// 1/64 pixels, as the painter places glyphs.
struct TextShape {
    QList<QGlyphRun> runs;
    int advance64 = 0;  // the text's width in 1/64 pixels
    QRectF ink;  // where its glyphs' outlines reach, from the start of its baseline
    // Its pixels at the places it was drawn at more than once.
    std::vector<TextStamp> stamps;
};

// The shapes of the texts a canvas drew, kept so that a text drawn again,
// in this paint or a later one, is not shaped again. Holds the texts of one
// font at a time: asked for another, it forgets what it had. Bounded.
class TextShapes {
public:
    // The shape of `text` in `font` (a painter's font, resolved for its
    // device) laid out in `direction`.
    TextShape& Find(const QFont& font, const QString& text, Qt::LayoutDirection direction, QPaintDevice* device);

    // The stamp of `shape` (found here) at `place`, added if there is room:
    // null where the shape keeps as many as it may, or all of them together
    // as many pixels as they may.
    TextStamp* StampAt(TextShape& shape, const StampPlace& place);
    // Counts a made stamp's pixels against the bound.
    void Made(const TextStamp& stamp) { stampPixels_ += stamp.pixels.width() * stamp.pixels.height(); }

private:
    QFont font_;
    Qt::LayoutDirection direction_ = Qt::LeftToRight;
    QHash<QString, TextShape> shapes_;
    qsizetype stampPixels_ = 0;
};
