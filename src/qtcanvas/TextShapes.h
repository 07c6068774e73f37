#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>

class QPaintDevice;

// A text as QPainter::drawText lays it out in one font: its glyphs placed
// relative to the start of its baseline, every place a whole number of
// 1/64 pixels, as the painter places glyphs.
struct TextShape {
    QList<QGlyphRun> runs;
    int advance64 = 0;  // the text's width in 1/64 pixels
};

// The shapes of the texts a canvas drew, kept so that a text drawn again,
// in this paint or a later one, is not shaped again. Holds the texts of one
// font at a time: asked for another, it forgets what it had. Bounded.
class TextShapes {
public:
    // The shape of `text` in `font` (a painter's font, resolved for its
    // device) laid out in `direction`.
    const TextShape& Find(const QFont& font, const QString& text, Qt::LayoutDirection direction, QPaintDevice* device);

private:
    QFont font_;
    Qt::LayoutDirection direction_ = Qt::LeftToRight;
    QHash<QString, TextShape> shapes_;
};
