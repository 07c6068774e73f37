#include "chart/ChartPagePaint.h"
#include "support/CanvasChecks.h"
#include "support/ChartInputOver.h"
#include "support/SampleDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
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

namespace {

bool LineInside(const Line& line, const PageRect& area)
{
    const auto inside = [&](int x, int y) {
        return x >= area.left && x < area.right && -y >= area.top && -y < area.bottom;
    };
    return inside(line.x1, line.y1) && inside(line.x2, line.y2);
}

bool TextInside(const Text& text, const PageRect& area)
{
    return text.x >= area.left && text.x < area.right && -text.y >= area.top && -text.y < area.bottom;
}

// Whether the line or text lies more than `gap` units outside `area`.
bool LineFarOutside(const Line& line, const PageRect& area, int gap)
{
    return std::max(line.x1, line.x2) < area.left - gap || std::min(line.x1, line.x2) >= area.right + gap ||
           std::max(-line.y1, -line.y2) < area.top - gap || std::min(-line.y1, -line.y2) >= area.bottom + gap;
}

bool TextFarOutside(const Text& text, const PageRect& area, int gap)
{
    return -text.y < area.top - gap - 16 || -text.y >= area.bottom + gap || text.x >= area.right + gap;
}

template <typename Item, typename Keep>
std::vector<Item> Kept(const std::vector<Item>& items, Keep keep)
{
    std::vector<Item> kept;
    std::copy_if(items.begin(), items.end(), std::back_inserter(kept), keep);
    return kept;
}

// The culled paint of `area` draws every line and text that lies inside it,
// in the order of the whole paint, and nothing that lies far outside it.
void ExpectCulledTo(const ChartInput& input, const PageRect& area)
{
    RecordingCanvas whole;
    const auto wholeSize = PaintChartPage(whole, input);
    RecordingCanvas culled;
    EXPECT_EQ(PaintChartPage(culled, input, area), wholeSize);

    const auto lineInside = [&](const Line& line) { return LineInside(line, area); };
    const auto textInside = [&](const Text& text) { return TextInside(text, area); };
    const std::vector<Line> linesInside = Kept(whole.lines(), lineInside);
    const std::vector<Text> textsInside = Kept(whole.texts(), textInside);
    EXPECT_EQ(Kept(culled.lines(), lineInside), linesInside);
    EXPECT_EQ(Kept(culled.texts(), textInside), textsInside);
    EXPECT_FALSE(linesInside.empty() && textsInside.empty()) << "the area shows nothing to compare";

    constexpr int kFar = 100;
    for (const Line& line : culled.lines())
        EXPECT_FALSE(LineFarOutside(line, area, kFar)) << line;
    for (const Text& text : culled.texts())
        EXPECT_FALSE(TextFarOutside(text, area, kFar)) << text;
}

}  // namespace

TEST(ChartPagePaint, CulledPaintDrawsWhatLiesInsideItsRectangleAndNothingFarOff)
{
    auto document = LoadedSample("IBM");
    for (const PageRect& area : {PageRect{0, 0, 1040, 830}, PageRect{300, 1500, 800, 1600},
                                 PageRect{700, 3900, 1200, 4100}}) {
        SCOPED_TRACE(testing::Message() << "chart page " << area.left << "," << area.top);
        ExpectCulledTo(document->chartInput(), area);
    }
    document->chartPage = 1;
    for (const PageRect& area : {PageRect{0, 0, 1000, 100}, PageRect{100, 4000, 500, 4300},
                                 PageRect{0, 7900, 1000, 8100}}) {
        SCOPED_TRACE(testing::Message() << "quote table " << area.left << "," << area.top);
        ExpectCulledTo(document->chartInput(), area);
    }
}

TEST(ChartPagePaint, CulledPaintKeepsThePensAndThePageSizeEvenWhenNothingShows)
{
    const auto document = LoadedSample("IBM");
    RecordingCanvas canvas;
    // Far below the page: nothing to draw, but the view still learns its size.
    EXPECT_EQ(PaintChartPage(canvas, document->chartInput(), PageRect{0, 90000, 1000, 91000}), kChartPageSize);
    EXPECT_TRUE(canvas.lines().empty());
    EXPECT_TRUE(canvas.texts().empty());
    const auto count = [&](Kind kind) {
        return std::count_if(canvas.calls().begin(), canvas.calls().end(),
                             [kind](const auto& call) { return call.kind == kind; });
    };
    EXPECT_EQ(count(Kind::CreatePen), 9);
    EXPECT_EQ(count(Kind::DeletePen), 9);

    auto store = std::make_unique<QuoteSeries>();
    RecordingCanvas empty;
    EXPECT_FALSE(PaintChartPage(empty, ChartInputOver(*store), PageRect{0, 0, 1000, 1000}));
    EXPECT_TRUE(empty.calls().empty());
}
