#include "chart/QuoteTable.h"

#include "chart/ChartDrawing.h"
#include "chart/CullingCanvas.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr Rgb kSymbolColour{18, 128, 26};
constexpr Rgb kRiseColour{10, 120, 20};
constexpr int kFirstRow = 30;
constexpr int kRowHeight = 20;

std::string RightAligned(const std::string& text)
{
    char cell[64];
    std::snprintf(cell, sizeof cell, "%12s", text.c_str());
    return cell;
}

}  // namespace

void DrawQuoteTable(Canvas& canvas, const ChartInput& input, PageBand visible)
{
    const QuoteSeries& store = input.store;
    canvas.SetTextColour(Colour::kBlue);
    const struct {
        int x;
        const char* caption;
    } header[] = {{10, "Date"}, {130, "Open"}, {240, "High"}, {350, "Low"},
                  {460, "Close"}, {570, "Volume"}, {700, "Symbol"}};
    for (const auto& column : header)
        canvas.TextOut(column.x, 0, column.caption);
    DrawText(canvas, kSymbolColour, 705, 20, input.loadedSymbol);

    // The two oldest bars are not listed. A row more on each side than the
    // margin asks for keeps the bounds safe from rounding.
    const long long rows = std::max(store.BarsLoaded() - 2, 0);
    const long long reach = CullingCanvas::kCullMargin + kRowHeight;
    const int first = static_cast<int>(std::clamp((visible.top - reach - kFirstRow) / kRowHeight - 1, 0LL, rows));
    const int end = static_cast<int>(std::clamp((visible.bottom + reach - kFirstRow) / kRowHeight + 1, 0LL, rows));
    for (int r = first; r < end; ++r) {
        const int y = -(kFirstRow + kRowHeight * r);
        canvas.SetTextColour(Colour::kPurple);
        canvas.TextOut(0, y, RightAligned(store.dates[r]));
        canvas.SetTextColour(Colour::kBlack);
        canvas.TextOut(120, y, FormatNumber("%6.6g", store.open[r]));
        canvas.TextOut(230, y, FormatNumber("%6.6g", store.high[r]));
        canvas.TextOut(340, y, FormatNumber("%6.6g", store.low[r]));
        if (store.volume[r] > 0)
            canvas.TextOut(560, y, FormatNumber("%10.10g", store.volume[r]));
        canvas.SetTextColour(store.close[r] >= store.close[r + 1] ? kRiseColour : Colour::kRed);
        canvas.TextOut(450, y, FormatNumber("%6.6g", store.close[r]));
    }
}

std::vector<PageBand> QuoteTableBands(int barCount)
{
    std::vector<PageBand> bands{{0, kFirstRow + kRowHeight}};
    for (int r = 1; r < barCount - 2; ++r)
        bands.push_back({kFirstRow + kRowHeight * r, kFirstRow + kRowHeight * (r + 1)});
    return bands;
}

std::optional<PageBand> QuoteTableRowAt(int barCount, int distance)
{
    if (distance < kFirstRow)
        return std::nullopt;
    const int row = (distance - kFirstRow) / kRowHeight;
    if (row >= barCount - 2)
        return std::nullopt;
    return PageBand{kFirstRow + kRowHeight * row, kFirstRow + kRowHeight * (row + 1)};
}
