#include "chart/QuoteTable.h"
#include "support/CanvasChecks.h"
#include "support/ChartInputOver.h"
#include "support/TestStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const std::string kSymbol = "IBM";

std::unique_ptr<QuoteSeries> TableStore()
{
    auto store = StoreWithBars({{123.456789, 124, 0.5, 123, 0},
                                {1, 2, 0.5, 123, 4213900},
                                {1, 2, 0.5, 124, 3826200},
                                {1, 2, 0.5, 122, 3755700}});
    store->dates = {"12/31/2001", "28-Dec-01", "27-Dec-01", "26-Dec-01"};
    return store;
}

const Text* TextAt(const RecordingCanvas& canvas, int x, int y)
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

    EXPECT_EQ(TextsNamed(canvas, "Volume"), (std::vector<Text>{{570, 0, Colour::kBlue, "Volume"}}));
    EXPECT_EQ(TextsNamed(canvas, "IBM"), (std::vector<Text>{{705, -20, Rgb{18, 128, 26}, "IBM"}}));

    // Row 0 at distance 30, row 1 at 50; no row for bars 2 and 3.
    EXPECT_EQ(*TextAt(canvas, 0, -30), (Text{0, -30, Colour::kPurple, "  12/31/2001"}));
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

// The pointer finds each row where its date is written, down to the next row.
TEST(QuoteTable, RowAtADistanceIsTheRowWrittenThere)
{
    const auto store = TableStore();
    RecordingCanvas canvas;
    DrawQuoteTable(canvas, ChartInputOver(*store, kSymbol));
    for (const Text& date : TextsNamed(canvas, "  12/31/2001"))
        EXPECT_EQ(QuoteTableRowAt(4, -date.y), (PageBand{30, 50}));
    EXPECT_EQ(QuoteTableRowAt(4, 69), (PageBand{50, 70}));
    EXPECT_EQ(QuoteTableRowAt(4, 29), std::nullopt);  // the header
    EXPECT_EQ(QuoteTableRowAt(4, 70), std::nullopt);  // bars 2 and 3 are not listed
    EXPECT_EQ(QuoteTableRowAt(2, 30), std::nullopt);
}
