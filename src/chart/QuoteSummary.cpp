#include "chart/QuoteSummary.h"

#include "analysis/SignalTitles.h"
#include "chart/ChartDrawing.h"

#include <iterator>

namespace {

constexpr int kCaptionRow = 5;
constexpr int kValueRow = 25;
constexpr int kTotalRowY = 90;  // the tally stands 38 above it
constexpr int kSeparators[] = {3, 45, 75, 80};

void Value(Canvas& canvas, int x, const char* format, double value)
{
    canvas.TextOut(x, -kValueRow, FormatNumber(format, value));
}

// The latest quote, when the last load placed it in front of the history.
void DrawQuoteValues(Canvas& canvas, const LatestQuote& quote)
{
    canvas.TextOut(75, -kValueRow, quote.tradeStamp);
    Value(canvas, 290, "%-5.5g", quote.dayOpen);
    Value(canvas, 370, "%5.5g", quote.dayLow);
    canvas.TextOut(420, -kValueRow, "-");
    Value(canvas, 430, "%-5.5g", quote.dayHigh);
    if (quote.prevClose > 0)
        Value(canvas, 580, "%-5.5g", quote.prevClose);
    if (quote.yearHigh > 0) {
        Value(canvas, 670, "%5.5g", quote.yearLow);
        canvas.TextOut(720, -kValueRow, "-");
        Value(canvas, 730, "%-5.5g", quote.yearHigh);
    }
    if (quote.quoteVolume > 0)
        Value(canvas, 500, "%-10.9g", quote.quoteVolume);
}

// The newest bars of the store otherwise.
void DrawBarValues(Canvas& canvas, const QuoteSeries& store)
{
    canvas.TextOut(75, -kValueRow, store.dates[0]);
    Value(canvas, 290, "%-5.5g", store.open[0]);
    Value(canvas, 370, "%5.5g", store.low[0]);
    canvas.TextOut(420, -kValueRow, "-");
    Value(canvas, 430, "%-5.5g", store.high[0]);
    Value(canvas, 580, "%-5.5g", store.close[1]);
    if (store.volume[0] > 0)
        Value(canvas, 500, "%-10.9g", store.volume[0]);
}

}  // namespace

void DrawQuoteSummary(Canvas& canvas, const ChartInput& input, PenId bluePen)
{
    const QuoteSeries& store = input.store;
    const LatestQuote& quote = input.latestQuote;
    const bool merged = quote.quoteMerged == 1;

    canvas.SetTextColour(Colour::kBlack);
    const struct {
        int x;
        const char* caption;
    } captions[] = {{10, "Symbol"}, {100, "Last Trade"}, {220, "Change"},   {290, "Open"},
                    {380, "Day's Range"}, {500, "Volume"}, {580, "Prev Cls"}, {670, "52-Week Range"}};
    for (const auto& caption : captions)
        canvas.TextOut(caption.x, -kCaptionRow, caption.caption);

    if (merged)
        DrawQuoteValues(canvas, quote);
    else
        DrawBarValues(canvas, store);
    DrawText(canvas, Colour::kPurple, 10, kValueRow, input.loadedSymbol);

    // The store's last two closes colour the price in both cases.
    canvas.SetTextColour(store.close[0] - store.close[1] < 0 ? Colour::kRed : Colour::kGreen);
    if (merged) {
        Value(canvas, 155, "%-5.5g", quote.lastTrade);
        canvas.TextOut(220, -kValueRow, quote.changeText);
    } else {
        Value(canvas, 155, "%-5.5g", store.close[0]);
    }

    const VolumeForecastAnalysis& totals = input.volumeForecast;
    SignalTally(canvas, kTotalRowY, SignalTitles::kTotal, totals.todayBuyTotal, totals.todaySellTotal);
    canvas.SelectPen(bluePen);
    for (int distance : kSeparators)
        DrawLine(canvas, 0, distance, kChartRight, distance);
}

PageBand QuoteSummaryBand()
{
    // The separators are one unit wide; every text stands above the lowest.
    return {0, kSeparators[std::size(kSeparators) - 1] + 1};
}
