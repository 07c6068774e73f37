#include "chart/QuoteTable.h"
#include "chart/RecordingCanvas.h"
#include "support/ChartInputOver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const std::string kSymbol = "IBM";

std::unique_ptr<QuoteSeries> TableStore()
{
    auto store = std::make_unique<QuoteSeries>();
    const struct {
        const char* date;
        double open, high, low, close, volume;
    } bars[] = {{"12/31/2001", 123.456789, 124, 0.5, 123, 0},
                {"28-Dec-01", 1, 2, 0.5, 123, 4213900},
                {"27-Dec-01", 1, 2, 0.5, 124, 3826200},
                {"26-Dec-01", 1, 2, 0.5, 122, 3755700}};
    for (int i = 0; i < 4; ++i) {
        store->dates[i] = bars[i].date;
        store->open[i] = bars[i].open;
        store->high[i] = bars[i].high;
        store->low[i] = bars[i].low;
        store->close[i] = bars[i].close;
        store->volume[i] = bars[i].volume;
    }
    store->barCount = 4;
    return store;
}

const RecordingCanvas::Text* TextAt(const RecordingCanvas& canvas, int x, int y)
{
    for (const auto& text : canvas.texts())
        if (text.x == x && text.y == y)
            return &text;
    return nullptr;
}

}  // namespace

TEST(QuoteTable, ListsAllButTheTwoOldestBarsWithTheirFormatsAndColours)
{
    const auto store = TableStore();
    RecordingCanvas canvas;
    DrawQuoteTable(canvas, ChartInputOver(*store, kSymbol));

    const auto* header = TextAt(canvas, 570, 0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->text, "Volume");
    EXPECT_EQ(header->colour, Colour::kBlue);
    const auto* symbol = TextAt(canvas, 705, -20);
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->text, "IBM");
    EXPECT_EQ(symbol->colour, (Rgb{18, 128, 26}));

    // Row 0 at distance 30, row 1 at 50; no row for bars 2 and 3.
    EXPECT_EQ(TextAt(canvas, 0, -30)->text, "  12/31/2001");
    EXPECT_EQ(TextAt(canvas, 0, -30)->colour, Colour::kPurple);
    EXPECT_EQ(TextAt(canvas, 120, -30)->text, "123.457");
    EXPECT_EQ(TextAt(canvas, 340, -30)->text, "   0.5");
    EXPECT_EQ(TextAt(canvas, 560, -30), nullptr);  // no volume
    EXPECT_EQ(TextAt(canvas, 560, -50)->text, "   4213900");
    EXPECT_EQ(TextAt(canvas, 450, -30)->colour, (Rgb{10, 120, 20}));  // equal close: rise colour
    EXPECT_EQ(TextAt(canvas, 450, -50)->colour, Colour::kRed);        // 123 after 124
    EXPECT_EQ(TextAt(canvas, 0, -70), nullptr);
    EXPECT_TRUE(canvas.lines().empty());
}

TEST(QuoteTable, TwoBarsListNoRow)
{
    auto store = TableStore();
    store->barCount = 2;
    RecordingCanvas canvas;
    DrawQuoteTable(canvas, ChartInputOver(*store, kSymbol));
    EXPECT_EQ(canvas.texts().size(), 8u);  // seven captions and the symbol
}
