#include "chart/ChartPagePaint.h"
#include "chart/PageSheets.h"
#include "support/CanvasChecks.h"
#include "support/SampleDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// Found by gtest's printers next to PageBand.
static std::ostream& operator<<(std::ostream& out, const PageBand& band)
{
    return out << '[' << band.top << ", " << band.bottom << ')';
}

namespace {

// A text's cell is about 0.16 inch high, from its top-left corner down.
constexpr int kTextHeight = 16;

// The runs of the page everything drawn covers: lines and text cells, as
// distances from the page top.
std::vector<PageBand> DrawnRuns(const RecordingCanvas& canvas)
{
    std::vector<PageBand> runs;
    for (const Line& line : canvas.lines())
        runs.push_back({-std::max(line.y1, line.y2), -std::min(line.y1, line.y2) + 1});
    for (const Text& text : canvas.texts())
        runs.push_back({-text.y, -text.y + kTextHeight});
    return runs;
}

bool Inside(const PageBand& run, const PageBand& band)
{
    return band.top <= run.top && run.bottom <= band.bottom;
}

// Sheets follow each other from the page top, none taller than the paper.
void ExpectTiled(const std::vector<PageBand>& sheets, int sheetHeight, int pageEnd)
{
    ASSERT_FALSE(sheets.empty());
    EXPECT_EQ(sheets.front().top, 0);
    EXPECT_EQ(sheets.back().bottom, pageEnd);
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        EXPECT_GT(sheets[k].bottom, sheets[k].top) << sheets[k];
        EXPECT_LE(sheets[k].bottom - sheets[k].top, sheetHeight) << sheets[k];
        if (k > 0) {
            EXPECT_EQ(sheets[k].top, sheets[k - 1].bottom);
        }
    }
}

// Everything painted lies inside the page's bands, and each thing painted
// lands whole on one sheet: no panel or row is cut.
void ExpectNothingCut(const ChartInput& input, int sheetHeight)
{
    RecordingCanvas canvas;
    ASSERT_TRUE(PaintChartPage(canvas, input));
    const std::vector<PageBand> bands = ChartPageBands(input);
    const std::vector<PageBand> sheets = PrintSheets(input, sheetHeight);
    const int pageEnd = std::ranges::max(bands, {}, &PageBand::bottom).bottom;
    ExpectTiled(sheets, sheetHeight, pageEnd);
    for (const PageBand& run : DrawnRuns(canvas)) {
        EXPECT_TRUE(std::ranges::any_of(bands, [&](const PageBand& band) { return Inside(run, band); }))
            << "drawn outside every band: " << run;
        EXPECT_TRUE(std::ranges::any_of(sheets, [&](const PageBand& sheet) { return Inside(run, sheet); }))
            << "cut by a sheet edge: " << run << " with sheets of " << sheetHeight;
    }
}

}  // namespace

TEST(SplitIntoSheets, ASheetEndsAboveTheBandThatWouldCrossItsEdge)
{
    const struct {
        std::vector<PageBand> bands;
        int sheetHeight;
        std::vector<PageBand> sheets;
    } cases[] = {
        // The second band would cross 250, so the first sheet stops at its top.
        {{{0, 100}, {150, 300}, {320, 500}}, 250, {{0, 150}, {150, 320}, {320, 500}}},
        // An edge that falls between two bands stays where it is.
        {{{0, 100}, {100, 200}}, 100, {{0, 100}, {100, 200}}},
        // Everything fits on one sheet; the page ends with its lowest band.
        {{{10, 40}, {60, 90}}, 1000, {{0, 90}}},
        // A band taller than a sheet is cut at the sheet's height.
        {{{0, 50}, {50, 400}}, 200, {{0, 50}, {50, 250}, {250, 400}}},
        // Overlapping bands in any order stay together as one: moving the edge
        // above the second alone would cut the first.
        {{{100, 200}, {50, 120}}, 150, {{0, 50}, {50, 200}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitIntoSheets(c.bands, c.sheetHeight), c.sheets) << "sheets of " << c.sheetHeight;
}

TEST(SplitIntoSheets, NothingToPrintOrNoPaperGivesNoSheet)
{
    const std::vector<PageBand> bands{{0, 100}};
    EXPECT_TRUE(SplitIntoSheets({}, 1000).empty());
    EXPECT_TRUE(SplitIntoSheets(std::vector<PageBand>{{50, 50}}, 1000).empty());
    EXPECT_TRUE(SplitIntoSheets(bands, 0).empty());
    EXPECT_TRUE(SplitIntoSheets(bands, -100).empty());
    EXPECT_EQ(SplitIntoSheets(bands, 1).size(), 100u);
}

TEST(PrintSheets, TheChartPageSplitsBetweenPanelsOnEveryPaper)
{
    const auto document = LoadedSample("IBM");
    // Letter and A4 less margins, a short label sheet, and paper taller than the page.
    for (int sheetHeight : {1000, 1069, 400, 5000}) {
        SCOPED_TRACE(sheetHeight);
        ExpectNothingCut(document->chartInput(), sheetHeight);
    }
    // Ten inches take the 40-inch page on five sheets, not one.
    EXPECT_EQ(PrintSheets(document->chartInput(), 1000).size(), 5u);
    EXPECT_EQ(PrintSheets(document->chartInput(), 5000).size(), 1u);
}

TEST(PrintSheets, TheQuoteTableSplitsBetweenRows)
{
    auto document = LoadedSample("IBM");
    document->chartPage = 1;
    for (int sheetHeight : {1000, 1069, 75}) {
        SCOPED_TRACE(sheetHeight);
        ExpectNothingCut(document->chartInput(), sheetHeight);
    }
    // 398 rows of 20 units below a 30-unit header: 8 sheets of 10 inches.
    EXPECT_EQ(PrintSheets(document->chartInput(), 1000).size(), 8u);

    // With two bars the header alone is printed.
    document->store.barCount = 2;
    EXPECT_EQ(PrintSheets(document->chartInput(), 1000), (std::vector<PageBand>{{0, 50}}));
}

TEST(PrintSheets, NoBarsNoSheets)
{
    auto document = LoadedSample("IBM");
    document->store.barCount = 0;
    EXPECT_TRUE(PrintSheets(document->chartInput(), 1000).empty());
}
