#include "qtcanvas/TextShapes.h"

#include <QFontMetricsF>
#include <QPointF>
#include <QRawFont>
#include <QTextLayout>
#include <QTextLine>
#include <QTextOption>

#include <cmath>

namespace {

// A quote table of 400 rows has about 2,500 different texts.
constexpr qsizetype kMostShapes = 8192;
// A signal mark is drawn at up to 25 by 25 places past whole pixels (a unit
// is 0.96 pixels on a screen) in a few colours; most texts at a few.
constexpr std::size_t kMostStampsPerShape = 64;
// About 16 MB of kept text pixels.
constexpr qsizetype kMostStampPixels = 4 << 20;

TextShape Shape(const QFont& font, const QString& text, Qt::LayoutDirection direction, QPaintDevice* device)
{
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setTextDirection(direction);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    line.setPosition(QPointF(0, 0));

    TextShape shape;
    shape.runs = layout.glyphRuns();
    // The layout's places are whole 1/64 pixels, so these differences are exact.
    const double baseline = line.ascent();
    for (QGlyphRun& run : shape.runs) {
        QList<QPointF> positions = run.positions();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QRawFont glyphFont = run.rawFont();
        for (qsizetype k = 0; k < positions.size(); ++k) {
            positions[k].ry() -= baseline;
            if (k < glyphs.size())
                shape.ink |= glyphFont.boundingRect(glyphs[k]).translated(positions[k]);
        }
        run.setPositions(positions);
    }
    shape.advance64 = static_cast<int>(std::lround(QFontMetricsF(font, device).horizontalAdvance(text) * 64));
    return shape;
}

}  // namespace

TextShape& TextShapes::Find(const QFont& font, const QString& text, Qt::LayoutDirection direction,
                                  QPaintDevice* device)
{
    if (font != font_ || direction != direction_ || shapes_.size() >= kMostShapes) {
        shapes_.clear();
        stampPixels_ = 0;
        font_ = font;
        direction_ = direction;
    }
    auto found = shapes_.find(text);
    if (found == shapes_.end())
        found = shapes_.insert(text, Shape(font, text, direction, device));
    return *found;
}

TextStamp* TextShapes::StampAt(TextShape& shape, const StampPlace& place)
{
    for (TextStamp& stamp : shape.stamps) {
        if (stamp.place == place)
            return &stamp;
    }
    if (shape.stamps.size() >= kMostStampsPerShape || stampPixels_ >= kMostStampPixels)
        return nullptr;
    return &shape.stamps.emplace_back(TextStamp{place, TextStamp::Stage::New, {}});
}
