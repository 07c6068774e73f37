#include "chart/ChartReadout.h"

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

void AddMarks(const PlottedSignals& set, int bar, const char* format, std::vector<ReadoutMark>& marks)
{
    const SignalSet& signals = *set.signals;
    // A level of 0 is no entry, as for Markers.
    for (int k = 0; k < kMarkerEntries; ++k) {
        if (signals.buyLevels[k] != 0 && signals.buyBars[k] == bar)
            marks.push_back({true, std::string(set.rule), signals.buyLevels[k],
                             FormatNumber(format, signals.buyLevels[k])});
        if (signals.sellLevels[k] != 0 && signals.sellBars[k] == bar)
            marks.push_back({false, std::string(set.rule), signals.sellLevels[k],
                             FormatNumber(format, signals.sellLevels[k])});
    }
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
