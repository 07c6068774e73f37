#include "chart/ChartReadout.h"

#include <cstdlib>

namespace {

// The significant digits of the grid labels ("%-6.5g", "%-14.12g").
const char* PanelFormat(const PanelView& panel)
{
    return panel.longLabels ? "%.12g" : "%.5g";
}

ReadoutValue Value(std::string_view title, Rgb colour, double value, bool defined, const char* format)
{
    if (!defined)
        return {std::string(title), colour, std::nullopt, std::string(kNoValue)};
    return {std::string(title), colour, value, FormatNumber(format, value)};
}

ReadoutMark Mark(bool buy, std::string_view rule, double level, const char* format)
{
    return {buy, std::string(rule), level, FormatNumber(format, level)};
}

void AddMarks(const PlottedSignals& set, int bar, const char* format, std::vector<ReadoutMark>& marks)
{
    const SignalSet& signals = *set.signals;
    // A level of 0 is no entry, as for Markers.
    for (int k = 0; k < kMarkerEntries; ++k) {
        if (signals.buyLevels[k] != 0 && signals.buyBars[k] == bar)
            marks.push_back(Mark(true, set.rule, signals.buyLevels[k], format));
        if (signals.sellLevels[k] != 0 && signals.sellBars[k] == bar)
            marks.push_back(Mark(false, set.rule, signals.sellLevels[k], format));
    }
}

// How far from its centre a mark's "o" still counts as under the pointer.
constexpr int kMarkHalfWidth = 5;
constexpr int kMarkHalfHeight = 6;

void AppendValues(const std::vector<ReadoutValue>& values, std::string& line)
{
    for (const ReadoutValue& value : values)
        line += "  " + value.title + " " + value.text;
}

}  // namespace

BarReadout ReadBar(const QuoteSeries& store, int bar)
{
    const char* price = "%.6g";
    if (bar < 0 || bar >= store.BarsLoaded())
        return {bar, {}, {}};
    return {bar,
            store.dates[bar],
            {Value("Open", Colour::kBlack, store.open[bar], store.open[bar] != 0, price),
             Value("High", Colour::kBlack, store.high[bar], store.high[bar] != 0, price),
             Value("Low", Colour::kBlack, store.low[bar], store.low[bar] != 0, price),
             Value("Close", Colour::kBlack, store.close[bar], store.close[bar] != 0, price),
             Value("Volume", Colour::kBlack, store.volume[bar], store.volume[bar] > 0, "%.10g")}};
}

PanelReadout ReadPanel(const PanelView& panel, int bar)
{
    const char* format = PanelFormat(panel);
    PanelReadout readout{std::string(panel.name), {}, {}};
    for (const PlottedSeries& series : panel.series) {
        const bool drawn = bar >= 0 && bar < series.drawnBars && bar < kMaxBars;
        const double value = drawn ? (*series.values)[bar] : 0;
        readout.series.push_back(Value(series.title, series.colour, value, value != 0, format));
    }
    for (const PlottedSignals& set : panel.signals)
        AddMarks(set, bar, format, readout.marks);
    return readout;
}

std::optional<ReadoutMark> MarkAtPoint(const PanelView& panel, int x, int distance)
{
    const ChartArea& chart = panel.chart;
    if (chart.scale.divisions < 1 || !chart.Plots())
        return std::nullopt;
    const char* format = PanelFormat(panel);
    std::optional<ReadoutMark> nearest;
    int nearestOffset = 0;
    const auto consider = [&](bool buy, std::string_view rule, int bar, double level) {
        if (level == 0)
            return;
        const int dx = std::abs(BarX(bar, chart.barWidth) - x);
        const int dy = std::abs(chart.ValueDistance(level) + 1 - distance);
        if (dx > kMarkHalfWidth || dy > kMarkHalfHeight || (nearest && dx + dy >= nearestOffset))
            return;
        nearest = Mark(buy, rule, level, format);
        nearestOffset = dx + dy;
    };
    for (const PlottedSignals& set : panel.signals) {
        const SignalSet& signals = *set.signals;
        for (int k = 0; k < kMarkerEntries; ++k) {
            consider(true, set.rule, signals.buyBars[k], signals.buyLevels[k]);
            consider(false, set.rule, signals.sellBars[k], signals.sellLevels[k]);
        }
    }
    return nearest;
}

std::string MarkTip(const ReadoutMark& mark)
{
    return std::string(mark.buy ? "Buy: " : "Sell: ") + mark.rule + " at " + mark.text;
}

std::string ReadoutLine(const BarReadout& bar, const PanelReadout& panel)
{
    std::string line = bar.date;
    AppendValues(bar.values, line);
    line += "   " + panel.panel + ":";
    AppendValues(panel.series, line);
    return line;
}
