#include "chart/ChartPagePaint.h"
#include "support/CanvasChecks.h"
#include "support/ChartInputOver.h"
#include "support/SampleDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using Kind = RecordingCanvas::Kind;

namespace {

bool Drew(const RecordingCanvas& canvas, const std::string& text)
{
    return !TextsNamed(canvas, text).empty();
}

}  // namespace

TEST(ChartPagePaint, NothingIsDrawnWithoutBars)
{
    auto store = std::make_unique<QuoteSeries>();
    for (int barCount : {0, -1}) {
        store->barCount = barCount;
        RecordingCanvas canvas;
        EXPECT_FALSE(PaintChartPage(canvas, ChartInputOver(*store)));
        EXPECT_TRUE(canvas.calls().empty());
    }
}

TEST(ChartPagePaint, ChartPageCreatesNinePensAndReleasesThemInReverse)
{
    const auto document = LoadedSample("IBM");
    RecordingCanvas canvas;
    EXPECT_EQ(PaintChartPage(canvas, document->chartInput()), kChartPageSize);

    std::vector<PenId> created;
    std::vector<PenId> deleted;
    for (const auto& call : canvas.calls()) {
        if (call.kind == Kind::CreatePen)
            created.insert(created.begin(), call.pen);
        if (call.kind == Kind::DeletePen)
            deleted.push_back(call.pen);
    }
    EXPECT_EQ(created.size(), 9u);
    EXPECT_EQ(deleted, created);
    // The pen selected before the paint is selected again before the pens go.
    const auto lastSelect = std::find_if(canvas.calls().rbegin(), canvas.calls().rend(),
                                         [](const auto& call) { return call.kind == Kind::SelectPen; });
    EXPECT_EQ(lastSelect->pen, 0);
    EXPECT_TRUE(Drew(canvas, "Moving Averages"));
    EXPECT_TRUE(Drew(canvas, "Total"));
}

TEST(ChartPagePaint, WithoutVolumesTheFiveVolumeStripsStayEmpty)
{
    auto document = LoadedSample("IBM");
    document->store.volume[1] = 0;
    document->store.volume[2] = 0;
    RecordingCanvas canvas;
    PaintChartPage(canvas, document->chartInput());
    for (const char* title : {"Volume MA(50)", "k%R", "MFI(14)", "OBV", "PVT"})
        EXPECT_FALSE(Drew(canvas, title)) << title;

    // Volume chart, k%R, money flow, on-balance volume, price and volume trend:
    // from each strip's top to its frame line.
    const struct {
        int top, bottom;
    } strips[] = {{1280, 1420}, {3250, 3410}, {3450, 3610}, {3650, 3810}, {3850, 4010}};
    const auto inside = [](int y, int top, int bottom) { return y <= -top && y >= -bottom; };
    for (const auto& strip : strips) {
        for (const auto& line : canvas.lines())
            EXPECT_FALSE(inside(line.y1, strip.top, strip.bottom) && inside(line.y2, strip.top, strip.bottom))
                << strip.top << ": " << line.x1 << "," << line.y1;
        for (const auto& text : canvas.texts())
            EXPECT_FALSE(inside(text.y, strip.top + 1, strip.bottom)) << strip.top << ": " << text.text;
    }

    RecordingCanvas withVolume;
    PaintChartPage(withVolume, LoadedSample("IBM")->chartInput());
    for (const char* title : {"Volume MA(50)", "k%R", "MFI(14)", "OBV", "PVT"})
        EXPECT_TRUE(Drew(withVolume, title)) << title;
}

TEST(ChartPagePaint, QuoteTablePageDrawsNoPen)
{
    auto document = LoadedSample("IBM");
    document->chartPage = 1;
    document->store.barCount = 3;
    RecordingCanvas canvas;
    EXPECT_EQ(PaintChartPage(canvas, document->chartInput()), (PageSize{1000, 160}));
    for (const auto& call : canvas.calls())
        EXPECT_NE(call.kind, Kind::CreatePen);
    EXPECT_TRUE(Drew(canvas, "Symbol"));
}
