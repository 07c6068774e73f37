#include "app/ChartOverlay.h"

#include "qtcanvas/ChartQtText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kPadding = 6;
constexpr int kSwatchWidth = 12;
// The box keeps this far from the pointer, so the pointer never hides it.
constexpr int kBoxOffset = 18;
// The most of the window's width and of its height, in tenths, the box may cover.
constexpr int kMostOfTenthsTheBoxCovers = 6;
const QColor kHairline(40, 40, 40, 170);
const QColor kBoxFill(255, 255, 250);
const QColor kBoxEdge(120, 120, 120);
const QColor kLabelFill(40, 40, 40);
const QColor kRowFill(255, 210, 60, 90);

QString ValuesText(const std::vector<ReadoutValue>& values, std::size_t from, std::size_t to)
{
    QStringList parts;
    for (std::size_t k = from; k < std::min(to, values.size()); ++k)
        parts << ChartText(values[k].title + " " + values[k].text);
    return parts.join(QStringLiteral("  "));
}

// Out of the viewport's bounds on the right or bottom, a box moves to the
// other side of its anchor, and never off the top or left.
QRect PlacedBox(QSize box, QPoint anchor, QSize viewport)
{
    int left = anchor.x() + kBoxOffset;
    if (left + box.width() > viewport.width())
        left = anchor.x() - kBoxOffset - box.width();
    int top = anchor.y() + kBoxOffset;
    if (top + box.height() > viewport.height())
        top = viewport.height() - box.height();
    return QRect(QPoint(std::max(left, 0), std::max(top, 0)), box);
}

}  // namespace

void ChartOverlay::ShowCrosshair(Crosshair crosshair, QSize size, const QFont& font)
{
    font_ = font;
    headingFont_ = font;
    headingFont_.setBold(true);
    row_ = {};
    lines_.clear();
    const BarReadout& bar = crosshair.bar;
    lines_.push_back({ChartText(bar.date), Qt::black, true});
    lines_.push_back({ValuesText(bar.values, 0, 2), Qt::black});
    lines_.push_back({ValuesText(bar.values, 2, 4), Qt::black});
    lines_.push_back({ValuesText(bar.values, 4, 5), Qt::black});
    const PanelReadout& panel = crosshair.panel;
    lines_.push_back({ChartText(panel.panel), QColor(0, 0, 160), true});
    for (const ReadoutValue& value : panel.series)
        lines_.push_back({ChartText(value.title + " " + value.text), Qt::black, false, ChartColour(value.colour)});
    for (const ReadoutMark& mark : panel.marks)
        lines_.push_back({ChartText(MarkTip(mark)), mark.buy ? QColor(0, 128, 0) : QColor(200, 0, 0)});

    const QFontMetrics plain(font_);
    const QFontMetrics heading(headingFont_);
    int width = 0;
    for (const BoxLine& line : lines_)
        width = std::max(width, (line.heading ? heading : plain).horizontalAdvance(line.text) +
                                    (line.swatch ? kSwatchWidth : 0));
    const QSize boxSize(width + 2 * kPadding, static_cast<int>(lines_.size()) * plain.height() + 2 * kPadding);
    // In a window too small for it the box would hide the chart it reads;
    // the status bar still has the readout.
    const bool boxFits = boxSize.width() * 10 <= size.width() * kMostOfTenthsTheBoxCovers &&
                         boxSize.height() * 10 <= size.height() * kMostOfTenthsTheBoxCovers;
    box_ = boxFits ? PlacedBox(boxSize, crosshair.boxAnchor, size) : QRect();

    levelLabel_ = {};
    if (crosshair.level) {
        const QRect text = plain.boundingRect(crosshair.levelText);
        levelLabel_ = QRect(crosshair.labelX, crosshair.level->y1() - plain.height() / 2 - 1, text.width() + 8,
                            plain.height() + 2);
    }
    crosshair_ = std::move(crosshair);
}

void ChartOverlay::ShowRow(QRect row)
{
    crosshair_.reset();
    row_ = row;
}

void ChartOverlay::Hide()
{
    crosshair_.reset();
    row_ = {};
}

QRegion ChartOverlay::region() const
{
    QRegion covered(row_);
    if (!crosshair_)
        return covered;
    for (const auto& [top, bottom] : crosshair_->hairlineRuns)
        covered += QRect(crosshair_->hairlineX - 1, top, 3, bottom - top + 1);
    if (crosshair_->level) {
        const QLine& level = *crosshair_->level;
        covered += QRect(QPoint(level.x1(), level.y1() - 1), QPoint(level.x2(), level.y1() + 1));
        covered += levelLabel_.adjusted(-1, -1, 1, 1);
    }
    if (!box_.isEmpty())
        covered += box_.adjusted(-1, -1, 1, 1);
    return covered;
}

void ChartOverlay::Paint(QPainter& painter) const
{
    if (!row_.isEmpty())
        painter.fillRect(row_, kRowFill);
    if (crosshair_) {
        PaintCrosshair(painter);
        if (!box_.isEmpty())
            PaintBox(painter);
    }
}

void ChartOverlay::PaintCrosshair(QPainter& painter) const
{
    painter.setPen(QPen(kHairline, 0));
    for (const auto& [top, bottom] : crosshair_->hairlineRuns)
        painter.drawLine(crosshair_->hairlineX, top, crosshair_->hairlineX, bottom);
    if (!crosshair_->level)
        return;
    painter.drawLine(*crosshair_->level);
    painter.fillRect(levelLabel_, kLabelFill);
    painter.setPen(Qt::white);
    painter.setFont(font_);
    painter.drawText(levelLabel_, Qt::AlignCenter, crosshair_->levelText);
}

void ChartOverlay::PaintBox(QPainter& painter) const
{
    painter.setPen(kBoxEdge);
    painter.setBrush(kBoxFill);
    painter.drawRect(box_.adjusted(0, 0, -1, -1));
    const int lineHeight = QFontMetrics(font_).height();
    int top = box_.top() + kPadding;
    for (const BoxLine& line : lines_) {
        int left = box_.left() + kPadding;
        if (line.swatch) {
            painter.fillRect(QRect(left, top + lineHeight / 2 - 1, kSwatchWidth - 4, 3), *line.swatch);
            left += kSwatchWidth;
        }
        painter.setFont(line.heading ? headingFont_ : font_);
        painter.setPen(line.colour);
        painter.drawText(QRect(left, top, box_.right() - left, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         line.text);
        top += lineHeight;
    }
}
