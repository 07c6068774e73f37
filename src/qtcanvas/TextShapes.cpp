#include "qtcanvas/TextShapes.h"

#include <QFontMetricsF>
#include <QPointF>
#include <QTextLayout>
#include <QTextLine>
#include <QTextOption>

#include <cmath>

namespace {

// A quote table of 400 rows has about 2,500 different texts.
constexpr qsizetype kMostShapes = 8192;

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
        for (QPointF& position : positions)
            position.ry() -= baseline;
        run.setPositions(positions);
    }
    shape.advance64 = static_cast<int>(std::lround(QFontMetricsF(font, device).horizontalAdvance(text) * 64));
    return shape;
}

}  // namespace

const TextShape& TextShapes::Find(const QFont& font, const QString& text, Qt::LayoutDirection direction,
                                  QPaintDevice* device)
{
    if (font != font_ || direction != direction_ || shapes_.size() >= kMostShapes) {
        shapes_.clear();
        font_ = font;
        direction_ = direction;
    }
    auto found = shapes_.find(text);
    if (found == shapes_.end())
        found = shapes_.insert(text, Shape(font, text, direction, device));
    return *found;
}
