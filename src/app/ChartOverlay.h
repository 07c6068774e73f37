#pragma once

#include "chart/ChartReadout.h"

#include <QColor>
#include <QFont>
#include <QLine>
#include <QRect>
#include <QRegion>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QPainter;

// What the chart view draws over its page while the pointer reads the chart:
// the hairlines, the value at the pointer's height beside the scale and the
// readout box, or on the quote table the row under the pointer. It is laid
// out in viewport pixels and knows the region it covers, so that moving it
// repaints only what it covered before and what it covers now.
class ChartOverlay {
public:
    struct Crosshair {
        int hairlineX = 0;
        std::vector<std::pair<int, int>> hairlineRuns;  // top and bottom of each strip it crosses
        std::optional<QLine> level;                      // across the strip under the pointer
        QString levelText;                               // the value at the level's height
        int labelX = 0;                                  // where the strip's scale labels start
        QPoint boxAnchor;                                // the box hangs beside this point
        BarReadout bar;
        PanelReadout panel;
    };

    // Lays the crosshair out within a viewport of `size`, its box written in `font`.
    void ShowCrosshair(Crosshair crosshair, QSize size, const QFont& font);
    void ShowRow(QRect row);
    void Hide();

    bool shown() const { return crosshair_.has_value() || !row_.isEmpty(); }
    // Everything Paint draws on.
    QRegion region() const;
    void Paint(QPainter& painter) const;

private:
    struct BoxLine {
        QString text;
        QColor colour;
        bool heading = false;
        std::optional<QColor> swatch = std::nullopt;  // a series' colour, before its text
    };

    void PaintCrosshair(QPainter& painter) const;
    void PaintBox(QPainter& painter) const;

    std::optional<Crosshair> crosshair_;
    std::vector<BoxLine> lines_;
    QRect box_;
    QRect levelLabel_;
    QFont font_;
    QFont headingFont_;
    QRect row_;
};
