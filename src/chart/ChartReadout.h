#pragma once

#include "chart/Canvas.h"
#include "chart/ChartInput.h"
#include "chart/PanelView.h"

#include <optional>
#include <string>
#include <vector>

// What a user reads at one bar of the chart page: the bar itself and, for a
// strip, every series it draws and every mark it sets there.

// Shown for an entry the analysis left without a value.
inline constexpr std::string_view kNoValue = "\u2013";

// One value with its display text; no value prints kNoValue.
struct ReadoutValue {
    std::string title;
    Rgb colour;
    std::optional<double> value;
    std::string text;
};

// A buy or sell mark at the bar, with the rule that set it and its level on
// the strip's scale.
struct ReadoutMark {
    bool buy = true;
    std::string rule;
    double level = 0;
    std::string text;
};

// The bar's date as its source gave it, and open, high, low, close and volume
// as the quote table prints them; 0 is no value. Empty for a bar not loaded.
struct BarReadout {
    int bar = 0;
    std::string date;
    std::vector<ReadoutValue> values;
};

struct PanelReadout {
    std::string panel;
    std::vector<ReadoutValue> series;
    std::vector<ReadoutMark> marks;  // in the order the rules found them
};

BarReadout ReadBar(const QuoteSeries& store, int bar);

// A series entry is a value when the strip draws a point there and it is not
// 0; it prints with as many significant digits as the strip's grid labels.
PanelReadout ReadPanel(const PanelView& panel, int bar);

// The mark drawn over (x, distance) of the strip, the nearest when marks
// overlap: each "o" stands centred on its bar's x, a unit below its level.
// Nothing where no mark is drawn.
std::optional<ReadoutMark> MarkAtPoint(const PanelView& panel, int x, int distance);

// The tooltip of a mark: "Buy: Stochastic Oscillator at 49.965".
std::string MarkTip(const ReadoutMark& mark);

// The one-line form of a readout, for a status bar: the date, the bar's
// values, then the strip's name and its series.
std::string ReadoutLine(const BarReadout& bar, const PanelReadout& panel);
