#include "cli/AnalysisJson.h"

#include "document/CTarnwickDoc.h"

#include <vector>

using nlohmann::ordered_json;

namespace {

template <typename Array>
ordered_json FirstEntries(const Array& values, int count)
{
    using Value = typename Array::value_type;
    return std::vector<Value>(values.begin(), values.begin() + count);
}

ordered_json SignalSetToJson(const SignalSet& set)
{
    return {{"buyBars", FirstEntries(set.buyBars, set.buyCount)},
            {"buyLevels", FirstEntries(set.buyLevels, set.buyCount)},
            {"sellBars", FirstEntries(set.sellBars, set.sellCount)},
            {"sellLevels", FirstEntries(set.sellLevels, set.sellCount)},
            {"buyCount", set.buyCount},
            {"buyToday", set.buyToday},
            {"sellCount", set.sellCount},
            {"sellToday", set.sellToday}};
}

template <typename Module>
ordered_json ModuleToJson(const Module& module, int bars)
{
    ordered_json object = ordered_json::object();
    for (const NamedSeries& series : module.AllSeries())
        object[series.name] = FirstEntries(*series.values, bars);
    for (const NamedSignalSet& signals : module.AllSignalSets())
        object[signals.name] = SignalSetToJson(*signals.signals);
    return object;
}

ordered_json LatestQuoteToJson(const LatestQuote& quote)
{
    return {{"lastTrade", quote.lastTrade}, {"prevClose", quote.prevClose}, {"quoteVolume", quote.quoteVolume},
            {"dayLow", quote.dayLow},       {"dayHigh", quote.dayHigh},     {"dayOpen", quote.dayOpen},
            {"yearLow", quote.yearLow},     {"yearHigh", quote.yearHigh},   {"tradeStamp", quote.tradeStamp},
            {"changeText", quote.changeText}};
}

}  // namespace

ordered_json AnalysisToJson(const CTarnwickDoc& document)
{
    const QuoteSeries& store = document.store;
    const int bars = store.BarsLoaded();
    const int marks = store.MonthMarkCount();

    ordered_json json;
    json["symbol"] = document.loadedSymbol;
    json["barCount"] = store.barCount;
    json["dates"] = FirstEntries(store.dates, bars);
    json["open"] = FirstEntries(store.open, bars);
    json["high"] = FirstEntries(store.high, bars);
    json["low"] = FirstEntries(store.low, bars);
    json["close"] = FirstEntries(store.close, bars);
    json["rawClose"] = FirstEntries(store.rawClose, bars);
    json["volume"] = FirstEntries(store.volume, bars);
    json["monthStarts"] = FirstEntries(store.monthStarts, marks);
    json["monthLabels"] = FirstEntries(store.monthLabels, marks);
    json["quoteMerged"] = document.latestQuote().quoteMerged;
    if (!document.csvReport.layout.empty())
        json["csv"] = {{"layout", document.csvReport.layout},
                       {"rowsRead", document.csvReport.rowsRead},
                       {"rowsSkipped", document.csvReport.rowsSkipped},
                       {"skippedLines", document.csvReport.skippedLines}};
    // The record of the web source that ran; the local files fill the Yahoo one.
    const bool secondSource = document.sourceMode == CTarnwickDoc::kWeb && document.sourceName != "Yahoo";
    json["latestQuote"] =
        LatestQuoteToJson(secondSource ? document.historyTableSource.latestQuote : document.latestQuote());

    const MovingAverageAnalysis& movingAverages = document.movingAverages;
    json["MovingAverageAnalysis"] = ModuleToJson(movingAverages, bars);
    json["MovingAverageAnalysis"]["envelopeFactor"] = movingAverages.envelopeFactor;
    json["OscillatorAnalysis"] = ModuleToJson(document.oscillators, bars);
    json["FlowDirectionAnalysis"] = ModuleToJson(document.flowDirection, bars);

    const VolumeForecastAnalysis& volumeForecast = document.volumeForecast;
    ordered_json& forecast = json["VolumeForecastAnalysis"] = ModuleToJson(volumeForecast, bars);
    forecast["trendLevel"] = volumeForecast.trendLevel;
    forecast["trendSlope"] = volumeForecast.trendSlope;
    forecast["todayBuyTotal"] = volumeForecast.todayBuyTotal;
    forecast["todaySellTotal"] = volumeForecast.todaySellTotal;
    return json;
}
